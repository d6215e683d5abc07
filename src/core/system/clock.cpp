// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "clock.h"

#include <QDeadlineTimer>

qint64 Clock::milliseconds() const
{
    return QDeadlineTimer::current().deadline();
}

Clock &Clock::system()
{
    static Clock clock;
    return clock;
}
