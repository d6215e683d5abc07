// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rtfwriter.h"

#include "text/bytewords.h"
#include "text/utf8.h"

#include <QChar>
#include <array>

namespace {

constexpr char kHexDigits[] = "0123456789abcdef";
// Bytes that go into the document as they are: printable ASCII other than RTF's own \ { }.
constexpr std::array<bool, 256> kCopiedAsIs = [] {
    std::array<bool, 256> table {};
    for (int byte = 0x20; byte < 0x7F; ++byte)
        table[byte] = byte != '\\' && byte != '{' && byte != '}';
    return table;
}();

// True when a byte of the word is not copied as it is: a control, DEL, a byte above ASCII,
// or one of \ { }.
constexpr bool needsEscaping(quint64 word)
{
    return ((word & ByteWords::kHighBits) | ByteWords::hasByteBelow(word, 0x20)
            | ByteWords::hasByte(word, 0x7F) | ByteWords::hasByte(word, '\\')
            | ByteWords::hasByte(word, '{') | ByteWords::hasByte(word, '}'))
        != 0;
}

// The word test and the byte table must name the same bytes.
static_assert([] {
    for (int byte = 0; byte < 256; ++byte) {
        if (needsEscaping(ByteWords::kEveryByte * byte) == kCopiedAsIs[byte])
            return false;
    }
    return true;
}());

char *writeHexEscape(char *out, unsigned char byte)
{
    *out++ = '\\';
    *out++ = '\'';
    *out++ = kHexDigits[byte >> 4];
    *out++ = kHexDigits[byte & 0xF];
    return out;
}

char *writeUnicodeEscape(char *out, char16_t unit)
{
    int value = static_cast<qint16>(unit); // RTF's \u takes a signed 16-bit number
    *out++ = '\\';
    *out++ = 'u';
    if (value < 0) {
        *out++ = '-';
        value = -value;
    }
    char digits[6];
    int count = 0;
    do {
        digits[count++] = char('0' + value % 10);
        value /= 10;
    } while (value > 0);
    while (count > 0)
        *out++ = digits[--count];
    *out++ = '?';
    return out;
}

} // namespace

QByteArray RtfWriter::header(const QByteArray &colourTable)
{
    return "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang3081\\deflangfe1033{\\fonttbl{\\f0\\froman"
           "\\fprq2\\fcharset0 Times New Roman;}{\\f1\\fnil\\fcharset0 MS Sans Serif;}}"
        + colourTable;
}

char *RtfWriter::writeEscaped(char *out, QByteArrayView text, TextEncoding encoding)
{
    const auto *bytes = reinterpret_cast<const unsigned char *>(text.data());
    const qsizetype size = text.size();
    qsizetype i = 0;
    while (i < size) {
        // Plain ASCII is copied eight bytes at a time while no byte of them needs escaping,
        // then a byte at a time up to the next one that does; nothing is decoded.
        for (quint64 word; i + 8 <= size; i += 8, out += 8) {
            std::memcpy(&word, bytes + i, 8);
            if (needsEscaping(word))
                break;
            std::memcpy(out, &word, 8);
        }
        while (i < size && kCopiedAsIs[bytes[i]])
            *out++ = char(bytes[i++]);
        if (i == size)
            break;
        const unsigned char byte = bytes[i];
        if (byte == '\\' || byte == '{' || byte == '}') {
            *out++ = '\\';
            *out++ = char(byte);
            ++i;
        } else if (byte < 0x80 || encoding == TextEncoding::Windows1252) {
            out = writeHexEscape(out, byte); // a control, or a code page byte as it is
            ++i;
        } else {
            qsizetype length = 0;
            const char32_t ch = Utf8::decode(text, i, length);
            if (QChar::requiresSurrogates(ch)) {
                out = writeUnicodeEscape(out, QChar::highSurrogate(ch));
                out = writeUnicodeEscape(out, QChar::lowSurrogate(ch));
            } else {
                out = writeUnicodeEscape(out, char16_t(ch));
            }
            i += length;
        }
    }
    return out;
}
