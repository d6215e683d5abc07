#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

// The converter's line buffer: one RTF fragment per input line, then the closing one. The
// fragments share one growing buffer, so a large file costs two allocations, not one a line,
// and the document is their concatenation as it stands.
class RtfFragments
{
public:
    void clear();
    void reserve(qsizetype bytes, qsizetype fragments);

    // Fragments are written at the end of buffer(); closeFragment() ends the current one.
    QByteArray &buffer() { return m_text; }
    void closeFragment() { m_ends.append(m_text.size()); }
    void append(QByteArrayView fragment);

    qsizetype size() const { return m_ends.size(); }
    bool isEmpty() const { return m_ends.isEmpty(); }
    QByteArrayView at(qsizetype index) const;
    QByteArrayView joined() const
    {
        return QByteArrayView(m_text).first(size() ? m_ends.last() : 0);
    }

private:
    QByteArray m_text;
    QList<qsizetype> m_ends;
};
