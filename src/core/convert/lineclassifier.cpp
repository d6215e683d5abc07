// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lineclassifier.h"

#include <cstring>

LineClass LineClassifier::classify(QByteArrayView line)
{
    if (line.contains(';'))
        return { LineKind::Comment, 0 };
    if (line.startsWith('['))
        return { LineKind::Section, 0 };
    const qsizetype equals = line.indexOf('=');
    if (equals < 0)
        return { LineKind::Plain, 0 };
    return { LineKind::KeyValue, equals + 1 };
}

char LineClassifier::colourLine(QByteArrayView line, qsizetype terminatorLength, char carriedIn,
                                char *colours)
{
    const LineClass lineClass = classify(line);
    const qsizetype total = line.size() + terminatorLength;
    switch (lineClass.kind) {
    case LineKind::Comment:
        std::memset(colours, CommentColour, total);
        return CommentColour;
    case LineKind::Section:
        std::memset(colours, SectionColour, total);
        return SectionColour;
    case LineKind::Plain:
        std::memset(colours, carriedIn, total);
        return carriedIn;
    case LineKind::KeyValue:
        std::memset(colours, KeyColour, lineClass.keyLength);
        std::memset(colours + lineClass.keyLength, DefaultColour, total - lineClass.keyLength);
        return DefaultColour;
    }
    return carriedIn;
}
