// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <memory>

class form1;
class ProgressDisplay;
class Timer;

// How far the decompressor has come, as it tells it line by line. Once it has run for half a
// second a progress window shows it, with Cancel; the window leaves the rest of the main window
// free, as the decompressor works on its own. A press of Cancel is looked for on each tick, a
// few times a tenth of a second.
class DecompressionProgress : public QObject
{
    Q_OBJECT

public:
    explicit DecompressionProgress(form1 &form);
    ~DecompressionProgress() override;

    // The decompressor has just started.
    void start();
    // It is over, whichever way; the progress window goes.
    void stop();
    bool shown() const { return m_display != nullptr; }
    // A tick: takes in what the decompressor said, shows it, and stops the decompression when
    // the user has cancelled it.
    void update();

    static constexpr int tickMilliseconds = 40;

private:
    form1 &m_form;
    Timer *m_ticks;
    qint64 m_start = 0;
    double m_fraction = 0;
    QByteArray m_unfinishedLine;
    std::unique_ptr<ProgressDisplay> m_display;
};
