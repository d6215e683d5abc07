#include "textcodec.h"

#include "utf8.h"

#include <QStringDecoder>
#include <array>
#include <cstring>

namespace {

constexpr std::array<char16_t, 32> kHighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

const QByteArray kUtf8Bom("\xEF\xBB\xBF", 3);

void appendWindows1252(QByteArray &out, char32_t ch, qsizetype &replaced)
{
    const int byte = TextCodec::toWindows1252(ch);
    if (byte < 0) {
        out.append('?');
        ++replaced;
    } else {
        out.append(static_cast<char>(byte));
    }
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
    for (int i = 0; i < int(kHighControlRange.size()); ++i) {
        if (kHighControlRange[i] == ch)
            return 0x80 + i;
    }
    return -1;
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
    result.bytes.reserve(utf8.size());
    for (qsizetype i = 0; i < utf8.size();) {
        // An ill-formed byte, not expected from the editor, reads as U+FFFD and becomes '?'.
        qsizetype length = 0;
        appendWindows1252(result.bytes, Utf8::decode(utf8, i, length), result.replaced);
        i += length;
    }
    return result;
}

} // namespace TextCodec
