// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The save in place: a whole, synced copy of the old contents first, then the new text over the
// file, and the way back from that copy when the write fails or is given up.
#include "files/filesystem.h"
#include "files/runfolders.h"
#include "filewriter.h"
#include "system/descriptor.h"
#include "system/systemcalls.h"
#include "writerparts.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QScopeGuard>
#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>

using namespace WriterParts;

namespace {

constexpr size_t kCopyPiece = size_t(1) << 20;
// What a copy on a second thread shares with the window's thread: how far it has come, in the
// save's own measure, and whether the save has left it.
struct CopyUnderWay
{
    std::atomic<qint64> counted { 0 };
    std::atomic<bool> left { false };
    double scale = 0; // the save's measure per byte copied
};

// The rest of `from`, from its current offset; the count of bytes copied, or -1. A copy that
// is left stops at the next piece.
qint64 copyContents(SystemCalls &calls, int from, int to, CopyUnderWay *underWay = nullptr)
{
    QByteArray piece(kCopyPiece, Qt::Uninitialized);
    qint64 copied = 0;
    for (;;) {
        if (underWay && underWay->left.load()) {
            errno = ECANCELED;
            return -1;
        }
        const ssize_t got = ::read(from, piece.data(), piece.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return got == 0 ? copied : -1;
        if (!writeWhole(calls, to, QByteArrayView(piece.constData(), got)))
            return -1;
        copied += got;
        if (underWay)
            underWay->counted.store(qint64(double(copied) * underWay->scale));
    }
}

// What a copy kept away from its file carries in its name, so that the file's next open finds
// it and no file of the same name in another folder does: the file's device and inode, which a
// save in place keeps.
QByteArray identity(const struct stat &status)
{
    return QByteArray::number(quint64(status.st_dev)) + '-'
        + QByteArray::number(quint64(status.st_ino)) + '-';
}

// The copy of the old contents is named after the file where the name fits.
QByteArray copyName(const QByteArray &folder, const QByteArray &name, const QByteArray &identity)
{
    const QByteArray suffix = kCopySuffix + identity + randomTail();
    if (name.size() + suffix.size() <= NAME_MAX)
        return folder + '/' + name + suffix;
    return folder + '/' + FileWriter::scratchPrefix + "backup-" + randomTail();
}

// Only a complete copy, on the disk, carries the copy's name: one cut short by a kill keeps its
// scratch name, which the next save's sweep removes, and is never offered as the old file. The
// name is taken with a link, which never replaces a file that has it already.
bool nameWholeCopy(const QByteArray &scratch, const QByteArray &folder, const QByteArray &name,
                   const QByteArray &identity, QByteArray &named)
{
    for (int attempt = 0; attempt < 16; ++attempt) {
        named = copyName(folder, name, identity);
        if (::link(scratch.constData(), named.constData()) == 0) {
            ::unlink(scratch.constData());
            return true;
        }
        if (errno == EEXIST)
            continue;
        struct stat taken; // a file system without hard links
        if (::lstat(named.constData(), &taken) == 0)
            continue;
        return ::rename(scratch.constData(), named.constData()) == 0;
    }
    errno = EEXIST;
    return false;
}

} // namespace

// A save in place under way when the process ends by exit() (the toolkit calls it, from a
// thread of its own, when the display's connection is lost): the exit waits for the write to
// end, or, when it comes from within the write itself, puts the old contents back first. Either
// way the file is never left part new, part old.
struct FileWriter::InPlaceWrite
{
    std::mutex mutex;
    std::atomic<bool> underWay { false };
    std::thread::id writer;
    const FileWriter *by = nullptr;
    int file = -1, copy = -1;
    QByteArray copyName;

    static InPlaceWrite &current()
    {
        static InPlaceWrite write;
        static const bool watched = std::atexit(&InPlaceWrite::atExit) == 0;
        Q_UNUSED(watched);
        return write;
    }

