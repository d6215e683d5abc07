// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

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
    // The whole of a regular file; false with a reason when it can't be read. Reads never
    // wait: a FIFO or a device is refused. The bytes read are told to `progress`.
    static bool readAll(const QString &path, QByteArray &bytes, QString &error,
                        WorkProgress &progress = WorkProgress::unwatched());
    // Up to `count` bytes from the start of a file; false with a reason when it can't be read.
    static bool readFirstBytes(const QString &path, qsizetype count, QByteArray &bytes,
                               QString &error);
    // The size of the regular file at `path`; false with a reason for anything else.
    static bool regularFileSize(const QString &path, qint64 &size, QString &error);
    static bool exists(const QString &path);
    static QString displayPath(const QString &path);

    // The device's reason for its last failure, or the system's when the device has none.
    static QString reason(const QFileDevice &device);
    // The user's temporary folder ($TMPDIR, else /tmp), as the user named it, even when missing.
    static QString temporaryFolder();
    // Why a scratch file could not be made in `folder`, the user's temporary folder.
    static QString temporaryFolderProblem(const QString &folder, const QString &reason);
};
