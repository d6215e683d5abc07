// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runfolders.h"

#include "system/descriptor.h"

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>
#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <sys/file.h>
#include <unistd.h>

namespace RunFolders {

QByteArray randomName(const QByteArray &prefix, const QByteArray &suffix)
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QByteArray name = prefix;
    for (qsizetype i = 0; i < kRandomLength; ++i)
        name += letters[QRandomGenerator::system()->bounded(int(sizeof letters - 1))];
    return name + suffix;
}

bool stillThere(int folder, const QByteArray &name, const struct stat &status)
{
    struct stat now;
    return ::fstatat(folder, name.constData(), &now, AT_SYMLINK_NOFOLLOW) == 0
        && now.st_dev == status.st_dev && now.st_ino == status.st_ino;
}

Result<> safeFromOthers(const struct stat &status)
{
    if (!S_ISDIR(status.st_mode))
        return Failure::ofSystem(ENOTDIR);
    if (status.st_uid != ::geteuid() && status.st_uid != 0)
        return Failure { QCoreApplication::translate("RunFolders", "it belongs to another user") };
    if ((status.st_mode & (S_IWGRP | S_IWOTH)) && !(status.st_mode & S_ISVTX))
        return Failure { QCoreApplication::translate(
            "RunFolders", "others may write in it, and it has no sticky bit") };
    return {};
}

QList<QByteArray> entryNames(int folder)
{
    // A descriptor of its own for the listing, so that reading it moves no other's position.
    Descriptor listing(::openat(folder, ".", kFolderFlags));
    DIR *dir = listing.isOpen() ? ::fdopendir(listing.get()) : nullptr;
    if (!dir)
        return {};
    listing.release(); // the listing closes it
    QList<QByteArray> names;
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..")
            names.append(name);
    }
    ::closedir(dir);
    return names;
}

void removeEntries(int folder, int depth)
{
    for (const QByteArray &name : entryNames(folder)) {
        struct stat status;
        if (::fstatat(folder, name.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        if (!S_ISDIR(status.st_mode)) {
            ::unlinkat(folder, name.constData(), 0);
            continue;
        }
        const Descriptor inner(depth > 0 ? ::openat(folder, name.constData(), kFolderFlags) : -1);
        if (!inner.isOpen())
            continue;
        removeEntries(inner.get(), depth - 1);
        ::unlinkat(folder, name.constData(), AT_REMOVEDIR);
    }
}

Result<int> openParent(const QString &given, QString &canonical)
{
    char *real = ::realpath(QFile::encodeName(given).constData(), nullptr);
    if (!real)
        return Failure::ofSystem();
    canonical = QFile::decodeName(real);
    std::free(real);
    Descriptor parent(
        ::open(QFile::encodeName(canonical).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    struct stat status;
    if (!parent.isOpen() || ::fstat(parent.get(), &status) != 0)
        return Failure::ofSystem();
    if (const Result<> safe = safeFromOthers(status); !safe)
        return safe.failure();
    return parent.release();
}

int giveUpFolder(int parent, const QByteArray &name)
{
    const int error = errno;
    ::unlinkat(parent, name.constData(), AT_REMOVEDIR);
    errno = error;
    return -1;
}

// A run taking ended runs' folders at the same moment may take the new folder for one before
// it is locked; it is then made again under a new name.
int makeRunFolder(int parent, const QByteArray &prefix, QByteArray &name)
{
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        name = randomName(prefix, QByteArray());
        if (::mkdirat(parent, name.constData(), 0700) != 0) {
            if (errno == EEXIST)
                continue;
            return -1;
        }
        // The umask may have taken bits the run needs; no one else gets any.
        Descriptor folder(::fchmodat(parent, name.constData(), 0700, 0) == 0
                              ? ::openat(parent, name.constData(), kFolderFlags)
                              : -1);
        if (!folder.isOpen() && errno == ENOENT)
            continue; // swept already
        if (!folder.isOpen())
            return giveUpFolder(parent, name);
        if (::flock(folder.get(), LOCK_EX | LOCK_NB) != 0) {
            if (errno == EWOULDBLOCK)
                continue; // being swept
            return giveUpFolder(parent, name);
        }
        struct stat status;
        if (::fstat(folder.get(), &status) == 0 && stillThere(parent, name, status))
            return folder.release();
    }
    errno = EEXIST;
    return -1;
}

int lockEndedRun(int parent, const QByteArray &name, const QByteArray &prefix, struct stat &status)
{
    if (!name.startsWith(prefix) || name.size() != prefix.size() + kRandomLength)
        return -1;
    Descriptor run(::openat(parent, name.constData(), kFolderFlags));
    if (!run.isOpen() || ::fstat(run.get(), &status) != 0 || status.st_uid != ::geteuid()
        || ::flock(run.get(), LOCK_EX | LOCK_NB) != 0)
        return -1; // another user's, or a live run's
    return run.release();
}

RunFolder::~RunFolder()
{
    if (m_folder >= 0)
        ::close(m_folder);
    if (m_parent >= 0)
        ::close(m_parent);
}

Result<> RunFolder::makeIn(const QString &parent, const QByteArray &prefix,
                           void (*prepare)(int parent))
{
    QString canonical;
    const Result<int> opened = openParent(parent, canonical);
    if (!opened)
        return opened.failure();
    m_parent = *opened;
    if (prepare)
        prepare(m_parent);
    m_folder = makeRunFolder(m_parent, prefix, m_name);
    if (m_folder < 0)
        return Failure::ofSystem();
    m_path = canonical + u'/' + QFile::decodeName(m_name);
    return {};
}

void RunFolder::removeIfEmpty() const
{
    struct stat status;
    if (::fstat(m_folder, &status) == 0 && stillThere(m_parent, m_name, status))
        ::unlinkat(m_parent, m_name.constData(), AT_REMOVEDIR); // fails if others are left in it
}

} // namespace RunFolders
