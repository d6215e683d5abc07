// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

// RTF's structure around the text: groups, control words and symbols, and the destinations they
// switch to, the colour table's among them. The text they let through is written in
// rtfreader.cpp.
#include "rtfreader.h"
#include "rtfwriter.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

constexpr qsizetype kMaxGroupDepth = 4096;
constexpr qsizetype kMaxWordLength = 32;

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

void RtfReader::colourTableByte(char c)
{
    if (c != ';')
        return;
    m_doc.colourTable.append(m_colourBeingRead);
    m_colourBeingRead = {};
}
