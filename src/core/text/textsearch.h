// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArrayView>
#include <QStringView>
#include <string>

// Finds text in a UTF-8 buffer, ignoring the case of every letter (simple case folding, one
// character for one, as QString's case-insensitive search does), without copying the buffer.
class TextSearch
{
public:
    struct Match
    {
        qsizetype position = -1; // in bytes; -1 when there is none
        qsizetype length = 0; // in bytes
    };

    explicit TextSearch(QStringView needle);

    // The first match that starts at or after byte `from`, which must start a character.
    Match findIn(QByteArrayView text, qsizetype from) const;

private:
    bool matchesAt(QByteArrayView text, qsizetype at, qsizetype &length) const;

    std::u32string m_folded; // the needle, folded once
    bool m_mayStartAt[256] = {}; // bytes that can begin a match
};
