// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "textformat.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Reading and writing the bytes of a user's file. A file that is valid UTF-8 is read as UTF-8;
// anything else as Windows-1252, where the five bytes that code page leaves undefined become the
// C1 characters of the same value so that every byte survives a round trip.
namespace TextCodec {

struct Decoded
{
    QString text;
    TextFormat format;
};

struct Encoded
{
    QByteArray bytes;
    qsizetype replaced = 0; // characters the encoding cannot hold, written as '?'
};

bool isValidUtf8(QByteArrayView bytes);
// UTF-8 to text, keeping a leading U+FEFF as a character (QString::fromUtf8 drops it).
QString fromUtf8(QByteArrayView bytes);
Decoded decode(QByteArrayView bytes);
// How a file's bytes are stored: UTF-8 when they are valid UTF-8, with or without a byte order
// mark, else Windows-1252.
TextFormat detectFormat(QByteArrayView bytes);
// The bytes after the byte order mark, where the format has one.
QByteArrayView withoutByteOrderMark(QByteArrayView bytes, const TextFormat &format);

char16_t fromWindows1252(unsigned char byte);
// The Windows-1252 byte for a character, or -1 when the code page has none.
int toWindows1252(char32_t ch);

// Encodes editor text, given as UTF-8, into the document's own format. The result may refer to
// `utf8` itself, which must then outlive it.
Encoded encodeUtf8Text(QByteArrayView utf8, const TextFormat &format);

} // namespace TextCodec
