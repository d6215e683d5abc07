// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "filestamp.h"

#include "filesystem.h"

#include <QFile>
#include <sys/stat.h>

FileStamp FileStamp::fromStatus(const struct stat &status)
{
    FileStamp stamp;
    stamp.exists = true;
    stamp.device = status.st_dev;
    stamp.inode = status.st_ino;
    stamp.size = status.st_size;
    stamp.modified = qint64(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
    stamp.changed = qint64(status.st_ctim.tv_sec) * 1000000000 + status.st_ctim.tv_nsec;
    return stamp;
}

FileStamp FileStamp::of(const QString &path)
{
    struct stat status;
    if (path.isEmpty() || ::stat(FileSystem::nativePath(path).constData(), &status) != 0)
        return {};
    return fromStatus(status);
}
