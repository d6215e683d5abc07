// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class LongWork;
class QAction;
class QMainWindow;
class QWidget;

// Long work holds the window: one piece of work at a time; while its progress shows, the
// window's commands and controls wait and the focus is kept for afterwards; what asks for the
// window meanwhile (its close, files to open) waits for the work to end.
class WorkGate final : public QObject
{
    Q_OBJECT

public:
    explicit WorkGate(QMainWindow &window);

    void begin(LongWork &work);
    // What waited for the work goes on once control is back in the event loop, after the
    // command that did the work has finished: the window's close, or else `idle`.
    void end(LongWork &work);
    LongWork *current() const { return m_work; }
    void hold(bool hold);
    // The window was closed during the work: the work is told, and the window closes after it.
    void closeAfterWork();

signals:
    void idle();

private:
    void closeOnceNothingIsAsked();

    QMainWindow &m_window;
    LongWork *m_work = nullptr;
    bool m_closeAfterWork = false;
    QList<QAction *> m_heldActions;
    QPointer<QWidget> m_focusBeforeHold;
};
