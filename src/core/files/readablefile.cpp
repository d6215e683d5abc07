// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "readablefile.h"

#include "filesystem.h"
#include "system/hugepages.h"

#include <QCoreApplication>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr qint64 kReadBlock = 4 * 1024 * 1024;

} // namespace

bool ReadableFile::open(const QString &path, QString &error)
{
    const int fd
        = ::open(FileSystem::nativePath(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0 || ::fstat(fd, &m_status) != 0) {
        error = qt_error_string(errno);
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    if (!S_ISREG(m_status.st_mode)) {
        ::close(fd);
        error = QCoreApplication::translate("FileSystem", "it is not a regular file");
        return false;
    }
    if (!m_file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        error = FileSystem::reason(m_file);
        return false;
    }
    return true;
}

FileStamp ReadableFile::stamp() const
{
    return FileStamp::fromStatus(m_status);
}

bool ReadableFile::readHead(qsizetype count, QByteArray &bytes, QString &error)
{
    bytes = m_file.seek(0) ? m_file.read(count) : QByteArray();
    if (m_file.error() != QFileDevice::NoError) {
        error = FileSystem::reason(m_file);
        return false;
    }
    return true;
}

bool ReadableFile::readAll(QByteArray &bytes, QString &error, WorkProgress &progress)
{
    // Sized once from the file's size, and in huge pages when it is large. Read in large
    // blocks, so that the progress is told between them.
    const qint64 expected = size();
    bytes = QByteArray(expected, Qt::Uninitialized);
    HugePages::advise(bytes.data(), bytes.size());
    qint64 read = 0;
    if (m_file.seek(0)) {
        while (read < expected) {
            const qint64 got
                = m_file.read(bytes.data() + read, std::min(expected - read, kReadBlock));
            if (got <= 0)
                break;
            read += got;
            progress.advanceTo(read);
        }
    }
    bytes.truncate(read);
    if (read == expected)
        bytes += m_file.readAll();
    if (m_file.error() != QFileDevice::NoError) {
        error = FileSystem::reason(m_file);
        return false;
    }
    return true;
}
