// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "privatefolder.h"

#include "filesystem.h"
#include "system/descriptor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

namespace {

constexpr int kAttempts = 100;
constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
constexpr qsizetype kRandomLength = 6;

QByteArray randomName(const QByteArray &prefix, const QByteArray &suffix)
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QByteArray name = prefix;
    for (qsizetype i = 0; i < kRandomLength; ++i)
        name += letters[QRandomGenerator::system()->bounded(int(sizeof letters - 1))];
    return name + suffix;
}

// Whether `name` in `folder` is still the file or folder `status` describes.
bool stillThere(int folder, const QByteArray &name, const struct stat &status)
{
    struct stat now;
    return ::fstatat(folder, name.constData(), &now, AT_SYMLINK_NOFOLLOW) == 0
        && now.st_dev == status.st_dev && now.st_ino == status.st_ino;
}

// Why others could swap what is made in a folder, or an empty string when they cannot.
QString whyOthersMayChange(const struct stat &status)
{
    if (!S_ISDIR(status.st_mode))
        return qt_error_string(ENOTDIR);
    if (status.st_uid != ::geteuid() && status.st_uid != 0)
        return QStringLiteral("it belongs to another user");
    if ((status.st_mode & (S_IWGRP | S_IWOTH)) && !(status.st_mode & S_ISVTX))
        return QStringLiteral("others may write in it, and it has no sticky bit");
    return QString();
}

// Removes the files and links in an open folder, and while `depth` > 0 its folders too, each
// emptied the same way. A link is removed itself, never what it leads to.
void removeEntries(int folder, int depth)
{
    // A descriptor of its own for the listing, so that reading it moves no other's position.
    Descriptor listing(::openat(folder, ".", kFolderFlags));
    DIR *dir = listing.isOpen() ? ::fdopendir(listing.get()) : nullptr;
    if (!dir)
        return;
    listing.release(); // the listing closes it
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        struct stat status;
        if (name == "." || name == ".."
            || ::fstatat(folder, name.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0)
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
    ::closedir(dir);
}

// A run that ended without its clean-up left its folder unlocked. All that folder can hold is
// what that run made: its files, and the helpers' folders with their files.
void sweepEndedRuns(int parent)
{
    Descriptor listing(::openat(parent, ".", kFolderFlags));
    DIR *dir = listing.isOpen() ? ::fdopendir(listing.get()) : nullptr;
    if (!dir)
        return;
    listing.release();
    const QByteArray prefix(PrivateFolder::namePrefix);
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (!name.startsWith(prefix) || name.size() != prefix.size() + kRandomLength)
            continue;
        const Descriptor run(::openat(parent, name.constData(), kFolderFlags));
        struct stat status;
        if (!run.isOpen() || ::fstat(run.get(), &status) != 0 || status.st_uid != ::geteuid()
            || ::flock(run.get(), LOCK_EX | LOCK_NB) != 0)
            continue; // another user's, or a live run's
        removeEntries(run.get(), 1);
        if (stillThere(parent, name, status))
            ::unlinkat(parent, name.constData(), AT_REMOVEDIR);
    }
    ::closedir(dir);
}

