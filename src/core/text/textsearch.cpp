// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "textsearch.h"

#include "utf8.h"

#include <QChar>
#include <QList>
#include <QString>

namespace {

char32_t fold(char32_t ch)
{
    if (ch < 0x80)
        return ch >= 'A' && ch <= 'Z' ? ch + ('a' - 'A') : ch;
    return QChar::toCaseFolded(ch);
}

// The lead bytes of the characters outside ASCII that fold into the ASCII character `ascii`
// (the Kelvin sign into "k", the long s into "s"). Worked out once for all of Unicode.
QByteArray leadBytesFoldingInto(char32_t ascii)
{
    static const QList<QByteArray> table = [] {
        QList<QByteArray> leads(128);
        for (char32_t ch = 0x80; ch <= 0x10FFFF; ++ch) {
            const char32_t folded = QChar::toCaseFolded(ch);
            if (folded < 0x80) {
                char encoded[4];
                Utf8::encode(ch, encoded);
                leads[folded].append(encoded[0]);
            }
        }
        return leads;
    }();
    return table[ascii];
}

} // namespace

TextSearch::TextSearch(QStringView needle)
{
    for (const char32_t ch : needle.toUcs4())
        m_folded.push_back(fold(ch));
    if (m_folded.empty())
        return;
    const char32_t first = m_folded.front();
    if (first < 0x80) {
        for (int byte = 0; byte < 0x80; ++byte)
            m_mayStartAt[byte] = fold(char32_t(byte)) == first;
        for (const char lead : leadBytesFoldingInto(first))
            m_mayStartAt[static_cast<unsigned char>(lead)] = true;
    } else {
        for (int byte = 0xC0; byte < 0x100; ++byte)
            m_mayStartAt[byte] = true; // any character outside ASCII may fold into it
    }
}

TextSearch::Match TextSearch::findIn(QByteArrayView text, qsizetype from) const
{
    if (m_folded.empty() || from < 0)
        return {};
    const auto *bytes = reinterpret_cast<const unsigned char *>(text.data());
    for (qsizetype at = from; at < text.size(); ++at) {
        // Skips the bytes that cannot begin a match with one table lookup each, instead of
        // decoding and folding every character of a large document.
        if (!m_mayStartAt[bytes[at]])
            continue;
        qsizetype length = 0;
        if (matchesAt(text, at, length))
            return { at, length };
    }
    return {};
}

bool TextSearch::matchesAt(QByteArrayView text, qsizetype at, qsizetype &length) const
{
    qsizetype position = at;
    for (const char32_t wanted : m_folded) {
        if (position >= text.size())
            return false;
        qsizetype step = 1;
        const auto byte = static_cast<unsigned char>(text[position]);
        const char32_t ch = byte < 0x80 ? byte : Utf8::decode(text, position, step);
        if (fold(ch) != wanted)
            return false;
        position += step;
    }
    length = position - at;
    return true;
}
