// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArrayView>

enum class LineKind { Comment, Section, Plain, KeyValue };

// Colour-table indices of the temporary document, also used as editor styles.
enum LineColour : char { DefaultColour = 0, SectionColour = 1, CommentColour = 2, KeyColour = 3 };

struct LineClass
{
    LineKind kind = LineKind::Plain;
    qsizetype keyLength = 0; // key/value lines: the key part up to and including the first '='
};

// Decides how a line is coloured. The tests run in this order and the first that holds wins:
// any ';' makes a comment, a leading '[' a section, no '=' a plain line, else key/value.
// Works on the bytes of UTF-8 and Windows-1252 text alike, since the marks are all ASCII.
class LineClassifier
{
public:
    static LineClass classify(QByteArrayView line);

    // Writes the colour of every byte of a UTF-8 line followed by `terminatorLength` terminator
    // bytes into `colours`. A plain line keeps the colour in force before it (`carriedIn`).
    // Returns the colour in force after the line.
    static char colourLine(QByteArrayView line, qsizetype terminatorLength, char carriedIn,
                           char *colours);
};
