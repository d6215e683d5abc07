// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Positions as the user and the commands count them, in characters, where the editor component
// counts bytes of UTF-8: the selection, Find, and the conversion between the two.
#include "richtextbox.h"
#include "text/textsearch.h"
#include "text/utf8.h"

#include <Qsci/qsciscintilla.h>
#include <algorithm>

namespace {

// Character positions count code points.
constexpr long kCharacterIndex = QsciScintillaBase::SC_LINECHARACTERINDEX_UTF32;

} // namespace

// While the text is ASCII a character is a byte. Beyond that the editor keeps a line character
// index, so that a conversion is a binary search for the line and a count within that one line.
void RichTextBox::setCharactersAreBytes(bool ascii)
{
    if (ascii == m_charactersAreBytes)
        return;
    m_charactersAreBytes = ascii;
    m_sci->SendScintilla(ascii ? QsciScintillaBase::SCI_RELEASELINECHARACTERINDEX
                               : QsciScintillaBase::SCI_ALLOCATELINECHARACTERINDEX,
                         kCharacterIndex);
}

qsizetype RichTextBox::bytePosition(int characterPosition) const
{
    checkInsertedText();
    if (characterPosition <= 0)
        return 0;
    if (m_charactersAreBytes) {
        return std::min<qsizetype>(characterPosition,
                                   m_sci->SendScintilla(QsciScintillaBase::SCI_GETLENGTH));
    }
    const long line = m_sci->SendScintilla(QsciScintillaBase::SCI_LINEFROMINDEXPOSITION,
                                           uintptr_t(characterPosition), kCharacterIndex);
    const long lineStart
        = m_sci->SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, uintptr_t(line));
    const long charactersBefore = m_sci->SendScintilla(QsciScintillaBase::SCI_INDEXPOSITIONFROMLINE,
                                                       uintptr_t(line), kCharacterIndex);
    const long position
        = m_sci->SendScintilla(QsciScintillaBase::SCI_POSITIONRELATIVE, uintptr_t(lineStart),
                               long(characterPosition - charactersBefore));
    // The editor answers 0 for a position past the end.
    return position > 0 ? position : m_sci->SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
}

int RichTextBox::characterPosition(qsizetype bytePosition) const
{
    checkInsertedText();
    if (m_charactersAreBytes)
        return int(bytePosition);
    const long line
        = m_sci->SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION, uintptr_t(bytePosition));
    const long lineStart
        = m_sci->SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, uintptr_t(line));
    return int(m_sci->SendScintilla(QsciScintillaBase::SCI_INDEXPOSITIONFROMLINE, uintptr_t(line),
                                    kCharacterIndex)
               + m_sci->SendScintilla(QsciScintillaBase::SCI_COUNTCHARACTERS, uintptr_t(lineStart),
                                      long(bytePosition)));
}

int RichTextBox::characterCount() const
{
    return characterPosition(m_sci->SendScintilla(QsciScintillaBase::SCI_GETLENGTH));
}

RichTextBox::Match RichTextBox::Find(const QString &text, int start) const
{
    if (start < 0 || start >= characterCount())
        return {};
    const qsizetype from = bytePosition(start);
    const TextSearch::Match found = TextSearch(text).findIn(utf8View(), from);
    if (found.position < 0)
        return {};
    const int position = characterPosition(found.position);
    return { position, characterPosition(found.position + found.length) - position };
}

QByteArrayView RichTextBox::utf8View() const
{
    const long length = m_sci->SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
    const auto *text = reinterpret_cast<const char *>(
        m_sci->SendScintilla(QsciScintillaBase::SCI_GETCHARACTERPOINTER));
    return QByteArrayView(text, length);
}

int RichTextBox::SelStart() const
{
    return characterPosition(m_sci->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONSTART));
}

void RichTextBox::setSelStart(int position)
{
    const qsizetype at = bytePosition(position);
    m_sci->SendScintilla(QsciScintillaBase::SCI_SETSEL, uintptr_t(at), long(at));
}

int RichTextBox::SelLength() const
{
    const long end = m_sci->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONEND);
    return characterPosition(end) - SelStart();
}

void RichTextBox::setSelLength(int length)
{
    const int start = SelStart();
    m_sci->SendScintilla(QsciScintillaBase::SCI_SETSEL, uintptr_t(bytePosition(start)),
                         long(bytePosition(start + std::max(length, 0))));
}
