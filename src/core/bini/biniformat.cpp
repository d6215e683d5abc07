// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "biniformat.h"

#include "biniwire.h"

#include <QCoreApplication>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

using namespace BiniWire;

class Reader
{
public:
    Reader(QByteArrayView file, qsizetype end) : m_file(file), m_end(end) { }

    qsizetype position() const { return m_pos; }
    void seek(qsizetype position) { m_pos = position; }
    bool atEnd() const { return m_pos >= m_end; }
    bool has(qsizetype count) const { return m_end - m_pos >= count; }

    quint32 read(int bytes)
    {
        quint32 value = 0;
        for (int i = 0; i < bytes; ++i)
            value |= quint32(static_cast<unsigned char>(m_file[m_pos + i])) << (8 * i);
        m_pos += bytes;
        return value;
    }

private:
    QByteArrayView m_file;
    qsizetype m_end;
    qsizetype m_pos = kHeaderSize;
};

class Decoder
{
public:
    Decoder(QByteArrayView file, WorkProgress &progress) : m_file(file), m_progress(progress) { }
    Result<QByteArray> run(double share);

private:
    Result<> readSections(Reader &reader);
    Result<QByteArrayView> readString(quint32 offset);
    Result<> readEntry(Reader &reader);
    Result<QByteArray> readValue(Reader &reader);
    Result<> append(QByteArrayView text);

    QByteArrayView m_file;
    WorkProgress &m_progress;
    QByteArrayView m_table;
    QByteArray m_text;
};

Result<QByteArrayView> Decoder::readString(quint32 offset)
{
    if (offset >= quint32(m_table.size()))
        return Failure { QCoreApplication::translate("BiniFormat",
                                                     "string offset %1 is outside the string table")
                             .arg(offset) };
    const QByteArrayView rest = m_table.sliced(offset);
    const qsizetype nul = rest.indexOf('\0');
    if (nul < 0)
        return Failure { QCoreApplication::translate("BiniFormat",
                                                     "string at offset %1 has no terminating NUL")
                             .arg(offset) };
    return rest.first(nul);
}

Result<> Decoder::append(QByteArrayView text)
{
    if (m_text.size() + text.size() > BiniFormat::maxTextSize)
        return Failure { QCoreApplication::translate("BiniFormat",
                                                     "the text would be larger than %1 MiB")
                             .arg(BiniFormat::maxTextSize >> 20) };
    m_text.append(text);
    return {};
}

Result<QByteArray> Decoder::readValue(Reader &reader)
{
    if (!reader.has(5))
        return Failure { QCoreApplication::translate("BiniFormat", "truncated value at byte %1")
                             .arg(reader.position()) };
    const quint8 type = quint8(reader.read(1));
    const quint32 payload = reader.read(4);
    switch (type) {
    case IntValue:
        return QByteArray::number(qint32(payload));
    case FloatValue: {
        float value;
        std::memcpy(&value, &payload, sizeof value);
        return BiniFormat::formatFloat(value);
    }
    case StringValue: {
        const Result<QByteArrayView> string = readString(payload);
        if (!string)
            return string.failure();
        return string->toByteArray();
    }
    default:
        return Failure { QCoreApplication::translate("BiniFormat",
                                                     "unknown value type %1 at byte %2")
                             .arg(type)
                             .arg(reader.position() - 5) };
    }
}

Result<> Decoder::readEntry(Reader &reader)
{
    if (!reader.has(3))
        return Failure { QCoreApplication::translate("BiniFormat", "truncated entry at byte %1")
                             .arg(reader.position()) };
    const Result<QByteArrayView> name = readString(reader.read(2));
    if (!name)
        return name.failure();
    const int valueCount = int(reader.read(1));
    QByteArray line = name->toByteArray();
    for (int i = 0; i < valueCount; ++i) {
        const Result<QByteArray> value = readValue(reader);
        if (!value)
            return value.failure();
        line += i == 0 ? " = " : ", ";
        line += *value;
        if (line.size() > BiniFormat::maxTextSize)
            return append(line);
    }
    line += "\r\n";
    return append(line);
}

