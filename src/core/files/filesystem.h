// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "system/result.h"
#include "system/workprogress.h"

#include <QByteArray>
#include <QString>

class QFileDevice;

// The file-system services the commands use; every write of a user's file goes through
// FileWriter.
class FileSystem
{
public:
    // The folder of the running program, which also holds its helper programs.
    static QString programFolder();
    // The whole of a regular file. Reads never wait: a FIFO or a device is refused. The bytes
    // read are told to `progress`.
    static Result<QByteArray> readAll(const QString &path,
                                      WorkProgress &progress = WorkProgress::unwatched());
    static bool exists(const QString &path);
    // A path as the user reads it: native separators, and a replacement mark for each byte of
    // its name that is not UTF-8.
    static QString displayPath(const QString &path);
    // File names are bytes. A name that is not UTF-8 (a Latin-1 "\xE9" from an old archive)
    // still has a path: each such byte is held as the lone surrogate U+DC80 + byte, which no
    // UTF-8 text decodes to, and goes back to the same byte on its way to the system.
    static QString pathFromNative(QByteArrayView bytes);
    static QByteArray nativePath(const QString &path);
    // `path` against the working folder; left relative when the working folder has no name
    // the system can give (deeper than PATH_MAX), where the system still resolves it.
    static QString absolutePath(const QString &path);

    // The device's reason for its last failure, or the system's when the device has none.
    static QString reason(const QFileDevice &device);
    // The user's temporary folder ($TMPDIR, else /tmp), as the user named it, even when missing.
    static QString temporaryFolder();
    // Why a scratch file could not be made in `folder`, the user's temporary folder.
    static QString temporaryFolderProblem(const QString &folder, const QString &reason);
};
