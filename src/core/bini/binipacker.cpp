// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "biniformat.h"
#include "biniwire.h"

#include <QCoreApplication>
#include <QHash>
#include <QList>
#include <cstdlib>
#include <cstring>

namespace {

using namespace BiniWire;

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
    Result<QByteArray> run(QByteArrayView text);

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

    Result<> readSections(QByteArrayView text);
    Result<> internNames();
    Result<QByteArray> writeBody();
    quint32 intern(QByteArrayView string);
    PackedValue packValue(QByteArrayView value);

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

Result<QByteArray> Packer::run(QByteArrayView text)
{
    if (const Result<> read = readSections(text); !read)
        return read.failure();
    if (const Result<> interned = internNames(); !interned)
        return interned.failure();
    const Result<QByteArray> body = writeBody();
    if (!body)
        return body;
    QByteArray file = kMagic.toByteArray();
    put(file, kVersion, 4);
    put(file, quint32(kHeaderSize + body->size()), 4);
    file += *body;
    file += m_table;
    return file;
}

// Lines of "[name]" and "key = value, value".
Result<> Packer::readSections(QByteArrayView text)
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
            return Failure { QCoreApplication::translate("BiniFormat", "line %1 holds a NUL byte")
                                 .arg(lineNumber) };
        if (line.startsWith('[') && line.endsWith(']')) {
            m_sections.append({ line.sliced(1, line.size() - 2), {} });
            continue;
        }
        if (m_sections.isEmpty())
            return Failure { QCoreApplication::translate("BiniFormat",
                                                         "line %1 comes before any section")
                                 .arg(lineNumber) };
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
            return Failure { QCoreApplication::translate("BiniFormat",
                                                         "line %1 has more than 255 values")
                                 .arg(lineNumber) };
        m_sections.last().entries.append(entry);
    }
    return {};
}

Result<> Packer::internNames()
{
    for (const Section &section : std::as_const(m_sections)) {
        intern(section.name);
        for (const Entry &entry : section.entries)
            intern(entry.name);
    }
    if (m_table.size() > 0xFFFF + 1)
        return Failure { QCoreApplication::translate("BiniFormat",
                                                     "the names do not fit in 64 KiB") };
    return {};
}

Result<QByteArray> Packer::writeBody()
{
    QByteArray body;
    for (const Section &section : std::as_const(m_sections)) {
        if (section.entries.size() > 0xFFFF)
            return Failure { QCoreApplication::translate("BiniFormat",
                                                         "a section has more than 65535 entries") };
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
    return body;
}

} // namespace

Result<QByteArray> BiniFormat::pack(QByteArrayView text)
{
    return Packer().run(text);
}
