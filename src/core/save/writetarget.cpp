// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Where a write goes: the end of a chain of links, followed as the kernel follows them, and
// whether this user may write there.

#include "files/filesystem.h"
#include "filewriter.h"
#include "writerparts.h"

#include <QCoreApplication>
#include <cerrno>
#include <climits>
#include <sys/stat.h>
#include <unistd.h>

using namespace WriterParts;

Result<FileWriter::Target> FileWriter::examine(const QString &path)
{
    const Result<QByteArray> file
        = followLinks(FileSystem::nativePath(FileSystem::absolutePath(path)));
    if (!file)
        return file.failure();
    Target target;
    target.path = *file;
    const qsizetype slash = target.path.lastIndexOf('/');
    target.folder = slash > 0 ? target.path.first(slash) : QByteArray("/");
    target.name = target.path.sliced(slash + 1);
    if (::stat(target.path.constData(), &target.status) != 0) {
        if (errno != ENOENT)
            return Failure::ofSystem();
        if (!folderIsWritable(target.folder))
            return Failure { QCoreApplication::translate("FileWriter",
                                                         "the folder %1 may not be written (%2)")
                                 .arg(shown(target.folder), systemError()) };
        return target; // a new file
    }
    target.exists = true;
    if (!S_ISREG(target.status.st_mode))
        return Failure { QCoreApplication::translate("FileWriter", "it is not a regular file") };
    if (::access(target.path.constData(), W_OK) != 0)
        return Failure { QCoreApplication::translate("FileWriter",
                                                     "the file may not be written (%1)")
                             .arg(systemError()) };
    return target;
}

// The kernel's rule for links in shared folders (protected_symlinks): in a folder everyone may
// write that has the sticky bit, a link is followed only when it is the user's own or the
// folder owner's. Another user's link there could lead a save onto any file this user may write.
Result<> FileWriter::mayFollow(const QByteArray &link, const struct stat &status)
{
    const qsizetype slash = link.lastIndexOf('/');
    struct stat folder;
    if (::stat(slash > 0 ? link.first(slash).constData() : "/", &folder) != 0)
        return {}; // the kernel finds out on its own
    const bool shared = (folder.st_mode & S_ISVTX) && (folder.st_mode & S_IWOTH);
    if (!shared || status.st_uid == ::geteuid() || status.st_uid == folder.st_uid)
        return {};
    return Failure { QCoreApplication::translate(
        "FileWriter", "it is a link that another user made in a shared folder") };
}

// Follows a chain of links as the kernel would, to the file a write goes to: the last name in the
// chain, whether or not a file has that name yet. No link is ever replaced by the file.
Result<QByteArray> FileWriter::followLinks(const QByteArray &given)
{
    constexpr int kMostLinks = 40; // as the kernel's limit
    QByteArray path = given;
    for (int followed = 0; followed <= kMostLinks; ++followed) {
        struct stat status;
        if (::lstat(path.constData(), &status) != 0 || !S_ISLNK(status.st_mode))
            return path;
        if (const Result<> may = mayFollow(path, status); !may)
            return may.failure();
        QByteArray target(PATH_MAX, Qt::Uninitialized);
        const ssize_t length = ::readlink(path.constData(), target.data(), size_t(target.size()));
        if (length < 0 || length == target.size())
            return Failure::ofSystem(length < 0 ? errno : ENAMETOOLONG);
        target.truncate(length);
        path = target.startsWith('/') ? target : path.first(path.lastIndexOf('/') + 1) + target;
    }
    return Failure::ofSystem(ELOOP);
}
