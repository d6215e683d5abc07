#include "rtffragments.h"

void RtfFragments::clear()
{
    m_text.clear();
    m_ends.clear();
}

void RtfFragments::reserve(qsizetype bytes, qsizetype fragments)
{
    m_text.reserve(bytes);
    m_ends.reserve(fragments);
}

void RtfFragments::append(QByteArrayView fragment)
{
    m_text.append(fragment);
    closeFragment();
}

QByteArrayView RtfFragments::at(qsizetype index) const
{
    const qsizetype start = index == 0 ? 0 : m_ends[index - 1];
    return QByteArrayView(m_text).sliced(start, m_ends[index] - start);
}
