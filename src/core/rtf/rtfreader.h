// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "text/textlayout.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <functional>

struct RtfColour
{
    bool automatic = true; // the empty first entry of a colour table: the editor's default
    unsigned char red = 0, green = 0, blue = 0;
};

struct RtfDocument
{
    QByteArray text; // UTF-8
    QByteArray colours; // for each byte of text, the colour-table index in force (0..maxColour)
    QList<RtfColour> colourTable;
    TextFormat format;

    static constexpr int maxColour = 200;
};

// Reads the subset of RTF that carries text and colour: groups, control words, destinations,
// the colour table, \cf, \par, escapes, \'hh and \uN. Whatever else comes in (malformed,
// truncated or hostile input) is read as far as it makes sense and never crashes or hangs.
class RtfReader
{
public:
    static RtfDocument read(QByteArrayView rtf);

    // Receives the text as it is read, with the colour of each byte, and how many bytes of the
    // RTF are read so far; the views are valid during the call only.
    using TextSink
        = std::function<void(QByteArrayView text, QByteArrayView colours, qsizetype rtfRead)>;
    // Reads as read() does, but hands the text over in pieces of about `pieceSize` bytes as it
    // goes instead of keeping it; the document returned holds everything else.
    static RtfDocument read(QByteArrayView rtf, const TextSink &sink, qsizetype pieceSize);

private:
    enum class Destination { Text, Skip, ColourTable, Layout };
    struct Group
    {
        Destination destination = Destination::Text;
        int colour = 0;
        int unicodeSkip = 1;
    };

    explicit RtfReader(QByteArrayView rtf) : m_in(rtf) { }
    void run();
    void handOverText();
    void readControl();
    void controlWord(QByteArrayView word, bool hasParameter, qint64 parameter);
    void openGroup();
    void closeGroup();
    bool appendPlainRun();
    void appendText(QByteArrayView utf8);
    void colourTableWord(QByteArrayView word, qint64 parameter);
    void textByte(unsigned char byte);
    void emitCodeUnit(char16_t unit);
    void emitCodePoint(char32_t ch);
    void emitParagraph();
    void colourTableByte(char c);

    QByteArrayView m_in;
    qsizetype m_pos = 0;
    QList<Group> m_groups { Group {} };
    qsizetype m_groupsBeyondLimit = 0;
    int m_fallbackToSkip = 0;
    char16_t m_pendingHighSurrogate = 0;
    RtfColour m_colourBeingRead;
    QByteArray m_layoutText;
    TextLayout m_layout;
    RtfDocument m_doc;
    qsizetype m_textSize = 0; // bytes of m_doc.text written so far
    TextSink m_sink;
    qsizetype m_pieceSize = 0;
};
