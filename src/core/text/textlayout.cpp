// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "textlayout.h"

namespace {

bool isLineEnd(char c)
{
    return c == char(LineEnd::CrLf) || c == char(LineEnd::Cr) || c == char(LineEnd::Lf)
        || c == char(LineEnd::None);
}

} // namespace

void TextLayout::appendLineEnd(LineEnd end)
{
    if (!m_runs.isEmpty() && m_runs.last().end == end)
        ++m_runs.last().count;
    else
        m_runs.append({ 1, end });
}

LineEnd TextLayout::takeLineEnd()
{
    while (m_readRun < m_runs.size() && m_readInRun >= m_runs[m_readRun].count) {
        ++m_readRun;
        m_readInRun = 0;
    }
    if (m_readRun >= m_runs.size())
        return LineEnd::CrLf;
    ++m_readInRun;
    return m_runs[m_readRun].end;
}

QByteArray TextLayout::toText() const
{
    QByteArray text = nameOf(format.encoding).stored;
    text += format.byteOrderMark ? ";1;" : ";0;";
    for (const Run &run : m_runs) {
        text += QByteArray::number(run.count);
        text += char(run.end);
    }
    return text;
}

TextLayout TextLayout::fromText(QByteArrayView text)
{
    TextLayout layout;
    const QList<QByteArrayView> fields = [&] {
        QList<QByteArrayView> parts;
        qsizetype start = 0;
        for (qsizetype i = 0; i <= text.size(); ++i) {
            if (i == text.size() || text[i] == ';') {
                parts.append(text.sliced(start, i - start).trimmed());
                start = i + 1;
            }
        }
        return parts;
    }();
    if (fields.size() != 3)
        return layout;
    for (const EncodingName &known : kEncodingNames) {
        if (fields[0] == known.stored)
            layout.format.encoding = known.encoding;
    }
    layout.format.byteOrderMark = fields[1] == "1";
    qsizetype count = 0;
    for (char c : fields[2]) {
        if (c >= '0' && c <= '9') {
            if (count < (qsizetype(1) << 40)) // keeps a hostile count from overflowing
                count = count * 10 + (c - '0');
        } else if (isLineEnd(c) && count > 0) {
            layout.m_runs.append({ count, LineEnd(c) });
            count = 0;
        } else {
            count = 0;
        }
    }
    return layout;
}

QByteArrayView lineEndBytes(LineEnd end)
{
    switch (end) {
    case LineEnd::CrLf:
        return "\r\n";
    case LineEnd::Cr:
        return "\r";
    case LineEnd::Lf:
        return "\n";
    case LineEnd::None:
        break;
    }
    return {};
}
