// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "memorybudget.h"

#include <QByteArray>
#include <QFile>
#include <algorithm>
#include <limits>
#include <sys/resource.h>

namespace {

constexpr qint64 kUnbounded = std::numeric_limits<qint64>::max();

// A "Name:   value kB" field of a /proc file, in bytes; -1 when it is not there.
qint64 procField(const char *file, const char *name)
{
    QFile proc(QString::fromLatin1(file));
    if (!proc.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray text = proc.readAll();
    const QByteArray key = QByteArray(name) + ':';
    qsizetype at = text.startsWith(key) ? 0 : text.indexOf('\n' + key);
    if (at < 0)
        return -1;
    at += at > 0 ? key.size() + 1 : key.size();
    const QByteArray value = text.mid(at, text.indexOf('\n', at) - at).trimmed();
    return value.left(value.indexOf(' ')).toLongLong() * 1024;
}

// What a resource limit leaves beside what the process uses of it already.
qint64 leftUnder(int resource, const char *usedField)
{
    struct rlimit limit;
    if (::getrlimit(resource, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return kUnbounded;
    const qint64 used = std::max<qint64>(procField("/proc/self/status", usedField), 0);
    return std::max<qint64>(qint64(limit.rlim_cur) - used, 0);
}

QByteArray readTrimmed(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed() : QByteArray();
}

// The memory limit of the process's control group (version 2), less what the group uses.
// What a control group's limit leaves, from its files for the limit and the use.
qint64 leftInGroup(const QString &group, const char *limitFile, const char *usedFile)
{
    bool bounded = false;
    const qint64 limit = readTrimmed(group + u'/' + QLatin1String(limitFile)).toLongLong(&bounded);
    if (!bounded) // "max", or no such file
        return kUnbounded;
    const qint64 used = readTrimmed(group + u'/' + QLatin1String(usedFile)).toLongLong();
    return std::max<qint64>(limit - used, 0);
}

// Version 2 has one hierarchy ("0::/path"); version 1, still on older systems, a memory
// controller of its own ("4:memory:/path"), whose "no limit" is a number near the largest.
qint64 leftInControlGroup()
{
    qint64 left = kUnbounded;
    for (const QByteArray &line : readTrimmed(QStringLiteral("/proc/self/cgroup")).split('\n')) {
        const QList<QByteArray> fields = line.split(':');
        if (fields.size() != 3)
            continue;
        const QString path = QString::fromLocal8Bit(fields[2]);
        if (fields[0] == "0" && fields[1].isEmpty()) {
            left = std::min(left,
                            leftInGroup(QStringLiteral("/sys/fs/cgroup") + path, "memory.max",
                                        "memory.current"));
        } else if (fields[1].split(',').contains("memory")) {
            left = std::min(left,
                            leftInGroup(QStringLiteral("/sys/fs/cgroup/memory") + path,
                                        "memory.limit_in_bytes", "memory.usage_in_bytes"));
        }
    }
    return left;
}

} // namespace

qint64 MemoryBudget::available()
{
    qint64 budget = kUnbounded;
    const qint64 memory = procField("/proc/meminfo", "MemAvailable");
    if (memory >= 0)
        budget = memory + std::max<qint64>(procField("/proc/meminfo", "SwapFree"), 0);
    budget = std::min(budget, leftUnder(RLIMIT_AS, "VmSize"));
    budget = std::min(budget, leftUnder(RLIMIT_DATA, "VmData"));
    return std::min(budget, leftInControlGroup());
}
