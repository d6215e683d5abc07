// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the writer's two ways of saving share (filewriter.cpp, which replaces the file, and
// inplacewrite.cpp, which writes over it). Not for use outside the writer.

#include "filewriter.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <memory>
#include <sys/stat.h>

class Descriptor;
class SystemCalls;

// The file a save writes, as it was looked at before.
struct FileWriter::Target
{
    QByteArray path; // the file itself, links resolved
    QByteArray folder, name;
    bool exists = false;
    struct stat status
    {
    };
};

namespace WriterParts {

// A copy of a file's old contents is named NAME + kCopySuffix + a random tail of this length.
inline constexpr char kCopySuffix[] = ".morvane-backup-";
inline constexpr qsizetype kRandomLength = 6;

// A write may take only part of what it is given; a full disk says so on the next one.
bool writeWhole(SystemCalls &calls, int fd, QByteArrayView bytes);
// A descriptor of its own for work that may outlive its caller: the same open file.
std::shared_ptr<Descriptor> ownDescriptor(int fd);
// A path of bytes, for the user.
QString shown(const QByteArray &path);
bool folderIsWritable(const QByteArray &folder);
// The process's number is in a scratch file's name, so that one left by a killed process can be
// told from one that is still being written.
QByteArray scratchTemplate(const QByteArray &folder);
QByteArray randomTail();

} // namespace WriterParts