    static void atExit()
    {
        InPlaceWrite &write = current();
        if (!write.underWay)
            return;
        if (write.writer != std::this_thread::get_id()) {
            const std::lock_guard finished(write.mutex);
            return;
        }
        if (write.by->restore(write.file, write.copy))
            ::unlink(write.copyName.constData());
    }
};

Result<QString> FileWriter::writeInPlace(const Target &target, QByteArrayView bytes)
{
    InPlaceWrite &underWay = InPlaceWrite::current();
    const std::lock_guard oneAtATime(underWay.mutex);
    Descriptor file(::open(target.path.constData(), O_RDWR | O_CLOEXEC | O_NOFOLLOW));
    struct stat opened;
    if (!file.isOpen() || ::fstat(file.get(), &opened) != 0)
        return Failure::ofSystem();
    if (!S_ISREG(opened.st_mode)) // swapped since it was looked at
        return Failure { QCoreApplication::translate("FileWriter", "it is not a regular file") };
    m_copyShare = 0.5; // the copy and the new text are about the same size
    m_stepBytes = bytes.size();
    QByteArray copyName;
    const Result<int> copied = copyOldContents(file.get(), target, copyName);
    if (!copied)
        return copied.failure();
    Descriptor copy(*copied);
    underWay.writer = std::this_thread::get_id();
    underWay.by = this;
    underWay.file = file.get();
    underWay.copy = copy.get();
    underWay.copyName = copyName;
    underWay.underWay = true;
    const auto ended = qScopeGuard([&underWay] { underWay.underWay = false; });
    if (::lseek(file.get(), 0, SEEK_SET) == 0 && writeNewText(file.get(), bytes)
        && m_calls.ftruncate(file.get(), bytes.size()) == 0 && syncNewText(file.get())) {
        // Saved; a copy that stays would be offered back at the next open, so it is named.
        if (::unlink(copyName.constData()) != 0)
            return QCoreApplication::translate(
                       "FileWriter", "the copy of its old contents, %1, could not be removed (%2)")
                .arg(shown(copyName), systemError());
        return QString();
    }
    Failure failure = Failure::ofSystem();
    if (restoreWatched(file.get(), copy.get())) {
        ::unlink(copyName.constData());
    } else {
        m_oldContentsKept = true;
        failure.reason
            += QCoreApplication::translate("FileWriter", "; its old contents are kept in %1")
                   .arg(shown(copyName));
    }
    return failure;
}

// A complete, synced copy of the old contents, beside the file where its folder may be
// written, else in the user's temporary folder. Returns its descriptor, or -1.
Result<int> FileWriter::copyOldContents(int file, const Target &target, QByteArray &copyName)
{
    const bool beside = folderIsWritable(target.folder);
    const QByteArray folder
        = beside ? target.folder : QFile::encodeName(FileSystem::temporaryFolder());
    // The temporary folder is checked as the private folder's parent is: one that others may
    // change without the sticky bit could have the copy swapped before the way back reads it.
    struct stat status;
    const Result<> safe = beside || ::stat(folder.constData(), &status) != 0
        ? Result<>()
        : RunFolders::safeFromOthers(status);
    const auto noCopy = [&folder](const QString &reason) {
        return Failure { QCoreApplication::translate(
                             "FileWriter", "no copy of the old contents could be made in %1 (%2)")
                             .arg(shown(folder), reason) };
    };
    if (!safe)
        return noCopy(safe.reason());
    QByteArray scratchName = scratchTemplate(folder);
    Descriptor copy(::mkostemp(scratchName.data(), O_CLOEXEC));
    if (copy.isOpen() && copyWatched(file, copy.get(), target.status.st_size)
        && nameWholeCopy(scratchName, folder, target.name,
                         beside ? QByteArray() : identity(target.status), copyName)
        && syncFolder(folder))
        return copy.release();
    const Failure failure = noCopy(systemError());
    if (copy.isOpen()) {
        ::unlink(scratchName.constData());
        if (!copyName.isEmpty())
            ::unlink(copyName.constData());
    }
    return failure;
}

QStringList FileWriter::copiesLeftBeside(const QString &path)
{
    const QFileInfo file(path);
    const QByteArray prefix = FileSystem::nativePath(file.fileName()) + kCopySuffix;
    QStringList copies = copiesIn(FileSystem::nativePath(file.absolutePath()), prefix);
    // Where the file's folder could not be written, the copy went to the temporary folder.
    struct stat status;
    if (::stat(FileSystem::nativePath(path).constData(), &status) == 0)
        copies << copiesIn(QFile::encodeName(FileSystem::temporaryFolder()),
                           prefix + identity(status));
    return copies;
}

// This user's regular files in `folder` named `prefix` and a random tail, and nothing else.
QStringList FileWriter::copiesIn(const QByteArray &folder, const QByteArray &prefix)
{
    QStringList copies;
    DIR *dir = ::opendir(folder.constData());
    if (!dir)
        return copies;
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArrayView name(entry->d_name);
        const auto isLetterOrDigit
            = [](char c) { return std::isalnum(static_cast<unsigned char>(c)); };
        struct stat status;
        if (name.size() == prefix.size() + kRandomLength && name.startsWith(prefix)
            && std::all_of(name.end() - kRandomLength, name.end(), isLetterOrDigit)
            && ::fstatat(::dirfd(dir), entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0
            && S_ISREG(status.st_mode) && status.st_uid == ::geteuid())
            copies << FileSystem::pathFromNative(folder + '/' + name.toByteArray());
    }
    ::closedir(dir);
    return copies;
}

bool FileWriter::restore(int file, int copy) const
{
    if (::lseek(file, 0, SEEK_SET) != 0 || ::lseek(copy, 0, SEEK_SET) != 0)
        return false;
    const qint64 size = ::copyContents(m_calls, copy, file);
    return size >= 0 && m_calls.ftruncate(file, size) == 0 && m_calls.fsync(file) == 0;
}

// A large file takes a while to copy and sync, and longer on a slow disk: the copy runs on a
// second thread while the window answers and shows how far it has come. Given up, the copy is
// left to stop at its next piece, or after its sync, on descriptors of its own; it fails as an
// error of the disk would.
bool FileWriter::copyWatched(int from, int to, qint64 size)
{
    const auto underWay = std::make_shared<CopyUnderWay>();
    underWay->scale = size > 0 ? m_copyShare * double(m_stepBytes) / double(size) : 0;
    const std::shared_ptr<Descriptor> in = ownDescriptor(from), out = ownDescriptor(to);
    if (!in->isOpen() || !out->isOpen())
        return false;
    try {
        errno = m_progress->waitOnOrLeave(
            [&calls = m_calls, underWay, in, out] {
                if (copyContents(calls, in->get(), out->get(), underWay.get()) < 0)
                    return errno;
                // On the disk before the file changes.
                return calls.fsync(out->get()) == 0 ? 0 : errno;
            },
            std::shared_ptr<std::atomic<qint64>>(underWay, &underWay->counted));
        return errno == 0;
    } catch (const WorkCancelled &) {
        underWay->left = true;
        m_cancelled = true;
        errno = ECANCELED;
        return false;
    } catch (const std::system_error &) { // no thread to spare: copied here
        return ::copyContents(m_calls, from, to) >= 0 && m_calls.fsync(to) == 0;
    }
}

// The way back is never given up: a Cancel now would leave the file part new, part old. The
// window answers meanwhile, and the wait goes on through any Cancel.
bool FileWriter::restoreWatched(int file, int copy)
{
    m_progress->undoing();
    bool restored = false;
    try {
        m_progress->waitOn([&] { restored = restore(file, copy); });
    } catch (const WorkCancelled &) { // the thread has been waited for all the same
    } catch (const std::system_error &) {
        restored = restore(file, copy);
    }
    return restored;
}
