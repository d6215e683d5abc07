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
const QByteArray kUtf16LeBom("\xFF\xFE", 2);
const QByteArray kUtf16BeBom("\xFE\xFF", 2);

bool isUtf16(TextEncoding encoding)
{
    return encoding == TextEncoding::Utf16Le || encoding == TextEncoding::Utf16Be;
}

char16_t unitAt(const unsigned char *p, bool bigEndian)
{
    return bigEndian ? char16_t(p[0] << 8 | p[1]) : char16_t(p[1] << 8 | p[0]);
}

char *putUnit(char *out, char16_t unit, bool bigEndian)
{
    out[bigEndian ? 0 : 1] = char(unit >> 8);
    out[bigEndian ? 1 : 0] = char(unit & 0xFF);
    return out + 2;
}

// The UTF-16 form of editor text, which is UTF-8. Each UTF-8 sequence of one to three bytes
// becomes one unit and of four bytes two, so the output is sized once at twice the input.
QByteArray utf8ToUtf16(QByteArrayView utf8, bool bigEndian)
{
    QByteArray bytes(2 + 2 * utf8.size(), Qt::Uninitialized);
    char *out = putUnit(bytes.data(), 0xFEFF, bigEndian);
    const auto *in = reinterpret_cast<const unsigned char *>(utf8.data());
    for (qsizetype i = 0; i < utf8.size();) {
        if (in[i] < 0x80) {
            out = putUnit(out, in[i++], bigEndian);
            continue;
        }
        qsizetype length = 0;
        const char32_t ch = Utf8::decode(utf8, i, length);
        if (QChar::requiresSurrogates(ch)) {
            out = putUnit(out, QChar::highSurrogate(ch), bigEndian);
            out = putUnit(out, QChar::lowSurrogate(ch), bigEndian);
        } else {
            out = putUnit(out, char16_t(ch), bigEndian);
        }
        i += length;
    }
    bytes.truncate(out - bytes.constData());
    return bytes;
}

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

bool startsAsUtf16(QByteArrayView bytes)
{
    return bytes.startsWith(kUtf16LeBom) || bytes.startsWith(kUtf16BeBom);
}

bool isValidUtf16(QByteArrayView units, bool bigEndian)
{
    if (units.size() % 2 != 0)
        return false;
    const auto *p = reinterpret_cast<const unsigned char *>(units.data());
    const auto *const end = p + units.size();
    for (; p < end; p += 2) {
        const char16_t unit = unitAt(p, bigEndian);
        if (QChar::isLowSurrogate(unit))
            return false;
        if (QChar::isHighSurrogate(unit)) {
            p += 2;
            if (p == end || !QChar::isLowSurrogate(unitAt(p, bigEndian)))
                return false;
        }
    }
    return true;
}

QByteArray utf16ToUtf8(QByteArrayView units, bool bigEndian)
{
    // At most three bytes for each unit, and four for a pair of them.
    QByteArray utf8(units.size() / 2 * 3, Qt::Uninitialized);
    char *out = utf8.data();
    const auto *p = reinterpret_cast<const unsigned char *>(units.data());
    const auto *const end = p + units.size() / 2 * 2;
    for (; p < end; p += 2) {
        char32_t ch = unitAt(p, bigEndian);
        if (ch < 0x80) {
            *out++ = char(ch);
            continue;
        }
        if (QChar::isHighSurrogate(ch) && end - p >= 4) {
            ch = QChar::surrogateToUcs4(char16_t(ch), unitAt(p + 2, bigEndian));
            p += 2;
        }
        out = Utf8::encode(ch, out);
    }
    utf8.truncate(out - utf8.constData());
    return utf8;
}

TextFormat detectFormat(QByteArrayView bytes)
{
    TextFormat format;
    for (const bool bigEndian : { false, true }) {
        if (bytes.startsWith(bigEndian ? kUtf16BeBom : kUtf16LeBom)
            && isValidUtf16(bytes.sliced(2), bigEndian)) {
            format.encoding = bigEndian ? TextEncoding::Utf16Be : TextEncoding::Utf16Le;
            format.byteOrderMark = true;
            return format;
        }
    }
    if (!isValidUtf8(bytes)) {
        format.encoding = TextEncoding::Windows1252;
        return format;
    }
    format.byteOrderMark = bytes.startsWith(kUtf8Bom);
    return format;
}

QByteArrayView withoutByteOrderMark(QByteArrayView bytes, const TextFormat &format)
{
    if (!format.byteOrderMark)
        return bytes;
    return bytes.sliced(isUtf16(format.encoding) ? kUtf16LeBom.size() : kUtf8Bom.size());
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
    if (isUtf16(result.format.encoding)) {
        result.text = fromUtf8(utf16ToUtf8(bytes, result.format.encoding == TextEncoding::Utf16Be));
        return result;
    }
    result.text.resize(bytes.size());
    char16_t *out = reinterpret_cast<char16_t *>(result.text.data());
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = fromWindows1252(static_cast<unsigned char>(bytes[i]));
    return result;
}

Unheld unheldCharacters(QByteArrayView utf8, const TextFormat &format, int examples)
{
    Unheld unheld;
    if (format.encoding != TextEncoding::Windows1252) // the others hold every character
        return unheld;
    for (qsizetype i = 0; i < utf8.size();) {
        i += Utf8::asciiPrefixLength(utf8.sliced(i));
        if (i == utf8.size())
            break;
        qsizetype length = 0;
        const char32_t ch = Utf8::decode(utf8, i, length);
        if (toWindows1252(ch) < 0) {
            ++unheld.count;
            if (unheld.first.size() <= examples && !unheld.first.contains(ch))
                unheld.first.append(ch); // one more than asked: tells that there are more
        }
        i += length;
    }
    return unheld;
}

Encoded encodeUtf8Text(QByteArrayView utf8, const TextFormat &format)
{
    Encoded result;
    if (format.encoding == TextEncoding::Utf8 && !format.byteOrderMark) {
        // The text is the file: no copy of a large document, only a view of the caller's bytes.
        result.bytes = QByteArray::fromRawData(utf8.data(), utf8.size());
        return result;
    }
    if (isUtf16(format.encoding)) {
        result.bytes = utf8ToUtf16(utf8, format.encoding == TextEncoding::Utf16Be);
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
