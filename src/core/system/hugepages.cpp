// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "hugepages.h"

#include <cstdint>
#ifdef Q_OS_LINUX
#include <sys/mman.h>
#endif

namespace HugePages {

void advise(void *data, qsizetype size)
{
#if defined(Q_OS_LINUX) && defined(MADV_HUGEPAGE)
    if (size < kWorthFrom)
        return;
    constexpr std::uintptr_t kHugePage = 2 * 1024 * 1024;
    const auto begin = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (begin + kHugePage - 1) & ~(kHugePage - 1);
    const std::uintptr_t last = (begin + std::uintptr_t(size)) & ~(kHugePage - 1);
    if (first < last) // a refusal (no huge pages here) changes nothing
        ::madvise(reinterpret_cast<void *>(first), last - first, MADV_HUGEPAGE);
#else
    Q_UNUSED(data);
    Q_UNUSED(size);
#endif
}

} // namespace HugePages
