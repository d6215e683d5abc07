// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rtffragments.h"

#include "system/hugepages.h"

#include <cstring>

void RtfFragments::clear()
{
    m_text = QByteArray();
    m_used = 0;
    m_ends = QList<qsizetype>();
}

void RtfFragments::reserve(qsizetype bytes)
{
    if (m_text.size() < bytes) {
        m_text.resize(bytes);
        HugePages::advise(m_text.data(), m_text.size());
    }
}

char *RtfFragments::reserveFor(qsizetype bytes)
{
    if (m_text.size() - m_used < bytes) { // grows by half, so a document costs few reallocations
        m_text.resize(std::max(m_used + bytes, m_text.size() + m_text.size() / 2 + 4096));
        HugePages::advise(m_text.data(), m_text.size());
    }
    return m_text.data() + m_used;
}

void RtfFragments::closeFragment(const char *end)
{
    Q_ASSERT(end >= m_text.constData() + m_used && end <= m_text.constData() + m_text.size());
    m_used = end - m_text.constData();
    m_ends.append(m_used);
}

void RtfFragments::append(QByteArrayView fragment)
{
    char *out = reserveFor(fragment.size());
    if (!fragment.isEmpty()) // an empty view may point nowhere, which memcpy must not be given
        std::memcpy(out, fragment.data(), fragment.size());
    closeFragment(out + fragment.size());
}

QByteArrayView RtfFragments::at(qsizetype index) const
{
    const qsizetype start = index == 0 ? 0 : m_ends[index - 1];
    return QByteArrayView(m_text).sliced(start, m_ends[index] - start);
}
