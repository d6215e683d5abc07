// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rtfreader.h"

#include "rtfwriter.h"
#include "text/textcodec.h"
#include "text/utf8.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

namespace {

constexpr qsizetype kMaxGroupDepth = 4096;
constexpr qsizetype kMaxWordLength = 32;

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

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Destinations whose text is not part of the document, sorted for a binary search.
bool isSkippedDestination(QByteArrayView word)
{
    static constexpr std::array<std::string_view, 24> kSkipped = {
        "colorschememapping",
        "datastore",
        "filetbl",
        "fldinst",
        "fonttbl",
        "footer",
        "footerl",
        "footerr",
        "footnote",
        "generator",
        "header",
        "headerl",
        "headerr",
        "info",
        "latentstyles",
        "listoverridetable",
        "listtable",
        "object",
        "pict",
        "revtbl",
        "rsidtbl",
        "stylesheet",
        "themedata",
        "xmlnstbl",
    };
    static_assert(std::is_sorted(kSkipped.begin(), kSkipped.end()));
    return std::binary_search(kSkipped.begin(), kSkipped.end(),
                              std::string_view(word.data(), size_t(word.size())));
}

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

void RtfReader::openGroup()
{
    m_fallbackToSkip = 0;
    if (m_groups.size() >= kMaxGroupDepth) {
        ++m_groupsBeyondLimit;
        return;
    }
    m_groups.append(m_groups.last());
}

void RtfReader::closeGroup()
{
    m_fallbackToSkip = 0;
    if (m_groupsBeyondLimit > 0) {
        --m_groupsBeyondLimit;
        return;
    }
    if (m_groups.size() <= 1)
        return; // an unbalanced close; keep reading
    const Destination closed = m_groups.last().destination;
    m_groups.removeLast();
    if (closed == Destination::Layout && m_groups.last().destination != Destination::Layout) {
        m_layout = TextLayout::fromText(m_layoutText);
        m_layoutText.clear();
    }
}

void RtfReader::readControl()
{
    if (m_pos >= m_in.size())
        return;
    const char c = m_in[m_pos];
    if (isLetter(c)) {
        const qsizetype start = m_pos;
        while (m_pos < m_in.size() && isLetter(m_in[m_pos]))
            ++m_pos;
        const QByteArrayView word = m_in.sliced(start, std::min(m_pos - start, kMaxWordLength));
        bool negative = false;
        if (m_pos + 1 < m_in.size() && m_in[m_pos] == '-' && isDigit(m_in[m_pos + 1])) {
            negative = true;
            ++m_pos;
        }
        bool hasParameter = false;
        qint64 parameter = 0;
        while (m_pos < m_in.size() && isDigit(m_in[m_pos])) {
            hasParameter = true;
            parameter = std::min<qint64>(parameter * 10 + (m_in[m_pos] - '0'), 1LL << 40);
            ++m_pos;
        }
        if (m_pos < m_in.size() && m_in[m_pos] == ' ')
            ++m_pos;
        controlWord(word, hasParameter, negative ? -parameter : parameter);
        return;
    }
    ++m_pos;
    switch (c) {
    case '\'': {
        const int high = m_pos < m_in.size() ? hexValue(m_in[m_pos]) : -1;
        const int low = m_pos + 1 < m_in.size() ? hexValue(m_in[m_pos + 1]) : -1;
        if (high < 0 || low < 0)
            return;
        m_pos += 2;
        textByte(static_cast<unsigned char>(high * 16 + low));
        return;
    }
    case '*':
        m_groups.last().destination = Destination::Skip;
        return;
    case '\r':
    case '\n':
        controlWord("par", false, 0);
        return;
    case '~':
        if (m_groups.last().destination == Destination::Text)
            emitCodePoint(0xA0);
        return;
    case '\\':
    case '{':
    case '}':
        textByte(static_cast<unsigned char>(c));
        return;
    default:
        return; // other control symbols carry nothing we show
    }
}

void RtfReader::controlWord(QByteArrayView word, bool hasParameter, qint64 parameter)
{
    Group &group = m_groups.last();
    if (word == RtfWriter::kLayoutDestination) {
        group.destination = Destination::Layout;
        return;
    }
    if (group.destination == Destination::Skip || group.destination == Destination::Layout)
        return;
    if (group.destination == Destination::ColourTable) {
        colourTableWord(word, parameter);
        return;
    }
    if (word == "bin") {
        m_pos += std::clamp<qint64>(parameter, 0, m_in.size() - m_pos);
        return;
    }
    if (m_fallbackToSkip > 0) {
        --m_fallbackToSkip;
        return;
    }
    // The frequent words first.
    if (word == "par" || word == "line") {
        emitParagraph();
    } else if (word == "cf") {
        group.colour = int(std::clamp<qint64>(parameter, 0, RtfDocument::maxColour + 1));
    } else if (word == "u" && hasParameter) {
        emitCodeUnit(static_cast<char16_t>(parameter < 0 ? parameter + 65536 : parameter));
        m_fallbackToSkip = group.unicodeSkip;
    } else if (word == "tab") {
        emitCodePoint('\t');
    } else if (word == "plain") {
        group.colour = 0;
    } else if (word == "uc") {
        group.unicodeSkip = int(std::clamp<qint64>(parameter, 0, 16));
    } else if (word == "colortbl") {
        group.destination = Destination::ColourTable;
        m_colourBeingRead = {};
    } else if (isSkippedDestination(word)) {
        group.destination = Destination::Skip;
    }
}

void RtfReader::colourTableWord(QByteArrayView word, qint64 parameter)
{
    const auto component = static_cast<unsigned char>(std::clamp<qint64>(parameter, 0, 255));
    if (word == "red")
        m_colourBeingRead.red = component;
    else if (word == "green")
        m_colourBeingRead.green = component;
    else if (word == "blue")
        m_colourBeingRead.blue = component;
    else
        return;
    m_colourBeingRead.automatic = false;
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

void RtfReader::colourTableByte(char c)
{
    if (c != ';')
        return;
    m_doc.colourTable.append(m_colourBeingRead);
    m_colourBeingRead = {};
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
