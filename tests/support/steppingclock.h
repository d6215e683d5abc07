// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "system/clock.h"

// A clock that moves on by a tenth of a second each time it is read: work of any size runs
// past the half second after which its progress shows.
class SteppingClock final : public Clock
{
public:
    qint64 milliseconds() const override { return m_now += 100; }

private:
    mutable qint64 m_now = 0;
};
