// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArrayView>

// Everything the program knows about UTF-8, in one place.
namespace Utf8 {

// Length of the well-formed sequence starting at bytes[i], or 0 when it is not well formed
// (truncated, overlong forms, surrogates and code points above U+10FFFF are refused).
qsizetype sequenceLength(QByteArrayView bytes, qsizetype i);

// The code point of the sequence at bytes[i], and its length in `length`. A byte that starts
// no well-formed sequence reads as U+FFFD, one byte long.
char32_t decode(QByteArrayView bytes, qsizetype i, qsizetype &length);

// Writes the encoding of `ch` (at most 4 bytes) at `out`; returns the byte after it.
char *encode(char32_t ch, char *out);

// How many bytes from the start are ASCII.
qsizetype asciiPrefixLength(QByteArrayView bytes);

inline bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

} // namespace Utf8
