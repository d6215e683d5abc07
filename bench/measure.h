// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QElapsedTimer>

// Time and resident memory of the running process, for one measured phase.
namespace Measure {

double seconds(const QElapsedTimer &timer);
// Resident memory now and its peak since the last resetPeak(), in bytes (Linux /proc).
qint64 residentBytes();
qint64 peakResidentBytes();
void resetPeak();

} // namespace Measure
