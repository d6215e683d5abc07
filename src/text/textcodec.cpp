// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "textcodec.h"

#include "utf8.h"

#include <QStringDecoder>
#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr std::array<char16_t, 32> kHighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The same range turned round: the characters above U+00FF that have a byte, sorted for a
// binary search.
struct CharacterByte
{
    char16_t character;
    unsigned char byte;
    constexpr bool operator<(const CharacterByte &other) const
    {
        return character < other.character;
    }
};
constexpr std::array<CharacterByte, 27> kHighControlBytes = [] {
    std::array<CharacterByte, 27> table {};
    size_t count = 0;
    for (size_t i = 0; i < kHighControlRange.size(); ++i) {
        if (kHighControlRange[i] > 0xFF)
            table[count++] = { kHighControlRange[i], static_cast<unsigned char>(0x80 + i) };
    }
    std::sort(table.begin(), table.end());
    return table;
}();

const QByteArray kUtf8Bom("\xEF\xBB\xBF", 3);

} // namespace

namespace TextCodec {

bool isValidUtf8(QByteArrayView bytes)
{
    // Most of a configuration file is ASCII, which is skipped in bulk; only what lies outside
    // it is looked at sequence by sequence.
    for (qsizetype i = 0; i < bytes.size();) {
        i += Utf8::asciiPrefixLength(bytes.sliced(i));
        if (i == bytes.size())
            break;
        const qsizetype length = Utf8::sequenceLength(bytes, i);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

TextFormat detectFormat(QByteArrayView bytes)
{
    TextFormat format;
    if (!isValidUtf8(bytes)) {
        format.encoding = TextEncoding::Windows1252;
        return format;
    }
    format.byteOrderMark = bytes.startsWith(kUtf8Bom);
    return format;
}

QByteArrayView withoutByteOrderMark(QByteArrayView bytes, const TextFormat &format)
{
    return format.byteOrderMark ? bytes.sliced(kUtf8Bom.size()) : bytes;
}

QString fromUtf8(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return decoder(bytes);
}

char16_t fromWindows1252(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return kHighControlRange[byte - 0x80];
    return byte;
}

int toWindows1252(char32_t ch)
{
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF))
        return static_cast<int>(ch);
    if (ch >= 0x80 && ch <= 0x9F) // the five C1 controls that Windows-1252 leaves unassigned
        return kHighControlRange[ch - 0x80] == ch ? static_cast<int>(ch) : -1;
    if (ch > 0xFFFF)
        return -1;
    const CharacterByte key { char16_t(ch), 0 };
    const auto found = std::lower_bound(kHighControlBytes.begin(), kHighControlBytes.end(), key);
    return found != kHighControlBytes.end() && found->character == ch ? found->byte : -1;
}

Decoded decode(QByteArrayView bytes)
{
    Decoded result;
    result.format = detectFormat(bytes);
    bytes = withoutByteOrderMark(bytes, result.format);
    if (result.format.encoding == TextEncoding::Utf8) {
        result.text = fromUtf8(bytes);
        return result;
    }
    result.text.resize(bytes.size());
    char16_t *out = reinterpret_cast<char16_t *>(result.text.data());
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = fromWindows1252(static_cast<unsigned char>(bytes[i]));
    return result;
}

Encoded encodeUtf8Text(QByteArrayView utf8, const TextFormat &format)
{
    Encoded result;
    if (format.encoding == TextEncoding::Utf8 && !format.byteOrderMark) {
        // The text is the file: no copy of a large document, only a view of the caller's bytes.
        result.bytes = QByteArray::fromRawData(utf8.data(), utf8.size());
        return result;
    }
    if (format.encoding == TextEncoding::Utf8) {
        result.bytes.reserve(kUtf8Bom.size() + utf8.size());
        result.bytes.append(kUtf8Bom).append(utf8);
        return result;
    }
    // Each character takes one byte, never more than its UTF-8: the output is sized once and
    // written through a pointer; ASCII, the same in both, is copied a run at a time.
    result.bytes.resize(utf8.size());
    char *out = result.bytes.data();
    for (qsizetype i = 0; i < utf8.size();) {
        const qsizetype run = Utf8::asciiPrefixLength(utf8.sliced(i));
        std::memcpy(out, utf8.data() + i, run);
        out += run;
        i += run;
        if (i == utf8.size())
            break;
        // An ill-formed byte, not expected from the editor, reads as U+FFFD and becomes '?'.
        qsizetype length = 0;
        const int byte = toWindows1252(Utf8::decode(utf8, i, length));
        if (byte < 0)
            ++result.replaced;
        *out++ = byte < 0 ? '?' : static_cast<char>(byte);
        i += length;
    }
    result.bytes.truncate(out - result.bytes.constData());
    return result;
}

} // namespace TextCodec
