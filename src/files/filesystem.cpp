// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "filesystem.h"

#include "system/hugepages.h"
#include "system/workprogress.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qint64 kReadBlock = 4 * 1024 * 1024;
const QString kNotARegularFile = QStringLiteral("it is not a regular file");

// Opens a regular file for reading. Anything else is refused before it is read: a FIFO would
// wait for a writer, and a device can be endless. The open itself does not wait either.
bool openRegularFile(const QString &path, QFile &file, QString &error)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat status;
    if (fd < 0 || ::fstat(fd, &status) != 0) {
        error = qt_error_string(errno);
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    if (!S_ISREG(status.st_mode)) {
        ::close(fd);
        error = kNotARegularFile;
        return false;
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        error = FileSystem::reason(file);
        return false;
    }
    return true;
}

} // namespace

QString FileSystem::programFolder()
{
    return QCoreApplication::applicationDirPath();
}

bool FileSystem::readAll(const QString &path, QByteArray &bytes, QString &error,
                         WorkProgress &progress)
{
    QFile file;
    if (!openRegularFile(path, file, error))
        return false;
    // Sized once from the file's size, and in huge pages when it is large; whatever the file
    // has gained since it was measured is read after it. Read in large blocks, so that the
    // progress is told between them.
    const qint64 expected = file.size();
    bytes = QByteArray(expected, Qt::Uninitialized);
    HugePages::advise(bytes.data(), bytes.size());
    qint64 read = 0;
    while (read < expected) {
        const qint64 got = file.read(bytes.data() + read, std::min(expected - read, kReadBlock));
        if (got <= 0)
            break;
        read += got;
        progress.advanceTo(read);
    }
    bytes.truncate(read);
    if (read == expected)
        bytes += file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = reason(file);
        return false;
    }
    return true;
}

bool FileSystem::readFirstBytes(const QString &path, qsizetype count, QByteArray &bytes,
                                QString &error)
{
    QFile file;
    if (!openRegularFile(path, file, error))
        return false;
    bytes = file.read(count);
    if (file.error() != QFileDevice::NoError) {
        error = reason(file);
        return false;
    }
    return true;
}

bool FileSystem::regularFileSize(const QString &path, qint64 &size, QString &error)
{
    struct stat status;
    if (::stat(QFile::encodeName(path).constData(), &status) != 0) {
        error = qt_error_string(errno);
        return false;
    }
    if (!S_ISREG(status.st_mode)) {
        error = kNotARegularFile;
        return false;
    }
    size = status.st_size;
    return true;
}

bool FileSystem::exists(const QString &path)
{
    return QFile::exists(path);
}

QString FileSystem::displayPath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString FileSystem::reason(const QFileDevice &device)
{
    const QString text = device.errorString();
    // Qt says "Unknown error" when it has no text for a failure of its own.
    if (!text.isEmpty() && text != QLatin1String("Unknown error"))
        return text;
    if (errno != 0)
        return qt_error_string(errno);
    return QStringLiteral("the system gave no reason");
}

QString FileSystem::temporaryFolder()
{
    // Qt's answer is the folder's real path, which is empty for a folder that does not exist:
    // the message would name nothing.
    const QString real = QDir::tempPath();
    if (!real.isEmpty())
        return real;
    const QString given = qEnvironmentVariable("TMPDIR");
    return given.isEmpty() ? QStringLiteral("/tmp") : QDir::cleanPath(given);
}

QString FileSystem::temporaryFolderProblem(const QString &folder, const QString &reason)
{
    return QStringLiteral("the temporary folder %1 cannot be used (%2)")
        .arg(displayPath(folder), reason);
}
