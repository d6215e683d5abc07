// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "filewriter.h"

#include "files/filesystem.h"
#include "files/runfolders.h"
#include "system/descriptor.h"
#include "system/systemcalls.h"
#include "writerparts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <limits>
#include <memory>
#include <mutex>
#include <signal.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace WriterParts {

// A write may take only part of what it is given; a full disk says so on the next one.
bool writeWhole(SystemCalls &calls, int fd, QByteArrayView bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = calls.write(fd, bytes.data() + done, size_t(bytes.size() - done));
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0) {
            if (wrote == 0)
                errno = EIO;
            return false;
        }
        done += wrote;
    }
    return true;
}

// A descriptor of its own for work that may outlive its caller: the same open file.
std::shared_ptr<Descriptor> ownDescriptor(int fd)
{
    return std::make_shared<Descriptor>(::fcntl(fd, F_DUPFD_CLOEXEC, 0));
}

QString shown(const QByteArray &path)
{
    return FileSystem::displayPath(FileSystem::pathFromNative(path));
}

bool folderIsWritable(const QByteArray &folder)
{
    return ::access(folder.constData(), W_OK | X_OK) == 0;
}

// The process's number is in the name, so that a scratch file left by a killed process can be
// told from one that is still being written.
QByteArray scratchTemplate(const QByteArray &folder)
{
    return folder + '/' + FileWriter::scratchPrefix + QByteArray::number(::getpid()) + "-XXXXXX";
}

QByteArray randomTail()
{
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray tail(kRandomLength, Qt::Uninitialized);
    for (char &c : tail)
        c = letters[QRandomGenerator::global()->bounded(int(sizeof letters - 1))];
    return tail;
}

} // namespace WriterParts

using namespace WriterParts;

namespace {

// Copies of old contents go through a buffer of this size, whatever the file's size.
constexpr qsizetype kNewTextBlock = qsizetype(1) << 20;

// The process's umask, read where the system tells it: setting it to read it back would, for
// that instant, give files another thread makes the wrong mode.
mode_t modeForNewFile()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : status.readAll().split('\n')) {
            bool ok = false;
            const mode_t mask
                = line.startsWith("Umask:") ? line.mid(6).trimmed().toUInt(&ok, 8) : 0;
            if (ok)
                return 0666 & ~mask;
        }
    }
    const mode_t mask = ::umask(0); // systems before Linux 4.7 do not tell it
    ::umask(mask);
    return 0666 & ~mask;
}

// The process that made a scratch file, or 0 when the name is not exactly a scratch file's: the
// prefix, the process's number, a dash and the six letters or digits mkostemp puts in. A user's
// own file that merely begins alike (".morvane-2026-notes.ini") is never taken for one.
pid_t scratchOwner(QByteArrayView name)
{
    const QByteArrayView prefix(FileWriter::scratchPrefix);
    constexpr qsizetype tailLength = 6;
    if (!name.startsWith(prefix) || name.size() < prefix.size() + 2 + tailLength)
        return 0;
    const QByteArrayView number
        = name.sliced(prefix.size(), name.size() - prefix.size() - 1 - tailLength);
    const QByteArrayView tail = name.last(tailLength);
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    const auto isLetterOrDigit
        = [&](char c) { return isDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    if (name[name.size() - 1 - tailLength] != '-' || number.isEmpty() || number.size() > 10
        || !std::all_of(number.begin(), number.end(), isDigit)
        || !std::all_of(tail.begin(), tail.end(), isLetterOrDigit))
        return 0;
    const qint64 pid = number.toByteArray().toLongLong();
    return pid > 0 && pid <= std::numeric_limits<pid_t>::max() ? pid_t(pid) : 0;
}

} // namespace

FileWriter::FileWriter() : m_calls(SystemCalls::real())
{
}

FileWriter::FileWriter(SystemCalls &calls) : m_calls(calls)
{
}

