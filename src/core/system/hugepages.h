// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

// Large buffers that are filled from start to end right after they are made (a file read
// whole, a document written out) take one page fault per 4 KB page on first touch; on Linux
// they can ask for 2 MB pages instead, which takes one fault per 2 MB.
namespace HugePages {

// Below this a buffer is left as it is: it holds at most one huge page.
constexpr qsizetype kWorthFrom = 4 * 1024 * 1024;

// Advises the kernel to back the whole 2 MB-aligned pages inside [data, data + size) with huge
// pages. Only advice: nothing changes for the buffer's owner, and elsewhere it does nothing.
void advise(void *data, qsizetype size);

} // namespace HugePages
