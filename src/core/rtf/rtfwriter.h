// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "text/textformat.h"

#include <QByteArray>
#include <QByteArrayView>
#include <cstring>

// The writing half of the RTF format: the pieces of the temporary document, which the reader
// (rtfreader.h) takes back as exactly the file's characters. The document stays ASCII. Pieces
// are written through a pointer into room the caller has made.
namespace RtfWriter {

// The most document bytes one byte of text can become: a four-byte UTF-8 character is written
// as two UTF-16 escapes of up to nine bytes each.
inline constexpr qsizetype kMostBytesPerByte = 5;
// The ignorable destination that carries what a save needs besides the text (the document's
// layout): {\*\morvanelayout ...}, which other RTF readers skip.
inline constexpr char kLayoutDestination[] = "morvanelayout";

// "{\rtf1\ansi..." with the fonts, then `colourTable`.
QByteArray header(const QByteArray &colourTable);

inline char *writeWord(char *out, const char *word)
{
    const size_t length = std::strlen(word);
    std::memcpy(out, word, length);
    return out + length;
}

// "\cfN " for colour N of the colour table, 0 to 9.
inline char *writeColour(char *out, int colour)
{
    out = writeWord(out, "\\cf");
    *out++ = char('0' + colour);
    *out++ = ' ';
    return out;
}

// Writes text so that the editor shows exactly these characters: Windows-1252 bytes as hex
// escapes, UTF-8 characters as Unicode escapes. Needs room for kMostBytesPerByte bytes a byte.
char *writeEscaped(char *out, QByteArrayView text, TextEncoding encoding);

} // namespace RtfWriter
