// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

// libFuzzer target: any file, converted and read back, gives its own bytes again.
#include "convert/colorizer.h"
#include "rtf/rtfreader.h"
#include "text/textcodec.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView file(reinterpret_cast<const char *>(data), qsizetype(size));
    RtfFragments fragments;
    QString hunk;
    const RtfDocument doc = RtfReader::read(colorizeBytes(file, fragments, hunk));
    if (TextCodec::encodeUtf8Text(doc.text, doc.format).bytes != file)
        std::abort();
    return 0;
}
