// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTest>

// Files a test puts in place and reads back, by path.
namespace TestFiles {

// The whole of `bytes`, in place of whatever the file held; the test fails where it cannot be.
inline void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate)
                 && file.write(bytes) == bytes.size(),
             qPrintable(path));
}

// The file's bytes, or "<missing>", which no test writes, when it cannot be read.
inline QByteArray read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace TestFiles
