// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

// libFuzzer target: the RTF reader must end on any input, with text and colours in step, and
// hand over in pieces exactly what it reads whole.
#include "rtf/rtfreader.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView rtf(reinterpret_cast<const char *>(data), qsizetype(size));
    const RtfDocument doc = RtfReader::read(rtf);
    if (doc.colours.size() != doc.text.size())
        std::abort();

    QByteArray text, colours;
    const RtfDocument rest = RtfReader::read(
        rtf,
        [&, lastRead = qsizetype(0)](QByteArrayView pieceText, QByteArrayView pieceColours,
                                     qsizetype read) mutable {
            if (pieceText.isEmpty() || pieceText.size() != pieceColours.size())
                std::abort();
            if (read < lastRead || read > rtf.size()) // the progress of a load
                std::abort();
            lastRead = read;
            text += pieceText;
            colours += pieceColours;
        },
        7);
    if (text != doc.text || colours != doc.colours || rest.format != doc.format
        || rest.colourTable.size() != doc.colourTable.size())
        std::abort();
    return 0;
}