// The parent folder, opened by its real path (which is what the files are read back by), or -1
// with the reason.
int openParent(const QString &given, QString &canonical, QString &reason)
{
    char *real = ::realpath(QFile::encodeName(given).constData(), nullptr);
    if (!real) {
        reason = qt_error_string(errno);
        return -1;
    }
    canonical = QFile::decodeName(real);
    std::free(real);
    Descriptor parent(
        ::open(QFile::encodeName(canonical).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    struct stat status;
    if (!parent.isOpen() || ::fstat(parent.get(), &status) != 0) {
        reason = qt_error_string(errno);
        return -1;
    }
    reason = whyOthersMayChange(status);
    return reason.isEmpty() ? parent.release() : -1;
}

// Removes the folder `name` just made in `parent` after a failure, keeping the failure's errno.
int giveUpFolder(int parent, const QByteArray &name)
{
    const int error = errno;
    ::unlinkat(parent, name.constData(), AT_REMOVEDIR);
    errno = error;
    return -1;
}

// A new run folder in `parent`, locked, or -1. A run sweeping at the same moment may take the
// new folder for an ended run's before it is locked; it is then made again under a new name.
int makeRunFolder(int parent, QByteArray &name)
{
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        name = randomName(PrivateFolder::namePrefix, QByteArray());
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

std::unique_ptr<PrivateFolder> &thisRun()
{
    // Destroyed at exit, which cleans up after a run that ends without a window.
    static std::unique_ptr<PrivateFolder> folder;
    return folder;
}

} // namespace

PrivateFolder *PrivateFolder::ofThisRun(QString &error)
{
    std::unique_ptr<PrivateFolder> &run = thisRun();
    // A cleaner of old temporary files that ignores the lock may have removed the folder of a
    // long run; it is made again then.
    struct stat status;
    if (run && ::fstat(run->m_folder, &status) == 0 && status.st_nlink > 0)
        return run.get();
    run.reset();
    // A desktop folder that fails the checks is passed over: it is a convenience, the
    // temporary folder is the rule.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (QDir::isAbsolutePath(runtime))
        run = makeIn(runtime, error);
    if (!run)
        run = makeIn(QDir::tempPath(), error);
    return run.get();
}

void PrivateFolder::endThisRun()
{
    thisRun().reset();
}

void PrivateFolder::discard(const QString &path)
{
    if (thisRun())
        thisRun()->remove(path);
}

std::unique_ptr<PrivateFolder> PrivateFolder::makeIn(const QString &parent, QString &error)
{
    QString canonical, reason;
    Descriptor parentFolder(openParent(parent, canonical, reason));
    if (!parentFolder.isOpen()) {
        error = FileSystem::temporaryFolderProblem(parent, reason);
        return nullptr;
    }
    sweepEndedRuns(parentFolder.get());
    QByteArray name;
    Descriptor folder(makeRunFolder(parentFolder.get(), name));
    if (!folder.isOpen()) {
        error = FileSystem::temporaryFolderProblem(parent, qt_error_string(errno));
        return nullptr;
    }
    const QString path = canonical + u'/' + QFile::decodeName(name);
    return std::unique_ptr<PrivateFolder>(
        new PrivateFolder(parentFolder.release(), folder.release(), name, path, parent));
}

PrivateFolder::PrivateFolder(int parent, int folder, const QByteArray &name, const QString &path,
                             const QString &shownParent)
    : m_parent(parent), m_folder(folder), m_name(name), m_path(path), m_shownParent(shownParent)
{
}

PrivateFolder::~PrivateFolder()
{
    for (auto made = m_made.crbegin(); made != m_made.crend(); ++made)
        removeMade(*made);
    struct stat status;
    if (::fstat(m_folder, &status) == 0 && stillThere(m_parent, m_name, status))
        ::unlinkat(m_parent, m_name.constData(), AT_REMOVEDIR); // fails if others are left in it
    ::close(m_folder); // which ends the lock
    ::close(m_parent);
}

QString PrivateFolder::newFile(const QString &prefix, const QString &suffix, QFile &file,
                               QString &error)
{
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const QByteArray name = randomName(QFile::encodeName(prefix), QFile::encodeName(suffix));
        Descriptor fd(::openat(m_folder, name.constData(),
                               O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (!fd.isOpen() && errno == EEXIST)
            continue;
        struct stat status;
        if (!fd.isOpen() || ::fstat(fd.get(), &status) != 0) {
            error = problem(qt_error_string(errno));
            if (fd.isOpen())
                ::unlinkat(m_folder, name.constData(), 0);
            return QString();
        }
        m_made.append({ name, status.st_dev, status.st_ino, false });
        const QString path = m_path + u'/' + QFile::decodeName(name);
        if (!file.open(fd.get(), QIODevice::ReadWrite, QFileDevice::AutoCloseHandle)) {
            error = problem(FileSystem::reason(file));
            remove(path);
            return QString();
        }
        fd.release();
        return path;
    }
    error = problem(qt_error_string(EEXIST));
    return QString();
}

QString PrivateFolder::newFolder(const QString &prefix, QString &error)
{
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const QByteArray name = randomName(QFile::encodeName(prefix), QByteArray());
        if (::mkdirat(m_folder, name.constData(), 0700) != 0) {
            if (errno == EEXIST)
                continue;
            break;
        }
        // The umask may have taken bits the helper needs to write in it.
        const Descriptor folder(::fchmodat(m_folder, name.constData(), 0700, 0) == 0
                                    ? ::openat(m_folder, name.constData(), kFolderFlags)
                                    : -1);
        struct stat status;
        if (!folder.isOpen() || ::fstat(folder.get(), &status) != 0) {
            giveUpFolder(m_folder, name);
            break;
        }
        m_made.append({ name, status.st_dev, status.st_ino, true });
        return m_path + u'/' + QFile::decodeName(name);
    }
    error = problem(qt_error_string(errno));
    return QString();
}

void PrivateFolder::remove(const QString &path)
{
    const QFileInfo file(path);
    if (file.absolutePath() != m_path)
        return;
    const QByteArray name = QFile::encodeName(file.fileName());
    for (qsizetype i = 0; i < m_made.size(); ++i) {
        if (m_made[i].name == name) {
            removeMade(m_made.takeAt(i));
            return;
        }
    }
}

bool PrivateFolder::removeMade(const Made &made) const
{
    struct stat status;
    status.st_dev = made.device;
    status.st_ino = made.inode;
    if (!stillThere(m_folder, made.name, status))
        return false; // gone, or swapped for something that is not ours
    if (!made.folder)
        return ::unlinkat(m_folder, made.name.constData(), 0) == 0;
    const Descriptor folder(::openat(m_folder, made.name.constData(), kFolderFlags));
    struct stat opened;
    if (!folder.isOpen() || ::fstat(folder.get(), &opened) != 0 || opened.st_ino != made.inode
        || opened.st_dev != made.device)
        return false;
    removeEntries(folder.get(), 0);
    return ::unlinkat(m_folder, made.name.constData(), AT_REMOVEDIR) == 0;
}

QString PrivateFolder::problem(const QString &reason) const
{
    return FileSystem::temporaryFolderProblem(m_shownParent, reason);
}