Result<QString> FileWriter::write(const QString &path, QByteArrayView bytes, WorkProgress &progress)
{
    m_progress = &progress;
    m_cancelled = false;
    m_oldContentsKept = false;
    m_copyShare = 0;
    Result<QString> written = writeFile(path, bytes);
    // The way back has been taken as for a failure. Where it failed too, the message that names
    // the copy of the old contents is what the user needs, cancelled or not.
    if (m_cancelled && !m_oldContentsKept)
        throw WorkCancelled();
    return written;
}

Result<QString> FileWriter::writeFile(const QString &path, QByteArrayView bytes)
{
    const Result<Target> examined = examine(path);
    if (!examined)
        return examined.failure();
    const Target &target = *examined;
    // A new file can take the old one's place only where it may be made, and only when that
    // replaces all of it: another hard link would keep the old text.
    const bool replaceable
        = !target.exists || (target.status.st_nlink == 1 && folderIsWritable(target.folder));
    if (replaceable) {
        const Result<Outcome> outcome = replace(target, bytes);
        if (!outcome)
            return outcome.failure();
        if (*outcome == Outcome::Done)
            return QString();
    }
    return writeInPlace(target, bytes);
}

Result<FileWriter::Outcome> FileWriter::replace(const Target &target, QByteArrayView bytes)
{
    removeStaleScratchFiles(target.folder);
    QByteArray scratchName = scratchTemplate(target.folder);
    Descriptor scratch(::mkostemp(scratchName.data(), O_CLOEXEC));
    if (!scratch.isOpen())
        return Failure { QCoreApplication::translate(
                             "FileWriter", "no new file can be made in the folder %1 (%2)")
                             .arg(shown(target.folder), systemError()) };
    const auto fail = [&](int code) {
        ::unlink(scratchName.constData());
        return Failure::ofSystem(code);
    };
    if (!writeNewText(scratch.get(), bytes))
        return fail(errno);
    if (!carryMetadata(target, scratch.get())) {
        if (!target.exists)
            return fail(errno);
        ::unlink(scratchName.constData());
        return Outcome::CannotReplace;
    }
    // On the disk, metadata included, before it takes the old file's place.
    if (!syncNewText(scratch.get()) || m_calls.close(scratch.release()) != 0)
        return fail(errno);
    if (m_calls.rename(scratchName.constData(), target.path.constData()) != 0) {
        // A file mounted over another (as containers mount single files) is busy for a rename;
        // it can still be written in place.
        if (errno != EBUSY || !target.exists)
            return fail(errno);
        ::unlink(scratchName.constData());
        return Outcome::CannotReplace;
    }
    if (!syncFolder(target.folder))
        return Failure { QCoreApplication::translate(
                             "FileWriter",
                             "the file was written, but its folder could not be synced (%1)")
                             .arg(systemError()) };
    return Outcome::Done;
}

bool FileWriter::carryMetadata(const Target &target, int scratch) const
{
    if (!target.exists)
        return m_calls.fchmod(scratch, modeForNewFile()) == 0;
    const struct stat &old = target.status;
    // The owner first: giving a file away clears its set-id bits, which the mode puts back.
    if ((old.st_uid != ::geteuid() || old.st_gid != ::getegid())
        && m_calls.fchown(scratch, old.st_uid, old.st_gid) != 0)
        return false;
    if (m_calls.fchmod(scratch, old.st_mode & 07777) != 0
        || !copyExtendedAttributes(target.path, scratch))
        return false;
    // The system drops a set-id bit this user may not set rather than fail.
    struct stat now;
    return ::fstat(scratch, &now) == 0 && now.st_uid == old.st_uid && now.st_gid == old.st_gid
        && (now.st_mode & 07777) == (old.st_mode & 07777);
}

