// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "privatefolder.h"

#include "filesystem.h"
#include "runfolders.h"
#include "system/descriptor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/vfs.h>

using namespace RunFolders;

namespace {

// A run that ended without its clean-up left its folder unlocked. All that folder can hold is
// what that run made: its files, and the helpers' folders with their files.
void sweepEndedRuns(int parent)
{
    for (const QByteArray &name : entryNames(parent)) {
        struct stat status;
        const Descriptor run(lockEndedRun(parent, name, PrivateFolder::namePrefix, status));
        if (!run.isOpen())
            continue;
        removeEntries(run.get(), 1);
        if (stillThere(parent, name, status))
            ::unlinkat(parent, name.constData(), AT_REMOVEDIR);
    }
}

std::unique_ptr<PrivateFolder> &thisRun()
{
    // Destroyed at exit, which cleans up after a run that ends without a window.
    static std::unique_ptr<PrivateFolder> folder;
    return folder;
}

// Where this run's folder lacks room: one in the temporary folder, which is on a disk.
std::unique_ptr<PrivateFolder> &thisRunOnDisk()
{
    static std::unique_ptr<PrivateFolder> folder;
    return folder;
}

qint64 roomIn(int folder)
{
    struct statvfs status;
    return ::fstatvfs(folder, &status) == 0 ? qint64(status.f_bavail) * qint64(status.f_frsize)
                                            : -1;
}

// Beyond what a file is to take, so that the file system is not filled to the last byte.
constexpr qint64 kRoomToSpare = qint64(1) << 20;

bool isInMemory(int folder)
{
    struct statfs status;
    return ::fstatfs(folder, &status) == 0 && status.f_type == TMPFS_MAGIC;
}

} // namespace

Result<PrivateFolder *> PrivateFolder::withRoomFor(qint64 bytes)
{
    const Result<PrivateFolder *> run = ofThisRun();
    const qint64 room = run ? roomIn((*run)->m_run.folder()) : -1;
    if (!run || room < 0 || room >= bytes + kRoomToSpare)
        return run;
    const QString disk = FileSystem::temporaryFolder();
    std::unique_ptr<PrivateFolder> &onDisk = thisRunOnDisk();
    const bool inTheTemporaryFolder
        = QFileInfo((*run)->path()).absolutePath() == QFileInfo(disk).canonicalFilePath();
    if (!onDisk && !inTheTemporaryFolder) {
        if (Result<std::unique_ptr<PrivateFolder>> made = makeIn(disk))
            onDisk = std::move(*made);
    }
    if (onDisk && roomIn(onDisk->m_run.folder()) > room)
        return onDisk.get();
    return run; // the write says what it lacked
}

bool PrivateFolder::holdsInMemory()
{
    const Result<PrivateFolder *> run = ofThisRun();
    return run && isInMemory((*run)->m_run.folder());
}

Result<PrivateFolder *> PrivateFolder::ofThisRun()
{
    std::unique_ptr<PrivateFolder> &run = thisRun();
    // A cleaner of old temporary files that ignores the lock may have removed the folder of a
    // long run; it is made again then.
    struct stat status;
    if (run && ::fstat(run->m_run.folder(), &status) == 0 && status.st_nlink > 0)
        return run.get();
    run.reset();
    // A desktop folder that fails the checks is passed over: it is a convenience, the
    // temporary folder is the rule.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (QDir::isAbsolutePath(runtime)) {
        if (Result<std::unique_ptr<PrivateFolder>> made = makeIn(runtime))
            run = std::move(*made);
    }
    if (!run) {
        Result<std::unique_ptr<PrivateFolder>> made = makeIn(FileSystem::temporaryFolder());
        if (!made)
            return made.failure();
        run = std::move(*made);
    }
    return run.get();
}

void PrivateFolder::endThisRun()
{
    thisRun().reset();
    thisRunOnDisk().reset();
}

void PrivateFolder::discard(const QString &path)
{
    for (const std::unique_ptr<PrivateFolder> *run : { &thisRun(), &thisRunOnDisk() }) {
        if (*run)
            (*run)->remove(path);
    }
}

Result<std::unique_ptr<PrivateFolder>> PrivateFolder::makeIn(const QString &parent)
{
    std::unique_ptr<PrivateFolder> folder(new PrivateFolder(parent));
    if (const Result<> made = folder->m_run.makeIn(parent, namePrefix, sweepEndedRuns); !made)
        return folder->problem(made.reason());
    return folder;
}

PrivateFolder::PrivateFolder(const QString &shownParent) : m_shownParent(shownParent)
{
}

PrivateFolder::~PrivateFolder()
{
    for (auto made = m_made.crbegin(); made != m_made.crend(); ++made)
        removeMade(*made);
    m_run.removeIfEmpty();
}

Result<QString> PrivateFolder::newFile(const QString &prefix, const QString &suffix, QFile &file)
{
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const QByteArray name = randomName(QFile::encodeName(prefix), QFile::encodeName(suffix));
        Descriptor fd(::openat(m_run.folder(), name.constData(),
                               O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (!fd.isOpen() && errno == EEXIST)
            continue;
        struct stat status;
        if (!fd.isOpen() || ::fstat(fd.get(), &status) != 0) {
            const Failure failure = problem(systemError());
            if (fd.isOpen())
                ::unlinkat(m_run.folder(), name.constData(), 0);
            return failure;
        }
        m_made.append({ name, status.st_dev, status.st_ino, false });
        const QString path = m_run.path() + u'/' + QFile::decodeName(name);
        if (!file.open(fd.get(), QIODevice::ReadWrite, QFileDevice::AutoCloseHandle)) {
            const Failure failure = problem(FileSystem::reason(file));
            remove(path);
            return failure;
        }
        fd.release();
        return path;
    }
    return problem(systemError(EEXIST));
}

Result<QString> PrivateFolder::newFolder(const QString &prefix)
{
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const QByteArray name = randomName(QFile::encodeName(prefix), QByteArray());
        if (::mkdirat(m_run.folder(), name.constData(), 0700) != 0) {
            if (errno == EEXIST)
                continue;
            break;
        }
        // The umask may have taken bits the helper needs to write in it.
        const Descriptor folder(::fchmodat(m_run.folder(), name.constData(), 0700, 0) == 0
                                    ? ::openat(m_run.folder(), name.constData(), kFolderFlags)
                                    : -1);
        struct stat status;
        if (!folder.isOpen() || ::fstat(folder.get(), &status) != 0) {
            giveUpFolder(m_run.folder(), name);
            break;
        }
        m_made.append({ name, status.st_dev, status.st_ino, true });
        return m_run.path() + u'/' + QFile::decodeName(name);
    }
    return problem(systemError());
}

void PrivateFolder::remove(const QString &path)
{
    const QFileInfo file(path);
    if (file.absolutePath() != m_run.path())
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
    if (!stillThere(m_run.folder(), made.name, status))
        return false; // gone, or swapped for something that is not ours
    if (!made.folder)
        return ::unlinkat(m_run.folder(), made.name.constData(), 0) == 0;
    const Descriptor folder(::openat(m_run.folder(), made.name.constData(), kFolderFlags));
    struct stat opened;
    if (!folder.isOpen() || ::fstat(folder.get(), &opened) != 0 || opened.st_ino != made.inode
        || opened.st_dev != made.device)
        return false;
    removeEntries(folder.get(), 0);
    return ::unlinkat(m_run.folder(), made.name.constData(), AT_REMOVEDIR) == 0;
}

Failure PrivateFolder::problem(const QString &reason) const
{
    return { FileSystem::temporaryFolderProblem(m_shownParent, reason) };
}
