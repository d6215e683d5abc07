// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

// Monotonic time in milliseconds, for deciding when long work shows its progress. The program
// uses the system's; tests give their own, so that work takes as long as they say.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual qint64 milliseconds() const;

    static Clock &system();
};
