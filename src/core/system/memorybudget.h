// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

// How much more memory this process can have before an allocation fails: the least of what the
// system has available (memory and swap), what its control group allows, and what the
// process's own limits on address space and data leave.
class MemoryBudget
{
public:
    // In bytes; the largest qint64 when nothing sets a bound.
    static qint64 available();

    // About the most an open takes at its peak for a file of `fileSize` bytes: the file, its
    // document and the editor's copy with its colours (four to five times a file of short
    // lines, eight for one long line), beside what any open takes.
    static qint64 neededToOpen(qint64 fileSize) { return fileSize * 6 + (qint64(32) << 20); }
};
