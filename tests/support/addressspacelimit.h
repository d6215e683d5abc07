// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFile>
#include <QTest>
#include <sys/resource.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif

// Lets the process take at most `room` more bytes of address space while it lives; none when
// `room` is 0, or when a sanitizer reserves address space of its own. Memory that earlier work
// freed but the C library still holds is given back first: it would add to the room.
class AddressSpaceLimit
{
public:
#if defined(__SANITIZE_ADDRESS__)
    static constexpr bool possible = false;
#else
    static constexpr bool possible = true;
#endif

    explicit AddressSpaceLimit(qint64 room)
    {
#if !defined(__SANITIZE_ADDRESS__)
        if (room == 0 || ::getrlimit(RLIMIT_AS, &m_old) != 0)
            return;
#ifdef __GLIBC__
        ::malloc_trim(0);
#endif
        QFile status("/proc/self/status");
        QVERIFY(status.open(QIODevice::ReadOnly));
        for (const QByteArray &line : status.readAll().split('\n')) {
            if (line.startsWith("VmSize:"))
                m_limit
                    = { rlim_t(line.mid(7).trimmed().split(' ').front().toLongLong() * 1024 + room),
                        m_old.rlim_max };
        }
        m_set = ::setrlimit(RLIMIT_AS, &m_limit) == 0;
#else
        Q_UNUSED(room);
#endif
    }
    ~AddressSpaceLimit()
    {
        if (m_set)
            ::setrlimit(RLIMIT_AS, &m_old);
    }

private:
    struct rlimit m_old
    {
    }, m_limit {};
    bool m_set = false;
};
