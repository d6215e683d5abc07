#include "filesystem.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

QString FileSystem::programFolder()
{
    return QCoreApplication::applicationDirPath();
}

bool FileSystem::readFirstBytes(const QString &path, qsizetype count, QByteArray &bytes,
                                QString &error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return false;
    }
    bytes = file.read(count);
    if (file.error() != QFileDevice::NoError) {
        error = file.errorString();
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
