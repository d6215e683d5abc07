// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

class QTimer;

// A timer that raises Tick each Interval milliseconds while it is Enabled.
class Timer : public QObject
{
    Q_OBJECT

public:
    explicit Timer(QObject *parent = nullptr);

    bool Enabled() const;
    void setEnabled(bool enabled);
    int Interval() const;
    void setInterval(int milliseconds);

signals:
    void Tick();

private:
    QTimer *m_timer;
};
