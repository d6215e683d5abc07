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
qint64 leftInControlGroup()
{
    const QByteArray line = readTrimmed(QStringLiteral("/proc/self/cgroup"));
    if (!line.startsWith("0::"))
        return kUnbounded;
    const QString group = QStringLiteral("/sys/fs/cgroup") + QString::fromLocal8Bit(line.mid(3));
    bool bounded = false;
    const qint64 limit = readTrimmed(group + QStringLiteral("/memory.max")).toLongLong(&bounded);
    if (!bounded) // "max", or no such file
        return kUnbounded;
    return std::max<qint64>(
        limit - readTrimmed(group + QStringLiteral("/memory.current")).toLongLong(), 0);
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
