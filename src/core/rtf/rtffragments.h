// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

// The converter's line buffer: one RTF fragment per input line, then the closing one. The
// fragments are written straight into one growing buffer, so a large file costs a handful of
// allocations, not one a line, and the document is their concatenation as it stands.
class RtfFragments
{
public:
    // Empties the buffer and gives its memory back.
    void clear();

    // Room for `bytes` bytes of fragments in all, made at once.
    void reserve(qsizetype bytes);
    // Room for at least `bytes` more bytes after the last fragment. The pointer stays valid
    // until the next call; write the fragment there and end it with closeFragment().
    char *reserveFor(qsizetype bytes);
    void closeFragment(const char *end);
    void append(QByteArrayView fragment);

    qsizetype size() const { return m_ends.size(); }
    bool isEmpty() const { return m_ends.isEmpty(); }
    QByteArrayView at(qsizetype index) const;
    QByteArrayView joined() const { return QByteArrayView(m_text).first(m_used); }

private:
    QByteArray m_text; // sized to what has been reserved; the first m_used bytes are written
    qsizetype m_used = 0;
    QList<qsizetype> m_ends;
};
