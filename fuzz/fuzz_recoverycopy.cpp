// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

// libFuzzer target: reading a recovery copy must end on any input, and whatever it takes for a
// whole copy must come back equal when written and read again.
#include "recovery/recoverystore.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<RecoveryCopy> copy = RecoveryCopy::decode(bytes);
    if (!copy)
        return 0;
    if (RecoveryCopy::decode(copy->encode()) != copy)
        std::abort();
    return 0;
}
