#pragma once

#include <QByteArray>
#include <QString>

class QFileDevice;

// The file-system services the commands use beyond reading and writing documents.
class FileSystem
{
public:
    // The folder of the running program, which also holds its helper programs.
    static QString programFolder();
    // The whole file; false with a reason when it can't be read.
    static bool readAll(const QString &path, QByteArray &bytes, QString &error);
    // Up to `count` bytes from the start of a file; false with a reason when it can't be read.
    static bool readFirstBytes(const QString &path, qsizetype count, QByteArray &bytes,
                               QString &error);
    // Replaces the file's contents atomically: a failure leaves the old file whole. Existing
    // permissions are kept. False with a reason when it can't be written.
    static bool writeAtomically(const QString &path, const QByteArray &bytes, QString &error);
    static bool exists(const QString &path);
    static void remove(const QString &path);
    static QString displayPath(const QString &path);

    // The device's reason for its last failure, or the system's when the device has none.
    static QString reason(const QFileDevice &device);
    // Why a scratch file could not be made in the user's temporary folder.
    static QString temporaryFolderProblem(const QString &reason);
};
