// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "timer.h"

#include <QTimer>

Timer::Timer(QObject *parent) : QObject(parent), m_timer(new QTimer(this))
{
    connect(m_timer, &QTimer::timeout, this, &Timer::Tick);
}

bool Timer::Enabled() const
{
    return m_timer->isActive();
}

void Timer::setEnabled(bool enabled)
{
    if (enabled)
        m_timer->start();
    else
        m_timer->stop();
}

int Timer::Interval() const
{
    return m_timer->interval();
}

void Timer::setInterval(int milliseconds)
{
    m_timer->setInterval(milliseconds);
}
