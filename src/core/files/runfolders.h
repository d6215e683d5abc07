// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "system/result.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>
#include <fcntl.h>
#include <sys/stat.h>

// Folders that belong to one run of Morvane each, in a parent folder that may hold other runs'
// (PrivateFolder's scratch space, RecoveryStore's copies). They are made, locked, listed and
// removed through descriptors held open on them, so a name swapped for a symbolic link is never
// followed. A run holds a lock on its folder while it lives; a folder whose lock is free was left
// by a run that ended without cleaning up.
namespace RunFolders {

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
constexpr qsizetype kRandomLength = 6;
// How many random names are tried before making one is given up.
constexpr int kAttempts = 100;

// `prefix`, kRandomLength random letters and digits, and `suffix`.
QByteArray randomName(const QByteArray &prefix, const QByteArray &suffix);
// Whether `name` in `folder` is still the file or folder `status` describes.
bool stillThere(int folder, const QByteArray &name, const struct stat &status);
// Fails with why others could swap what is made in the folder `status` describes.
Result<> safeFromOthers(const struct stat &status);
// The names in an open folder, but "." and "..".
QList<QByteArray> entryNames(int folder);
// Removes the files and links in an open folder, and while `depth` > 0 its folders too, each
// emptied the same way. A link is removed itself, never what it leads to.
void removeEntries(int folder, int depth);
// The parent of runs' folders, opened by its real path (which is what the files are read back
// by), which is left in `canonical`.
Result<int> openParent(const QString &given, QString &canonical);
// Removes the folder `name` just made in `parent` after a failure, keeping the failure's errno.
int giveUpFolder(int parent, const QByteArray &name);
// A new run folder named `prefix` and random characters in `parent`, locked, or -1.
int makeRunFolder(int parent, const QByteArray &prefix, QByteArray &name);
// The folder `name` in `parent` when a run named it with `prefix` and has ended: opened, its
// status in `status`, and locked for this process. -1 for another user's and a live run's.
int lockEndedRun(int parent, const QByteArray &name, const QByteArray &prefix, struct stat &status);

// A run's folder, locked, and the parent it was made in. Both are held open, so the folder is
// removed from where it was made; they are closed with this, which ends the lock.
class RunFolder
{
public:
    RunFolder() = default;
    ~RunFolder();
    Q_DISABLE_COPY(RunFolder)

    // Opens `parent` (see openParent), lets `prepare` do its work in it, and makes the folder
    // there, named `prefix` and random characters.
    Result<> makeIn(const QString &parent, const QByteArray &prefix,
                    void (*prepare)(int parent) = nullptr);
    // Removes the folder, unless it was swapped for another or still holds something.
    void removeIfEmpty() const;

    int parent() const { return m_parent; }
    int folder() const { return m_folder; }
    QString path() const { return m_path; }

private:
    int m_parent = -1;
    int m_folder = -1;
    QByteArray m_name;
    QString m_path;
};

} // namespace RunFolders
