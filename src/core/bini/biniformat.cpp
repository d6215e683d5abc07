// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "biniformat.h"

#include <QCoreApplication>
#include <QHash>
#include <QList>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

constexpr QByteArrayView kMagic = "BINI";
constexpr quint32 kVersion = 1;
constexpr qsizetype kHeaderSize = 12;
enum ValueType : quint8 { IntValue = 1, FloatValue = 2, StringValue = 3 };

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
    BiniFormat::Result run(double share);

private:
    bool fail(const QString &error)
    {
        m_error = error;
        return false;
    }
    bool readString(quint32 offset, QByteArrayView &string);
    bool readEntry(Reader &reader);
    bool readValue(Reader &reader, QByteArray &out);
    bool append(QByteArrayView text);

    QByteArrayView m_file;
    WorkProgress &m_progress;
    QByteArrayView m_table;
    QByteArray m_text;
    QString m_error;
};

bool Decoder::readString(quint32 offset, QByteArrayView &string)
{
    if (offset >= quint32(m_table.size()))
        return fail(QCoreApplication::translate("BiniFormat",
                                                "string offset %1 is outside the string table")
                        .arg(offset));
    const QByteArrayView rest = m_table.sliced(offset);
    const qsizetype nul = rest.indexOf('\0');
    if (nul < 0)
        return fail(
            QCoreApplication::translate("BiniFormat", "string at offset %1 has no terminating NUL")
                .arg(offset));
    string = rest.first(nul);
    return true;
}

bool Decoder::append(QByteArrayView text)
{
    if (m_text.size() + text.size() > BiniFormat::maxTextSize)
        return fail(
            QCoreApplication::translate("BiniFormat", "the text would be larger than %1 MiB")
                .arg(BiniFormat::maxTextSize >> 20));
    m_text.append(text);
    return true;
}

bool Decoder::readValue(Reader &reader, QByteArray &out)
{
    if (!reader.has(5))
        return fail(QCoreApplication::translate("BiniFormat", "truncated value at byte %1")
                        .arg(reader.position()));
    const quint8 type = quint8(reader.read(1));
    const quint32 payload = reader.read(4);
    switch (type) {
    case IntValue:
        out = QByteArray::number(qint32(payload));
        return true;
    case FloatValue: {
        float value;
        std::memcpy(&value, &payload, sizeof value);
        out = BiniFormat::formatFloat(value);
        return true;
    }
    case StringValue: {
        QByteArrayView string;
        if (!readString(payload, string))
            return false;
        out = string.toByteArray();
        return true;
    }
    default:
        return fail(QCoreApplication::translate("BiniFormat", "unknown value type %1 at byte %2")
                        .arg(type)
                        .arg(reader.position() - 5));
    }
}

bool Decoder::readEntry(Reader &reader)
{
    if (!reader.has(3))
        return fail(QCoreApplication::translate("BiniFormat", "truncated entry at byte %1")
                        .arg(reader.position()));
    QByteArrayView name;
    if (!readString(reader.read(2), name))
        return false;
    const int valueCount = int(reader.read(1));
    QByteArray line = name.toByteArray();
    for (int i = 0; i < valueCount; ++i) {
        QByteArray value;
        if (!readValue(reader, value))
            return false;
        line += i == 0 ? " = " : ", ";
        line += value;
        if (line.size() > BiniFormat::maxTextSize)
            return append(line);
    }
    line += "\r\n";
    return append(line);
}

BiniFormat::Result Decoder::run(double share)
{
    if (!m_file.startsWith(kMagic))
        return { false,
                 {},
                 QCoreApplication::translate("BiniFormat",
                                             "not a compressed INI file (no BINI magic)") };
    if (m_file.size() < kHeaderSize)
        return { false, {}, QCoreApplication::translate("BiniFormat", "truncated header") };
    Reader header(m_file, kHeaderSize);
    header.seek(4);
    const quint32 version = header.read(4);
    const quint32 tableOffset = header.read(4);
    if (version != kVersion)
        return { false,
                 {},
                 QCoreApplication::translate("BiniFormat", "unsupported version %1").arg(version) };
    if (tableOffset < kHeaderSize || tableOffset > quint64(m_file.size()))
        return { false,
                 {},
                 QCoreApplication::translate("BiniFormat",
                                             "string table offset %1 is outside the file")
                     .arg(tableOffset) };
    m_table = m_file.sliced(tableOffset);

    Reader reader(m_file, tableOffset);
    m_progress.beginStep(tableOffset - kHeaderSize, share);
    bool first = true;
    while (!reader.atEnd()) {
        m_progress.advanceTo(reader.position() - kHeaderSize);
        if (!reader.has(4))
            return { false,
                     {},
                     QCoreApplication::translate("BiniFormat", "truncated section at byte %1")
                         .arg(reader.position()) };
        QByteArrayView name;
        const quint32 nameOffset = reader.read(2);
        const quint32 entryCount = reader.read(2);
        if (!readString(nameOffset, name)
            || !append((first ? QByteArray() : QByteArray("\r\n")) + '[' + name.toByteArray()
                       + "]\r\n"))
            return { false, {}, m_error };
        first = false;
        for (quint32 i = 0; i < entryCount; ++i) {
            if (!readEntry(reader))
                return { false, {}, m_error };
            m_progress.advanceTo(reader.position() - kHeaderSize);
        }
    }
    return { true, m_text, {} };
}

