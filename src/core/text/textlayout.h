// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "textformat.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

enum class LineEnd : char { CrLf = 'w', Cr = 'r', Lf = 'n', None = 'x' };

// What the temporary document needs to carry besides the visible text so that the editor can
// write the file back byte for byte: its encoding, its byte order mark and the terminator of
// every line. It travels inside the temporary document (rtf/rtfwriter.h says how). The terminators
// are run-length coded ("299999w1x").
class TextLayout
{
public:
    TextFormat format;

    void appendLineEnd(LineEnd end);
    // Terminator of the next paragraph, in order; CR LF once the recorded ones are used up.
    LineEnd takeLineEnd();

    QByteArray toText() const;
    static TextLayout fromText(QByteArrayView text);

private:
    struct Run
    {
        qsizetype count;
        LineEnd end;
    };
    QList<Run> m_runs;
    qsizetype m_readRun = 0;
    qsizetype m_readInRun = 0;
};

QByteArrayView lineEndBytes(LineEnd end);
