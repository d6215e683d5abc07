#pragma once

#include <QByteArray>
#include <QString>

// The file-system services the commands use beyond reading and writing documents.
class FileSystem
{
public:
    // The folder of the running program, which also holds its helper programs.
    static QString programFolder();
    // Up to `count` bytes from the start of a file; false with a reason when it can't be read.
    static bool readFirstBytes(const QString &path, qsizetype count, QByteArray &bytes,
                               QString &error);
    static bool exists(const QString &path);
    static void remove(const QString &path);
    static QString displayPath(const QString &path);
};
