// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QtGlobal>

struct stat;

// What tells whether a file changed since it was read or written: which file it is (device and
// inode), its size, and the times of its last write and of its last change, to the nanosecond.
// A program may put the time of a write back (touch -r); the change time it cannot set.
struct FileStamp
{
    bool exists = false;
    quint64 device = 0, inode = 0;
    qint64 size = 0, modified = 0, changed = 0;

    // The file at `path`, a symbolic link followed; one that does not exist has an empty stamp.
    static FileStamp of(const QString &path);
    // A file as fstat (or stat) found it.
    static FileStamp fromStatus(const struct stat &status);

    bool operator==(const FileStamp &other) const = default;
    bool isSameFile(const FileStamp &other) const
    {
        return exists && other.exists && device == other.device && inode == other.inode;
    }
};
