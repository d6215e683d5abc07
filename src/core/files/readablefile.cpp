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

Result<> ReadableFile::open(const QString &path)
{
    const int fd
        = ::open(FileSystem::nativePath(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0 || ::fstat(fd, &m_status) != 0) {
        const Failure failure = Failure::ofSystem();
        if (fd >= 0)
            ::close(fd);
        return failure;
    }
    if (!S_ISREG(m_status.st_mode)) {
        ::close(fd);
        return Failure { QCoreApplication::translate("FileSystem", "it is not a regular file") };
    }
    if (!m_file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return Failure { FileSystem::reason(m_file) };
    }
    return {};
}

FileStamp ReadableFile::stamp() const
{
    return FileStamp::fromStatus(m_status);
}

Result<QByteArray> ReadableFile::readHead(qsizetype count)
{
    QByteArray bytes = m_file.seek(0) ? m_file.read(count) : QByteArray();
    if (m_file.error() != QFileDevice::NoError)
        return Failure { FileSystem::reason(m_file) };
    return bytes;
}

Result<QByteArray> ReadableFile::readAll(WorkProgress &progress)
{
    // Sized once from the file's size, and in huge pages when it is large. Read in large
    // blocks, so that the progress is told between them.
    const qint64 expected = size();
    QByteArray bytes(expected, Qt::Uninitialized);
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
    if (m_file.error() != QFileDevice::NoError)
        return Failure { FileSystem::reason(m_file) };
    return bytes;
}