Result<> Decoder::readSections(Reader &reader)
{
    bool first = true;
    while (!reader.atEnd()) {
        m_progress.advanceTo(reader.position() - kHeaderSize);
        if (!reader.has(4))
            return Failure { QCoreApplication::translate("BiniFormat",
                                                         "truncated section at byte %1")
                                 .arg(reader.position()) };
        const quint32 nameOffset = reader.read(2);
        const quint32 entryCount = reader.read(2);
        const Result<QByteArrayView> name = readString(nameOffset);
        if (!name)
            return name.failure();
        const Result<> header = append((first ? QByteArray() : QByteArray("\r\n")) + '['
                                       + name->toByteArray() + "]\r\n");
        if (!header)
            return header;
        first = false;
        for (quint32 i = 0; i < entryCount; ++i) {
            if (const Result<> entry = readEntry(reader); !entry)
                return entry;
            m_progress.advanceTo(reader.position() - kHeaderSize);
        }
    }
    return {};
}

Result<QByteArray> Decoder::run(double share)
{
    if (!m_file.startsWith(kMagic))
        return Failure { QCoreApplication::translate("BiniFormat",
                                                     "not a compressed INI file (no BINI magic)") };
    if (m_file.size() < kHeaderSize)
        return Failure { QCoreApplication::translate("BiniFormat", "truncated header") };
    Reader header(m_file, kHeaderSize);
    header.seek(4);
    const quint32 version = header.read(4);
    const quint32 tableOffset = header.read(4);
    if (version != kVersion)
        return Failure {
            QCoreApplication::translate("BiniFormat", "unsupported version %1").arg(version)
        };
    if (tableOffset < kHeaderSize || tableOffset > quint64(m_file.size()))
        return Failure { QCoreApplication::translate("BiniFormat",
                                                     "string table offset %1 is outside the file")
                             .arg(tableOffset) };
    m_table = m_file.sliced(tableOffset);
    Reader reader(m_file, tableOffset);
    m_progress.beginStep(tableOffset - kHeaderSize, share);
    if (const Result<> read = readSections(reader); !read)
        return read.failure();
    return m_text;
}

} // namespace

QByteArray BiniFormat::formatFloat(float value)
{
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value < 0 ? "-inf" : "inf";
    char buffer[32];
    for (int precision = 1; precision <= 9; ++precision) {
        std::snprintf(buffer, sizeof buffer, "%.*e", precision - 1, double(value));
        if (std::strtof(buffer, nullptr) == value)
            break;
    }
    // buffer is [-]d[.ddd]e(+|-)XX
    QByteArrayView text(buffer);
    const bool negative = text.startsWith('-');
    if (negative)
        text = text.sliced(1);
    const qsizetype e = text.indexOf('e');
    const int exponent = text.sliced(e + 1).toInt();
    QByteArray digits = text.first(e).toByteArray().replace(".", "");
    while (digits.size() > 1 && digits.endsWith('0'))
        digits.chop(1);

    QByteArray out = negative ? "-" : "";
    if (exponent >= -4 && exponent < 16) {
        if (exponent >= 0) {
            const QByteArray whole = digits.left(exponent + 1).leftJustified(exponent + 1, '0');
            const QByteArray fraction = digits.mid(exponent + 1);
            out += whole + '.' + (fraction.isEmpty() ? QByteArray("0") : fraction);
        } else {
            out += "0." + QByteArray(-exponent - 1, '0') + digits;
        }
        return out;
    }
    out += digits.left(1);
    if (digits.size() > 1)
        out += '.' + digits.mid(1);
    out += exponent < 0 ? "e-" : "e+";
    out += QByteArray::number(std::abs(exponent)).rightJustified(2, '0');
    return out;
}

bool BiniFormat::hasReadableSignature(QByteArrayView head)
{
    if (head.size() < signatureSize || !head.startsWith(kMagic))
        return false;
    Reader reader(head, signatureSize);
    reader.seek(kMagic.size());
    return reader.read(4) == kVersion;
}

Result<QByteArray> BiniFormat::decode(QByteArrayView file, WorkProgress &progress, double share)
{
    return Decoder(file, progress).run(share);
}
