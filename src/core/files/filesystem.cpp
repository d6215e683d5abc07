// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "filesystem.h"

#include "readablefile.h"
#include "system/hugepages.h"
#include "system/workprogress.h"
#include "text/textcodec.h"
#include "text/utf8.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

QString FileSystem::programFolder()
{
    return QCoreApplication::applicationDirPath();
}

Result<QByteArray> FileSystem::readAll(const QString &path, WorkProgress &progress)
{
    ReadableFile file;
    if (const Result<> opened = file.open(path); !opened)
        return opened.failure();
    return file.readAll(progress);
}

bool FileSystem::exists(const QString &path)
{
    struct stat status;
    return ::stat(nativePath(path).constData(), &status) == 0;
}

namespace {

constexpr char16_t kEscapedByte = 0xDC00; // + the byte, from 0x80 to 0xFF

bool isEscapedByte(char16_t unit)
{
    return unit >= kEscapedByte + 0x80 && unit <= kEscapedByte + 0xFF;
}

} // namespace

QString FileSystem::displayPath(const QString &path)
{
    QString shown = QDir::toNativeSeparators(path);
    for (QChar &c : shown) {
        if (isEscapedByte(c.unicode()))
            c = QChar::ReplacementCharacter;
    }
    return shown;
}

QString FileSystem::pathFromNative(QByteArrayView bytes)
{
    if (TextCodec::isValidUtf8(bytes))
        return QString::fromUtf8(bytes);
    QString path;
    path.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size();) {
        const qsizetype length = Utf8::sequenceLength(bytes, i);
        if (length == 0) {
            path += QChar(char16_t(kEscapedByte + static_cast<unsigned char>(bytes[i])));
            ++i;
        } else {
            path += QString::fromUtf8(bytes.sliced(i, length));
            i += length;
        }
    }
    return path;
}

QByteArray FileSystem::nativePath(const QString &path)
{
    const bool escaped
        = std::any_of(path.begin(), path.end(), [](QChar c) { return isEscapedByte(c.unicode()); });
    if (!escaped)
        return path.toUtf8();
    QByteArray bytes;
    bytes.reserve(path.size() * 3);
    for (qsizetype i = 0; i < path.size(); ++i) {
        const char16_t unit = path[i].unicode();
        if (isEscapedByte(unit)) {
            bytes += char(unit - kEscapedByte);
        } else if (QChar::isHighSurrogate(unit) && i + 1 < path.size()) {
            bytes += path.sliced(i, 2).toUtf8();
            ++i;
        } else {
            bytes += QString(QChar(unit)).toUtf8();
        }
    }
    return bytes;
}

QString FileSystem::absolutePath(const QString &path)
{
    if (QDir::isAbsolutePath(path))
        return path;
    const QString here = QDir::currentPath();
    if (here.isEmpty())
        return path;
    return here.endsWith(u'/') ? here + path : here + u'/' + path;
}

QString FileSystem::reason(const QFileDevice &device)
{
    const QString text = device.errorString();
    // Qt says "Unknown error" when it has no text for a failure of its own.
    // Qt's own text, in the user's language once its translations are loaded.
    static const char *const unknown = "Unknown error";
    if (!text.isEmpty() && text != QCoreApplication::translate("QIODevice", unknown))
        return text;
    if (errno != 0)
        return systemError();
    return QCoreApplication::translate("FileSystem", "the system gave no reason");
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
    return QCoreApplication::translate("FileSystem", "the temporary folder %1 cannot be used (%2)")
        .arg(displayPath(folder), reason);
}
