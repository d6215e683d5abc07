// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "utf8.h"

#include <cstring>

namespace Utf8 {

qsizetype sequenceLength(QByteArrayView bytes, qsizetype i)
{
    Q_ASSERT(i >= 0 && i < bytes.size());
    const auto at = [&](qsizetype k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = at(i);
    if (lead < 0x80)
        return 1;
    qsizetype length = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (i + length > bytes.size())
        return 0;
    if (at(i + 1) < low || at(i + 1) > high)
        return 0;
    for (qsizetype k = 2; k < length; ++k) {
        if (!isContinuation(at(i + k)))
            return 0;
    }
    return length;
}

char32_t decode(QByteArrayView bytes, qsizetype i, qsizetype &length)
{
    static constexpr unsigned char kLeadMask[] = { 0, 0x7F, 0x1F, 0x0F, 0x07 };
    length = sequenceLength(bytes, i);
    if (length == 0) {
        length = 1;
        return 0xFFFD;
    }
    char32_t ch = static_cast<unsigned char>(bytes[i]) & kLeadMask[length];
    for (qsizetype k = 1; k < length; ++k)
        ch = (ch << 6) | (static_cast<unsigned char>(bytes[i + k]) & 0x3F);
    return ch;
}

qsizetype asciiPrefixLength(QByteArrayView bytes)
{
    const qsizetype size = bytes.size();
    qsizetype i = 0;
    // Eight bytes at a time are checked for a high bit at once, instead of one byte at a time.
    for (quint64 word; i + 8 <= size; i += 8) {
        std::memcpy(&word, bytes.data() + i, sizeof word);
        if (word & 0x8080808080808080ULL)
            break;
    }
    while (i < size && static_cast<unsigned char>(bytes[i]) < 0x80)
        ++i;
    return i;
}

char *encode(char32_t ch, char *out)
{
    if (ch < 0x80) {
        *out++ = char(ch);
    } else if (ch < 0x800) {
        *out++ = char(0xC0 | (ch >> 6));
        *out++ = char(0x80 | (ch & 0x3F));
    } else if (ch < 0x10000) {
        *out++ = char(0xE0 | (ch >> 12));
        *out++ = char(0x80 | ((ch >> 6) & 0x3F));
        *out++ = char(0x80 | (ch & 0x3F));
    } else {
        *out++ = char(0xF0 | (ch >> 18));
        *out++ = char(0x80 | ((ch >> 12) & 0x3F));
        *out++ = char(0x80 | ((ch >> 6) & 0x3F));
        *out++ = char(0x80 | (ch & 0x3F));
    }
    return out;
}

} // namespace Utf8
