// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArrayView>
#include <QtGlobal>
#include <functional>

class QsciScintilla;

// Keeps the colours of edited lines in step with their text. Edits are noted as the editor
// announces them; the lines they touched are recoloured together later, with the line colourer
// the application supplies.
class LineRecolourer
{
public:
    // Colours one line (UTF-8, then its terminator bytes) given the colour carried in from the
    // line before; returns the colour carried out.
    using Colourer = std::function<char(QByteArrayView line, qsizetype terminatorLength,
                                        char carriedIn, char *colours)>;

    explicit LineRecolourer(QsciScintilla *editor) : m_sci(editor) { }

    void setColourer(Colourer colourer) { m_colourer = std::move(colourer); }
    // Lines first to last were edited; linesAdded lines came in at first (or went, if negative).
    void markEdited(qsizetype first, qsizetype last, qsizetype linesAdded);
    // A new document: nothing is edited.
    void forgetEdits() { m_first = m_last = -1; }
    void recolourEditedLines();

private:
    bool hasStyles(qsizetype start, const QByteArray &styles) const;

    QsciScintilla *m_sci;
    Colourer m_colourer;
    qsizetype m_first = -1, m_last = -1; // the edited lines; -1 for none
};
