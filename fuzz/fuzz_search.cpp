// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The UTF-8 search must find what a case-insensitive QString search finds, at the same place.
// Input: the needle, a NUL byte, then the text.
#include "text/textcodec.h"
#include "text/textsearch.h"

#include <QString>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView input(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype split = input.indexOf('\0');
    if (split < 0)
        return 0;
    const QByteArrayView needle = input.first(split), text = input.sliced(split + 1);
    if (!TextCodec::isValidUtf8(needle) || !TextCodec::isValidUtf8(text))
        return 0;
    const QString needleText = QString::fromUtf8(needle), haystack = QString::fromUtf8(text);
    if (needleText.isEmpty() || text.startsWith("\xEF\xBB\xBF"))
        return 0; // fromUtf8 drops a leading byte order mark, the search does not
    const TextSearch::Match found = TextSearch(needleText).findIn(text, 0);
    const qsizetype expected = haystack.indexOf(needleText, 0, Qt::CaseInsensitive);
    const qsizetype actual
        = found.position < 0 ? -1 : QString::fromUtf8(text.first(found.position)).size();
    if (actual != expected)
        std::abort();
    return 0;
}
