// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "filestamp.h"
#include "system/result.h"
#include "system/workprogress.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <sys/stat.h>

// A regular file opened once for reading: looked at (fstat), routed by its first bytes and read
// through the one descriptor, so that another program cannot swap the file between the looks.
// Anything but a regular file is refused before it is read: a FIFO would wait for a writer, and
// a device can be endless. The open itself never waits either.
class ReadableFile
{
public:
    Result<> open(const QString &path);

    qint64 size() const { return m_status.st_size; }
    // The file as it was opened, for telling later whether it changed.
    FileStamp stamp() const;
    // Up to `count` bytes from its start.
    Result<QByteArray> readHead(qsizetype count);
    // The whole file, from its start; what it has gained since it was opened is read too. The
    // bytes read are told to `progress`.
    Result<QByteArray> readAll(WorkProgress &progress = WorkProgress::unwatched());

private:
    QFile m_file;
    struct stat m_status
    {
    };
};
