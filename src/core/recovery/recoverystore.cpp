// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "recoverystore.h"

#include "files/filesystem.h"
#include "files/runfolders.h"
#include "save/filewriter.h"
#include "system/descriptor.h"
#include "system/workprogress.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <unistd.h>

using namespace RunFolders;

namespace {

constexpr char kSuffix[] = ".copy";
constexpr qsizetype kLongestKey = 64;

// Nobody watches a recovery copy being written; this one is the writer's thread's own.
class Unwatched final : public WorkProgress
{
protected:
    void reached(double) override { }
};

// A short name that is the same as a file name and as a QString.
bool isKey(const QString &key)
{
    const auto allowed = [](QChar c) {
        return (c.isLetterOrNumber() && c.unicode() < 128) || c == u'-' || c == u'_';
    };
    return !key.isEmpty() && key.size() <= kLongestKey
        && std::all_of(key.begin(), key.end(), allowed);
}

QByteArray fileName(const QString &key)
{
    return key.toLatin1() + kSuffix;
}

bool isCopyName(const QByteArray &name)
{
    return name.endsWith(kSuffix) && isKey(QString::fromLatin1(name.chopped(strlen(kSuffix))));
}

// A new file for a first copy, 0600 whatever the umask: FileWriter carries the mode of the file
// it replaces. False when there is one already, or it cannot be made.
bool makePrivateFile(int folder, const QByteArray &name)
{
    const Descriptor file(::openat(folder, name.constData(),
                                   O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    return file.isOpen() && ::fchmod(file.get(), 0600) == 0;
}

// Whether `name` is a copy this store could have written: nothing another mode or a link.
bool isPrivateFile(int folder, const QByteArray &name)
{
    struct stat status;
    return ::fstatat(folder, name.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0
        && S_ISREG(status.st_mode) && (status.st_mode & 07777) == 0600;
}

// The copy in `name`, read through a descriptor that follows no link, or nullopt.
std::optional<RecoveryCopy> readCopy(int folder, const QByteArray &name, struct stat &status)
{
    Descriptor fd(
        ::openat(folder, name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    QFile file;
    if (!fd.isOpen() || ::fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode)
        || !file.open(fd.get(), QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return std::nullopt;
    fd.release();
    return RecoveryCopy::decode(file.readAll());
}

// Removes what a save cut short leaves, none of which holds a copy: FileWriter's scratch file,
// and the empty file made for a first copy.
void removeLeftovers(int folder)
{
    for (const QByteArray &name : entryNames(folder)) {
        struct stat status;
        if (::fstatat(folder, name.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0
            && S_ISREG(status.st_mode)
            && (name.startsWith(FileWriter::scratchPrefix) || status.st_size == 0))
            ::unlinkat(folder, name.constData(), 0);
    }
}

// Opens the folder `name` in `parent`, made, only for its owner, when it is missing.
int openOrMakeFolder(int parent, const QByteArray &name)
{
    constexpr int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
    const int folder = ::openat(parent, name.constData(), flags);
    if (folder >= 0 || errno != ENOENT)
        return folder;
    if (::mkdirat(parent, name.constData(), 0700) == 0) { // the umask may have taken bits
        if (::fchmodat(parent, name.constData(), 0700, 0) != 0)
            return -1;
    } else if (errno != EEXIST) {
        return -1;
    }
    return ::openat(parent, name.constData(), flags | O_NOFOLLOW);
}

// Makes the folders of `path` that are missing.
Result<> makeFolders(const QString &path)
{
    int folder = ::open("/", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    for (const QString &part : absolute.split(u'/', Qt::SkipEmptyParts)) {
        const int inner = openOrMakeFolder(folder, QFile::encodeName(part));
        if (inner < 0) {
            const Failure failure = Failure::ofSystem();
            ::close(folder);
            return failure;
        }
        ::close(folder);
        folder = inner;
    }
    ::close(folder);
    return {};
}

Failure folderProblem(const QString &folder, const QString &reason)
{
    return { QCoreApplication::translate("RecoveryStore",
                                         "the folder for recovery copies %1 cannot be used (%2)")
                 .arg(FileSystem::displayPath(folder), reason) };
}

QString defaultFolder()
{
    const QString state = qEnvironmentVariable("XDG_STATE_HOME");
    const QString base
        = QDir::isAbsolutePath(state) ? state : QDir::homePath() + QStringLiteral("/.local/state");
    return base + QStringLiteral("/morvane/recovery");
}

// The worker thread that saves copies may be the first to ask for the store.
std::mutex thisRunMutex;

std::unique_ptr<RecoveryStore> &thisRun()
{
    static std::unique_ptr<RecoveryStore> store;
    return store;
}

} // namespace

Result<RecoveryStore *> RecoveryStore::ofThisRun()
{
    const std::lock_guard lock(thisRunMutex);
    std::unique_ptr<RecoveryStore> &run = thisRun();
    if (!run) {
        Result<std::unique_ptr<RecoveryStore>> made = makeIn(defaultFolder());
        if (!made)
            return made.failure();
        run = std::move(*made);
    }
    return run.get();
}

void RecoveryStore::endThisRun()
{
    const std::lock_guard lock(thisRunMutex);
    if (thisRun())
        thisRun()->m_run.removeIfEmpty();
    thisRun().reset();
}

// The copies hold what the user typed, passwords among it: the folder that holds them is the
// user's alone, itself and not a link to elsewhere, which no one else may write in, sticky bit or
// not.
Result<> isPrivate(const QString &folder)
{
    struct stat status;
    if (::lstat(QFile::encodeName(folder).constData(), &status) != 0)
        return Failure::ofSystem();
    if (S_ISLNK(status.st_mode))
        return Failure { QCoreApplication::translate("RecoveryStore", "it is a symbolic link") };
    if (!S_ISDIR(status.st_mode))
        return Failure::ofSystem(ENOTDIR);
    if (status.st_uid != ::geteuid())
        return Failure { QCoreApplication::translate("RecoveryStore",
                                                     "it belongs to another user") };
    if (status.st_mode & (S_IWGRP | S_IWOTH))
        return Failure { QCoreApplication::translate("RecoveryStore", "others may write in it") };
    return {};
}

Result<std::unique_ptr<RecoveryStore>> RecoveryStore::makeIn(const QString &recoveryFolder)
{
    std::unique_ptr<RecoveryStore> store(new RecoveryStore(recoveryFolder));
    Result<> made = makeFolders(recoveryFolder);
    if (made)
        made = isPrivate(QDir::cleanPath(recoveryFolder));
    if (made)
        made = store->m_run.makeIn(recoveryFolder, namePrefix);
    if (!made)
        return folderProblem(recoveryFolder, made.reason());
    return store;
}

RecoveryStore::RecoveryStore(const QString &shownRecovery) : m_shownRecovery(shownRecovery)
{
}

RecoveryStore::~RecoveryStore()
{
    for (const Taken &taken : std::as_const(m_taken))
        ::close(taken.folder);
}

Result<> RecoveryStore::save(const QString &key, const RecoveryCopy &copy)
{
    if (!isKey(key))
        return problem(
            QCoreApplication::translate("RecoveryStore", "\"%1\" cannot name a copy").arg(key));
    const QByteArray name = fileName(key);
    const bool made = makePrivateFile(m_run.folder(), name);
    if (!made && !isPrivateFile(m_run.folder(), name))
        return problem(
            QCoreApplication::translate("RecoveryStore", "%1 is not a copy this program wrote")
                .arg(QFile::decodeName(name)));
    Unwatched progress;
    FileWriter writer;
    const Result<QString> written
        = writer.write(path() + u'/' + QFile::decodeName(name), copy.encode(), progress);
    if (written)
        return {};
    if (made) // an empty file is no copy
        ::unlinkat(m_run.folder(), name.constData(), 0);
    return problem(written.reason());
}

void RecoveryStore::remove(const QString &key)
{
    if (isKey(key))
        ::unlinkat(m_run.folder(), fileName(key).constData(), 0);
}

QList<RecoveryStore::LeftBehind> RecoveryStore::takeLeftBehind()
{
    QList<Dated> found;
    const QString recoveryPath = QFileInfo(path()).absolutePath();
    for (const QByteArray &name : entryNames(m_run.parent())) {
        Taken taken { name, -1, {}, recoveryPath + u'/' + QFile::decodeName(name), {} };
        taken.folder = lockEndedRun(m_run.parent(), name, namePrefix, taken.status);
        if (taken.folder < 0)
            continue;
        readCopies(taken, found);
        m_taken.append(taken);
    }
    std::sort(found.begin(), found.end(), [](const Dated &a, const Dated &b) {
        return std::pair(a.modified, a.copy.file) < std::pair(b.modified, b.copy.file);
    });
    QList<LeftBehind> copies;
    for (Dated &dated : found)
        copies.append(std::move(dated.copy));
    return copies;
}

void RecoveryStore::readCopies(Taken &taken, QList<Dated> &found)
{
    for (const QByteArray &name : entryNames(taken.folder)) {
        Copy copy { name, {} };
        std::optional<RecoveryCopy> read
            = isCopyName(name) ? readCopy(taken.folder, name, copy.status) : std::nullopt;
        if (!read)
            continue;
        taken.copies.append(copy);
        const qint64 modified
            = qint64(copy.status.st_mtim.tv_sec) * 1000000000 + copy.status.st_mtim.tv_nsec;
        found.append({ modified, { taken.path + u'/' + QFile::decodeName(name), *read } });
    }
}

Result<> RecoveryStore::adopt(const LeftBehind &copy, const QString &key)
{
    const auto [taken, at] = find(copy.file);
    const Copy *left = taken ? &taken->copies[at] : nullptr;
    if (!isKey(key) || !left || !stillThere(taken->folder, left->name, left->status))
        return problem(
            QCoreApplication::translate("RecoveryStore", "the copy %1 is no longer there")
                .arg(FileSystem::displayPath(copy.file)));
    if (::renameat(taken->folder, left->name.constData(), m_run.folder(), fileName(key).constData())
        != 0)
        return problem(systemError());
    // The move is on the disk once both folders are.
    ::fsync(m_run.folder());
    ::fsync(taken->folder);
    taken->copies.removeAt(at);
    return {};
}

void RecoveryStore::discard(const LeftBehind &copy)
{
    const auto [taken, at] = find(copy.file);
    if (!taken)
        return;
    const Copy &left = taken->copies[at];
    if (stillThere(taken->folder, left.name, left.status))
        ::unlinkat(taken->folder, left.name.constData(), 0);
    taken->copies.removeAt(at);
}

void RecoveryStore::releaseLeftBehind()
{
    for (const Taken &taken : std::as_const(m_taken)) {
        if (taken.copies.isEmpty()) {
            removeLeftovers(taken.folder);
            // Fails while it holds a file this run cannot read: a later version may.
            if (stillThere(m_run.parent(), taken.name, taken.status))
                ::unlinkat(m_run.parent(), taken.name.constData(), AT_REMOVEDIR);
        }
        ::close(taken.folder); // which ends the lock
    }
    m_taken.clear();
}

std::pair<RecoveryStore::Taken *, qsizetype> RecoveryStore::find(const QString &file)
{
    const QFileInfo info(file);
    const QByteArray name = QFile::encodeName(info.fileName());
    for (Taken &taken : m_taken) {
        if (taken.path != info.absolutePath())
            continue;
        for (qsizetype at = 0; at < taken.copies.size(); ++at) {
            if (taken.copies[at].name == name)
                return { &taken, at };
        }
    }
    return { nullptr, -1 };
}

Failure RecoveryStore::problem(const QString &reason) const
{
    return folderProblem(m_shownRecovery, reason);
}
