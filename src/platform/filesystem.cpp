#include "filesystem.h"

#include "hugepages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// QSaveFile names its scratch file after the target plus ".XXXXXX"; past this length that name
// no longer fits the file system's 255-byte limit and the save fails.
constexpr qsizetype kLongestScratchableName = 255 - 7;

bool hasLongName(const QString &path)
{
    return QFile::encodeName(QFileInfo(path).fileName()).size() > kLongestScratchableName;
}

QFileDevice::Permissions permissionsForNewFile()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    const mode_t mode = 0666 & ~mask;
    QFileDevice::Permissions permissions;
    // Qt's owner bits and the user bits both mean the file's owner.
    const std::pair<mode_t, QFileDevice::Permissions> bits[]
        = { { S_IRUSR, QFileDevice::ReadOwner | QFileDevice::ReadUser },
            { S_IWUSR, QFileDevice::WriteOwner | QFileDevice::WriteUser },
            { S_IRGRP, QFileDevice::ReadGroup },
            { S_IWGRP, QFileDevice::WriteGroup },
            { S_IROTH, QFileDevice::ReadOther },
            { S_IWOTH, QFileDevice::WriteOther } };
    for (const auto &[bit, permission] : bits) {
        if (mode & bit)
            permissions |= permission;
    }
    return permissions;
}

// The same as QSaveFile, with a short scratch name in the target's folder.
bool writeWithShortScratchName(const QString &path, const QByteArray &bytes, QString &error)
{
    const QFileInfo info(path);
    const QString target = info.isSymLink() ? info.canonicalFilePath() : info.absoluteFilePath();
    QTemporaryFile scratch(QFileInfo(target).absolutePath() + QStringLiteral("/.morvane-XXXXXX"));
    if (!scratch.open() || scratch.write(bytes) != bytes.size() || !scratch.flush()) {
        error = FileSystem::reason(scratch);
        return false;
    }
    if (::fsync(scratch.handle()) != 0) { // on the disk before it replaces the file, as QSaveFile
        error = qt_error_string(errno);
        return false;
    }
    const auto permissions
        = QFile::exists(target) ? QFile::permissions(target) : permissionsForNewFile();
    if (!scratch.setPermissions(permissions)) {
        error = FileSystem::reason(scratch);
        return false;
    }
    scratch.close();
    // rename() replaces the target in one step, which QFile::rename() refuses to do.
    if (std::rename(QFile::encodeName(scratch.fileName()).constData(),
                    QFile::encodeName(target).constData())
        != 0) {
        error = qt_error_string(errno);
        return false;
    }
    scratch.setAutoRemove(false);
    return true;
}

} // namespace

QString FileSystem::programFolder()
{
    return QCoreApplication::applicationDirPath();
}

bool FileSystem::readAll(const QString &path, QByteArray &bytes, QString &error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = reason(file);
        return false;
    }
    // Sized once from the file's size, and in huge pages when it is large; whatever the file
    // has gained since it was measured is read after it.
    const qint64 expected = file.size();
    bytes = QByteArray(expected, Qt::Uninitialized);
    HugePages::advise(bytes.data(), bytes.size());
    const qint64 read = file.read(bytes.data(), expected);
    if (read >= 0) {
        bytes.truncate(read);
        if (read == expected)
            bytes += file.readAll();
    }
    if (read < 0 || file.error() != QFileDevice::NoError) {
        error = reason(file);
        return false;
    }
    return true;
}

bool FileSystem::readFirstBytes(const QString &path, qsizetype count, QByteArray &bytes,
                                QString &error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = reason(file);
        return false;
    }
    bytes = file.read(count);
    if (file.error() != QFileDevice::NoError) {
        error = reason(file);
        return false;
    }
    return true;
}

bool FileSystem::writeAtomically(const QString &path, const QByteArray &bytes, QString &error)
{
    if (hasLongName(path))
        return writeWithShortScratchName(path, bytes, error);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = reason(file);
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        error = reason(file);
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        error = reason(file);
        return false;
    }
    return true;
}

bool FileSystem::exists(const QString &path)
{
    return QFile::exists(path);
}

void FileSystem::remove(const QString &path)
{
    QFile::remove(path);
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

QString FileSystem::temporaryFolderProblem(const QString &reason)
{
    return QStringLiteral("the temporary folder %1 cannot be used (%2)")
        .arg(displayPath(QDir::tempPath()), reason);
}