// Packing -------------------------------------------------------------------------------------

struct PackedValue
{
    quint8 type;
    quint32 payload;
};

// Packs a text in three steps: its lines into sections and entries, the names into the string
// table (first, so that their offsets fit in 16 bits), and the body after the header.
class Packer
{
public:
    BiniFormat::Result run(QByteArrayView text);

private:
    struct Entry
    {
        QByteArrayView name;
        QList<QByteArrayView> values;
    };
    struct Section
    {
        QByteArrayView name;
        QList<Entry> entries;
    };

    QString readSections(QByteArrayView text);
    QString internNames();
    QString writeBody(QByteArray &body);
    quint32 intern(QByteArrayView string);
    PackedValue packValue(QByteArrayView value);
    static void put(QByteArray &out, quint32 value, int bytes)
    {
        for (int i = 0; i < bytes; ++i)
            out.append(char((value >> (8 * i)) & 0xFF));
    }

    QList<Section> m_sections; // views into the text, which outlives them
    QByteArray m_table;
    QHash<QByteArray, quint32> m_offsets;
};

quint32 Packer::intern(QByteArrayView string)
{
    const QByteArray key = string.toByteArray();
    if (const auto found = m_offsets.constFind(key); found != m_offsets.cend())
        return found.value();
    const quint32 offset = quint32(m_table.size());
    m_table += key;
    m_table += '\0';
    m_offsets.insert(key, offset);
    return offset;
}

// An int or a float only where its text comes back unchanged; anything else stays a string.
PackedValue Packer::packValue(QByteArrayView value)
{
    const QByteArray text = value.toByteArray(); // NUL-terminated for strtof
    bool isInt = false;
    const int asInt = text.toInt(&isInt);
    if (isInt && QByteArray::number(asInt) == text)
        return { IntValue, quint32(asInt) };
    const float asFloat = std::strtof(text.constData(), nullptr);
    if (BiniFormat::formatFloat(asFloat) == text) {
        quint32 bits;
        std::memcpy(&bits, &asFloat, sizeof bits);
        return { FloatValue, bits };
    }
    return { StringValue, intern(value) };
}

BiniFormat::Result Packer::run(QByteArrayView text)
{
    QByteArray body;
    QString error = readSections(text);
    if (error.isEmpty())
        error = internNames();
    if (error.isEmpty())
        error = writeBody(body);
    if (!error.isEmpty())
        return { false, {}, error };
    QByteArray file = kMagic.toByteArray();
    put(file, kVersion, 4);
    put(file, quint32(kHeaderSize + body.size()), 4);
    file += body;
    file += m_table;
    return { true, file, {} };
}

// Lines of "[name]" and "key = value, value"; an empty string, or why the text cannot be packed.
QString Packer::readSections(QByteArrayView text)
{
    qsizetype start = 0;
    int lineNumber = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0)
            end = text.size();
        QByteArrayView line = text.sliced(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        if (line.contains('\0'))
            return QCoreApplication::translate("BiniFormat", "line %1 holds a NUL byte")
                .arg(lineNumber);
        if (line.startsWith('[') && line.endsWith(']')) {
            m_sections.append({ line.sliced(1, line.size() - 2), {} });
            continue;
        }
        if (m_sections.isEmpty())
            return QCoreApplication::translate("BiniFormat", "line %1 comes before any section")
                .arg(lineNumber);
        Entry entry;
        const qsizetype equals = line.indexOf(" = ");
        entry.name = equals < 0 ? line : line.first(equals);
        if (equals >= 0) {
            QByteArrayView rest = line.sliced(equals + 3);
            for (qsizetype comma; (comma = rest.indexOf(", ")) >= 0; rest = rest.sliced(comma + 2))
                entry.values.append(rest.first(comma));
            entry.values.append(rest);
        }
        if (entry.values.size() > 255)
            return QCoreApplication::translate("BiniFormat", "line %1 has more than 255 values")
                .arg(lineNumber);
        m_sections.last().entries.append(entry);
    }
    return {};
}

QString Packer::internNames()
{
    for (const Section &section : std::as_const(m_sections)) {
        intern(section.name);
        for (const Entry &entry : section.entries)
            intern(entry.name);
    }
    if (m_table.size() > 0xFFFF + 1)
        return QCoreApplication::translate("BiniFormat", "the names do not fit in 64 KiB");
    return {};
}

QString Packer::writeBody(QByteArray &body)
{
    for (const Section &section : std::as_const(m_sections)) {
        if (section.entries.size() > 0xFFFF)
            return QCoreApplication::translate("BiniFormat",
                                               "a section has more than 65535 entries");
        put(body, intern(section.name), 2);
        put(body, quint32(section.entries.size()), 2);
        for (const Entry &entry : section.entries) {
            put(body, intern(entry.name), 2);
            put(body, quint32(entry.values.size()), 1);
            for (QByteArrayView value : entry.values) {
                const PackedValue packed = packValue(value);
                put(body, packed.type, 1);
                put(body, packed.payload, 4);
            }
        }
    }
    return {};
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

BiniFormat::Result BiniFormat::decode(QByteArrayView file, WorkProgress &progress, double share)
{
    return Decoder(file, progress).run(share);
}

BiniFormat::Result BiniFormat::pack(QByteArrayView text)
{
    return Packer().run(text);
}
