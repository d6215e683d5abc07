// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

// A recovery copy's own format: a header of "key: value" lines after a first line that names
// the format, then the text. Read back only when every field is there and well formed.
#include "files/filesystem.h"
#include "recoverystore.h"

#include <QByteArrayView>
#include <charconv>
#include <optional>

namespace {

// The first line of every copy; a later layout gets a new number, and older runs pass it over.
constexpr char kMagic[] = "Morvane recovery copy 1";
void addField(QByteArray &bytes, const char *key, const QByteArray &value)
{
    bytes += key;
    bytes += ": ";
    bytes += value;
    bytes += '\n';
}

QByteArray yesNo(bool value)
{
    return value ? "yes" : "no";
}

// Decimal digits, a minus first only where `Number` may be negative; nothing else.
template<typename Number> std::optional<Number> parseNumber(QByteArrayView digits)
{
    Number value {};
    const char *end = digits.data() + digits.size();
    const auto [stop, error] = std::from_chars(digits.data(), end, value);
    if (digits.isEmpty() || error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

// Reads a copy's header a line at a time, each checked against what it must be. The first
// mismatch fails the whole header; the reads after it only give empty values.
class Header
{
public:
    explicit Header(QByteArrayView bytes) : m_rest(bytes) { }

    void expect(QByteArrayView line)
    {
        if (nextLine() != line)
            m_failed = true;
    }
    QByteArray base64(QByteArrayView key)
    {
        auto decoded = QByteArray::fromBase64Encoding(value(key).toByteArray(),
                                                      QByteArray::AbortOnBase64DecodingErrors);
        return decoded ? *decoded : failed<QByteArray>();
    }
    bool yesNo(QByteArrayView key)
    {
        const QByteArrayView answer = value(key);
        if (answer != "yes" && answer != "no")
            m_failed = true;
        return answer == "yes";
    }
    TextEncoding encoding(QByteArrayView key)
    {
        const QByteArrayView name = value(key);
        for (const EncodingName &known : kEncodingNames) {
            if (name == known.stored)
                return known.encoding;
        }
        return failed<TextEncoding>();
    }
    template<typename Number> Number number(QByteArrayView key)
    {
        const std::optional<Number> parsed = parseNumber<Number>(value(key));
        return parsed ? *parsed : failed<Number>();
    }
    // What follows the header, once all of it was as it must be.
    std::optional<QByteArrayView> body() const
    {
        return m_failed ? std::nullopt : std::optional(m_rest);
    }

private:
    QByteArrayView nextLine()
    {
        const qsizetype end = m_failed ? -1 : m_rest.indexOf('\n');
        if (end < 0)
            return failed<QByteArrayView>();
        const QByteArrayView line = m_rest.first(end);
        m_rest = m_rest.sliced(end + 1);
        return line;
    }
    QByteArrayView value(QByteArrayView key)
    {
        const QByteArrayView line = nextLine();
        if (line.startsWith(key) && line.sliced(key.size()).startsWith(": "))
            return line.sliced(key.size() + 2);
        return failed<QByteArrayView>();
    }
    template<typename T> T failed()
    {
        m_failed = true;
        return T();
    }

    QByteArrayView m_rest;
    bool m_failed = false;
};

} // namespace

QByteArray RecoveryCopy::encode() const
{
    QByteArray bytes = QByteArray(kMagic) + '\n';
    addField(bytes, "path", FileSystem::nativePath(path).toBase64());
    addField(bytes, "title", title.toUtf8().toBase64());
    addField(bytes, "encoding", nameOf(format.encoding).stored);
    addField(bytes, "byte-order-mark", yesNo(format.byteOrderMark));
    addField(bytes, "file-exists", yesNo(stamp.exists));
    addField(bytes, "file-device", QByteArray::number(stamp.device));
    addField(bytes, "file-inode", QByteArray::number(stamp.inode));
    addField(bytes, "file-size", QByteArray::number(stamp.size));
    addField(bytes, "file-modified", QByteArray::number(stamp.modified));
    addField(bytes, "file-changed", QByteArray::number(stamp.changed));
    addField(bytes, "length", QByteArray::number(text.size()));
    return bytes + '\n' + text;
}

std::optional<RecoveryCopy> RecoveryCopy::decode(QByteArrayView bytes)
{
    Header header(bytes);
    header.expect(kMagic);
    RecoveryCopy copy;
    copy.path = FileSystem::pathFromNative(header.base64("path"));
    copy.title = QString::fromUtf8(header.base64("title"));
    copy.format.encoding = header.encoding("encoding");
    copy.format.byteOrderMark = header.yesNo("byte-order-mark");
    copy.stamp.exists = header.yesNo("file-exists");
    copy.stamp.device = header.number<quint64>("file-device");
    copy.stamp.inode = header.number<quint64>("file-inode");
    copy.stamp.size = header.number<qint64>("file-size");
    copy.stamp.modified = header.number<qint64>("file-modified");
    copy.stamp.changed = header.number<qint64>("file-changed");
    const qint64 length = header.number<qint64>("length");
    header.expect("");
    const std::optional<QByteArrayView> text = header.body();
    if (!text || text->size() != length)
        return std::nullopt;
    copy.text = text->toByteArray();
    return copy;
}
