// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

// libFuzzer target: the decompressor refuses or decodes any file. The text form cannot tell
// every file apart (an entry with an empty name is an empty line), but once packed and
// decoded, a text comes back unchanged from every further pack and decode.
#include "bini/biniformat.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const Result<QByteArray> decoded
        = BiniFormat::decode(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (!decoded)
        return 0;
    const Result<QByteArray> packed = BiniFormat::pack(*decoded);
    if (!packed)
        return 0;
    const Result<QByteArray> text = BiniFormat::decode(*packed);
    const Result<QByteArray> repacked = BiniFormat::pack(*text);
    if (!repacked || !BiniFormat::decode(*repacked) || *BiniFormat::decode(*repacked) != *text)
        std::abort();
    return 0;
}
