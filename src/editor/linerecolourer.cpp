// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "linerecolourer.h"

#include "document/editorstyles.h"

#include <QByteArray>
#include <Qsci/qsciscintilla.h>
#include <algorithm>

void LineRecolourer::markEdited(qsizetype first, qsizetype last, qsizetype linesAdded)
{
    if (m_first < 0) {
        m_first = first;
        m_last = last;
        return;
    }
    if (first <= m_last) // lines inserted or removed above keep the range in step
        m_last = std::max(first, m_last + linesAdded);
    m_first = std::min(m_first, first);
    m_last = std::max(m_last, last);
}

bool LineRecolourer::hasStyles(qsizetype start, const QByteArray &styles) const
{
    // One call fetches the range as (character, style) byte pairs, in the layout of the
    // editor's Sci_TextRange, instead of one call a byte.
    struct
    {
        struct
        {
            long cpMin, cpMax;
        } chrg;
        char *lpstrText;
    } range;
    QByteArray cells(2 * styles.size() + 2, Qt::Uninitialized);
    range.chrg = { long(start), long(start + styles.size()) };
    range.lpstrText = cells.data();
    m_sci->SendScintilla(QsciScintillaBase::SCI_GETSTYLEDTEXT, 0UL, &range);
    for (qsizetype i = 0; i < styles.size(); ++i) {
        if (cells[2 * i + 1] != styles[i])
            return false;
    }
    return true;
}

void LineRecolourer::recolourEditedLines()
{
    if (m_first < 0 || !m_colourer)
        return;
    const qsizetype lineCount = m_sci->SendScintilla(QsciScintillaBase::SCI_GETLINECOUNT);
    const qsizetype first = std::min(m_first, lineCount - 1);
    const qsizetype last = std::min(m_last, lineCount - 1);
    forgetEdits();

    char carried = 0;
    if (first > 0) {
        const long start
            = m_sci->SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, uintptr_t(first));
        carried = char(EditorStyles::colourOf(
            int(m_sci->SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, start - 1))));
    }
    // Past the edited lines, plain lines inherit the colour before them: go on until a line
    // keeps the colours it had, after which nothing further can change.
    for (qsizetype line = first; line < lineCount; ++line) {
        const long start
            = m_sci->SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, uintptr_t(line));
        const long end
            = m_sci->SendScintilla(QsciScintillaBase::SCI_GETLINEENDPOSITION, uintptr_t(line));
        const long next = line + 1 < lineCount
            ? m_sci->SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, uintptr_t(line + 1))
            : end;
        const auto *text = reinterpret_cast<const char *>(m_sci->SendScintilla(
            QsciScintillaBase::SCI_GETRANGEPOINTER, uintptr_t(start), end - start));
        QByteArray styles(next - start, Qt::Uninitialized);
        carried = m_colourer(QByteArrayView(text, end - start), next - end, carried, styles.data());
        std::transform(styles.cbegin(), styles.cend(), styles.begin(), EditorStyles::forColour);
        if (line > last && hasStyles(start, styles))
            break;
        m_sci->SendScintilla(QsciScintillaBase::SCI_STARTSTYLING, uintptr_t(start), 0L);
        m_sci->SendScintilla(QsciScintillaBase::SCI_SETSTYLINGEX, uintptr_t(styles.size()),
                             styles.constData());
    }
    const long length = m_sci->SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
    m_sci->SendScintilla(QsciScintillaBase::SCI_STARTSTYLING, uintptr_t(length), 0L);
}