// Access lists are extended attributes too (system.posix_acl_access). The new file has exactly
// the old one's: what it took from its folder (a default access list) and the old file lacked
// goes, or a file readable by its owner alone could become readable by others.
bool FileWriter::copyExtendedAttributes(const QByteArray &from, int to) const
{
    const ssize_t listSize = ::listxattr(from.constData(), nullptr, 0);
    if (listSize < 0)
        return errno == ENOTSUP; // a file system without them has none to carry
    QByteArray names(listSize, '\0');
    const ssize_t listed = ::listxattr(from.constData(), names.data(), names.size());
    if (listed < 0)
        return false;
    const QList<QByteArray> oldNames = names.first(listed).split('\0');
    QByteArray ownNames(std::max<ssize_t>(::flistxattr(to, nullptr, 0), 0), '\0');
    const ssize_t ownListed = ::flistxattr(to, ownNames.data(), ownNames.size());
    if (ownListed < 0)
        return false;
    for (const QByteArray &name : ownNames.first(ownListed).split('\0')) {
        if (!name.isEmpty() && !oldNames.contains(name)
            && m_calls.fremovexattr(to, name.constData()) != 0)
            return false;
    }
    for (const QByteArray &name : oldNames) {
        if (name.isEmpty())
            continue;
        const ssize_t size = ::getxattr(from.constData(), name.constData(), nullptr, 0);
        if (size < 0)
            return false;
        QByteArray value(size, '\0');
        if (::getxattr(from.constData(), name.constData(), value.data(), size) != size
            || m_calls.fsetxattr(to, name.constData(), value.constData(), size) != 0)
            return false;
    }
    return true;
}

bool FileWriter::writeWhole(int fd, QByteArrayView bytes) const
{
    return ::writeWhole(m_calls, fd, bytes);
}

// The new text goes in blocks, so that the progress is told between them. Giving up fails the
// write like an error of the disk would, which takes the same way back.
bool FileWriter::writeNewText(int fd, QByteArrayView bytes)
{
    for (qsizetype at = 0; at < bytes.size(); at += kNewTextBlock) {
        const qsizetype block = std::min(kNewTextBlock, bytes.size() - at);
        if (!writeWhole(fd, bytes.sliced(at, block)))
            return false;
        try {
            // In place, the copy of the old contents took the first share of the save.
            m_progress->advanceTo(qint64(m_copyShare * double(bytes.size())
                                         + (1 - m_copyShare) * double(at + block)));
        } catch (const WorkCancelled &) {
            m_cancelled = true;
            errno = ECANCELED;
            return false;
        }
    }
    return true;
}

// A slow disk may take seconds to take in a large file. The sync runs on a second thread, and the
// wait is told as work under way, so that the window goes on answering. Given up, the sync is left
// to end on its own descriptor and the write fails at once.
bool FileWriter::syncNewText(int fd)
{
    const std::shared_ptr<Descriptor> own = ownDescriptor(fd);
    if (!own->isOpen())
        return m_calls.fsync(fd) == 0;
    try {
        // The calls outlive any save: the system's are the program's, a test's the test's.
        errno = m_progress->waitOnOrLeave([&calls = m_calls, own] {
            return calls.fsync(own->get()) == 0 ? 0 : errno; // the thread's own errno
        });
        return errno == 0;
    } catch (const WorkCancelled &) {
        m_cancelled = true;
        errno = ECANCELED;
        return false;
    } catch (const std::system_error &) { // no thread to spare: the sync is waited for here
        return m_calls.fsync(fd) == 0;
    }
}

// A rename is on the disk only once its folder is.
bool FileWriter::syncFolder(const QByteArray &folder) const
{
    Descriptor fd(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return fd.isOpen() && m_calls.fsync(fd.get()) == 0;
}

// A scratch file outlives its save only when the program was killed before the rename; the
// next save into the same folder removes this user's scratch files of processes that are gone.
void FileWriter::removeStaleScratchFiles(const QByteArray &folder)
{
    DIR *dir = ::opendir(folder.constData());
    if (!dir)
        return;
    while (const dirent *entry = ::readdir(dir)) {
        const pid_t owner = scratchOwner(entry->d_name);
        if (owner == 0 || owner == ::getpid() || ::kill(owner, 0) == 0 || errno != ESRCH)
            continue;
        struct stat status;
        if (::fstatat(::dirfd(dir), entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0
            && S_ISREG(status.st_mode) && status.st_uid == ::geteuid())
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}
