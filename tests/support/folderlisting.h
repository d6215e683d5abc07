// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDir>
#include <QFile>
#include <QStringList>
#include <sys/stat.h>

// What the folder tests look at: a name's mode bits (the link's own, for a link), -1 when there
// is nothing, and every entry of a folder, hidden ones included.
inline int modeOf(const QString &path)
{
    struct stat status;
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & 07777 : -1;
}

inline QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden
                                  | QDir::System);
}
