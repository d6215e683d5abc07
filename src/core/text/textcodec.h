// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "textformat.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

// Reading and writing the bytes of a user's file. A file with a UTF-16 byte order mark is read as
// UTF-16 in its byte order; one that is valid UTF-8 as UTF-8; anything else as Windows-1252,
// where the five bytes that code page leaves undefined become the C1 characters of the same value
// so that every byte survives a round trip.
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
// Whether the bytes begin with a UTF-16 byte order mark, in either byte order.
bool startsAsUtf16(QByteArrayView bytes);
// Whether the bytes after such a mark are UTF-16: whole code units, every surrogate paired.
bool isValidUtf16(QByteArrayView units, bool bigEndian);
// UTF-16 code units, valid as above, as UTF-8.
QByteArray utf16ToUtf8(QByteArrayView units, bool bigEndian);
// UTF-8 to text, keeping a leading U+FEFF as a character (QString::fromUtf8 drops it).
QString fromUtf8(QByteArrayView bytes);
Decoded decode(QByteArrayView bytes);
// How a file's bytes are stored: UTF-16 when they begin with its byte order mark and are valid
// UTF-16; UTF-8 when they are valid UTF-8, with or without a byte order mark; else Windows-1252,
// which holds any bytes.
TextFormat detectFormat(QByteArrayView bytes);
// The bytes after the byte order mark, where the format has one.
QByteArrayView withoutByteOrderMark(QByteArrayView bytes, const TextFormat &format);

char16_t fromWindows1252(unsigned char byte);
// The Windows-1252 byte for a character, or -1 when the code page has none.
int toWindows1252(char32_t ch);

// The characters of editor text, given as UTF-8, that `format` cannot hold: how many, and the
// first few different ones.
struct Unheld
{
    qsizetype count = 0;
    QList<char32_t> first;
};
Unheld unheldCharacters(QByteArrayView utf8, const TextFormat &format, int examples = 3);

// Encodes editor text, given as UTF-8, into the document's own format. The result may refer to
// `utf8` itself, which must then outlive it.
Encoded encodeUtf8Text(QByteArrayView utf8, const TextFormat &format);

} // namespace TextCodec
