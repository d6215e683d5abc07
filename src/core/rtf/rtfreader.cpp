// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The reader's driving loop and the text it writes: plain runs copied at once, bytes read as the
// code page says, \uN code units paired into characters, and the text kept whole or handed over
// in pieces. Groups and control words are read in rtfcontrols.cpp.
#include "rtfreader.h"

#include "text/textcodec.h"
#include "text/utf8.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

// Bytes that end a run of plain text: RTF's own marks, source line breaks (not text), and
// bytes outside ASCII, which are read as the code page says.
constexpr std::array<bool, 256> kEndsPlainRun = [] {
    std::array<bool, 256> table {};
    for (const char c : { '{', '}', '\\', '\r', '\n' })
        table[static_cast<unsigned char>(c)] = true;
    for (int byte = 0x80; byte < 0x100; ++byte)
        table[byte] = true;
    return table;
}();

} // namespace

RtfDocument RtfReader::read(QByteArrayView rtf)
{
    RtfReader reader(rtf);
    reader.run();
    reader.m_doc.text.truncate(reader.m_textSize);
    reader.m_doc.colours.truncate(reader.m_textSize);
    reader.m_doc.format = reader.m_layout.format;
    return std::move(reader.m_doc);
}

RtfDocument RtfReader::read(QByteArrayView rtf, const TextSink &sink, qsizetype pieceSize)
{
    Q_ASSERT(sink && pieceSize > 0);
    RtfReader reader(rtf);
    reader.m_sink = sink;
    reader.m_pieceSize = pieceSize;
    reader.run();
    reader.handOverText();
    reader.m_doc.text.clear();
    reader.m_doc.colours.clear();
    reader.m_doc.format = reader.m_layout.format;
    return std::move(reader.m_doc);
}

void RtfReader::handOverText()
{
    if (m_textSize == 0)
        return;
    m_sink(QByteArrayView(m_doc.text).first(m_textSize),
           QByteArrayView(m_doc.colours).first(m_textSize), m_pos);
    m_textSize = 0;
}

void RtfReader::run()
{
    // Text is never longer than the RTF that spells it, so the buffers are sized once (to a
    // piece, when the text is handed over as it goes); pages that stay unwritten cost no memory.
    const qsizetype bufferSize = m_sink ? std::min(m_in.size(), 2 * m_pieceSize) : m_in.size();
    m_doc.text.resize(bufferSize);
    m_doc.colours.resize(bufferSize);
    while (m_pos < m_in.size()) {
        const char c = m_in[m_pos++];
        switch (c) {
        case '{':
            openGroup();
            break;
        case '}':
            closeGroup();
            break;
        case '\\':
            readControl();
            break;
        case '\r':
        case '\n':
            break; // line breaks in RTF source are not text
        default:
            if (!appendPlainRun())
                textByte(static_cast<unsigned char>(c));
            break;
        }
    }
}

// Ordinary text is most of a document: copy a run of plain ASCII at once.
bool RtfReader::appendPlainRun()
{
    if (m_groups.last().destination != Destination::Text || m_fallbackToSkip > 0
        || m_pendingHighSurrogate)
        return false;
    const qsizetype start = m_pos - 1;
    const auto *bytes = reinterpret_cast<const unsigned char *>(m_in.data());
    qsizetype end = start;
    while (end < m_in.size() && !kEndsPlainRun[bytes[end]]) // one table lookup a byte
        ++end;
    if (end == start)
        return false;
    QByteArrayView run = m_in.sliced(start, end - start);
    // Handed over as it goes, a run longer than a piece (a long line) is passed a piece at a
    // time, so that the piece buffer never grows to the length of a line.
    for (; m_sink && run.size() > m_pieceSize; run = run.sliced(m_pieceSize))
        appendText(run.first(m_pieceSize));
    appendText(run);
    m_pos = end;
    return true;
}

// Text in the colour in force; an index beyond what the editor can show falls back to default.
void RtfReader::appendText(QByteArrayView utf8)
{
    if (utf8.isEmpty())
        return; // a paragraph without a terminator: its view may point nowhere
    const int colour = m_groups.constLast().colour;
    const qsizetype end = m_textSize + utf8.size();
    if (end > m_doc.text.size()) { // not expected, since text is shorter than its RTF
        m_doc.text.resize(std::max(end, m_doc.text.size() * 2));
        m_doc.colours.resize(m_doc.text.size());
    }
    std::memcpy(m_doc.text.data() + m_textSize, utf8.data(), utf8.size());
    std::memset(m_doc.colours.data() + m_textSize, colour > RtfDocument::maxColour ? 0 : colour,
                utf8.size());
    m_textSize = end;
    if (m_sink && m_textSize >= m_pieceSize)
        handOverText();
}

void RtfReader::textByte(unsigned char byte)
{
    switch (m_groups.last().destination) {
    case Destination::Skip:
        return;
    case Destination::Layout:
        if (m_layoutText.size() < m_in.size())
            m_layoutText.append(char(byte));
        return;
    case Destination::ColourTable:
        colourTableByte(char(byte));
        return;
    case Destination::Text:
        break;
    }
    if (m_fallbackToSkip > 0) {
        --m_fallbackToSkip;
        return;
    }
    emitCodeUnit(TextCodec::fromWindows1252(byte));
}

void RtfReader::emitCodeUnit(char16_t unit)
{
    if (QChar::isHighSurrogate(unit)) {
        if (m_pendingHighSurrogate) {
            m_pendingHighSurrogate = 0;
            emitCodePoint(0xFFFD);
        }
        m_pendingHighSurrogate = unit;
        return;
    }
    if (QChar::isLowSurrogate(unit)) {
        if (!m_pendingHighSurrogate) {
            emitCodePoint(0xFFFD);
            return;
        }
        const char32_t ch = QChar::surrogateToUcs4(m_pendingHighSurrogate, unit);
        m_pendingHighSurrogate = 0;
        emitCodePoint(ch);
        return;
    }
    emitCodePoint(unit);
}

void RtfReader::emitCodePoint(char32_t ch)
{
    if (m_pendingHighSurrogate && !QChar::isLowSurrogate(ch)) {
        m_pendingHighSurrogate = 0;
        emitCodePoint(0xFFFD);
    }
    char buffer[4];
    const qsizetype length = Utf8::encode(ch, buffer) - buffer;
    appendText(QByteArrayView(buffer, length));
}

void RtfReader::emitParagraph()
{
    if (m_pendingHighSurrogate) { // half a character before the line's end
        m_pendingHighSurrogate = 0;
        emitCodePoint(0xFFFD);
    }
    appendText(lineEndBytes(m_layout.takeLineEnd()));
}
