// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

// Word-at-a-time byte tests: eight bytes are looked at in a handful of operations instead of one
// branch a byte. Each is exact about whether some byte of the word qualifies.
namespace ByteWords {

inline constexpr quint64 kEveryByte = 0x0101010101010101ULL, kHighBits = 0x8080808080808080ULL;

constexpr quint64 hasByte(quint64 word, unsigned char byte)
{
    const quint64 zeroWhereEqual = word ^ (kEveryByte * byte);
    return (zeroWhereEqual - kEveryByte) & ~zeroWhereEqual & kHighBits;
}

constexpr quint64 hasByteBelow(quint64 word, unsigned char bound) // bound <= 0x80
{
    return (word - kEveryByte * bound) & ~word & kHighBits;
}

} // namespace ByteWords
