// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "runfolders.h"
#include "system/result.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <memory>
#include <sys/types.h>

class QFile;

// Morvane's scratch space: one folder per run that only this user may enter (mode 0700), made
// in the desktop's per-user folder ($XDG_RUNTIME_DIR) when there is one, else in the temporary
// folder. A parent folder that others may change is not used: one they may write without the
// sticky bit, or one that belongs to another user, would let them swap what Morvane made for a
// link of their choosing.
//
// Everything is made and removed through descriptors held open on the folders, so a name
// swapped for a symbolic link is never followed, and the clean-up removes only what this run
// made. A lock on the folder tells a live run from one that ended without cleaning up (it was
// killed, or the machine stopped); the next run sweeps the folders of ended runs.
class PrivateFolder
{
public:
    // This run's folder, made at its first use.
    static Result<PrivateFolder *> ofThisRun();
    // This run's folder when the file system it is on has room for `bytes` more, else one in the
    // temporary folder when that has more: the desktop's per-user folder is often a small
    // file system in memory.
    static Result<PrivateFolder *> withRoomFor(qint64 bytes);
    // Whether what this run's folder holds takes memory (a file system in memory).
    static bool holdsInMemory();
    // Removes this run's folder and what it made; a later ofThisRun makes a new one.
    static void endThisRun();
    // Removes what this run's folder made at `path`; nothing else.
    static void discard(const QString &path);

    // A new folder in `parent`, once the folders that ended runs left there are swept.
    static Result<std::unique_ptr<PrivateFolder>> makeIn(const QString &parent);
    ~PrivateFolder();
    Q_DISABLE_COPY(PrivateFolder)

    QString path() const { return m_run.path(); }
    // A new empty file named `prefix`, six random characters and `suffix`, open for reading and
    // writing; its path.
    Result<QString> newFile(const QString &prefix, const QString &suffix, QFile &file);
    // A new empty folder for a helper program to write in. It is removed with what it holds,
    // which can only be the helper's: no one else may enter this folder.
    Result<QString> newFolder(const QString &prefix);
    // Removes what this folder made at `path`, unless it was swapped for something else.
    void remove(const QString &path);
    // Why a file could not be made or written here, for the user.
    Failure problem(const QString &reason) const;

    static constexpr char namePrefix[] = "morvane-run-";

private:
    struct Made
    {
        QByteArray name;
        dev_t device;
        ino_t inode;
        bool folder;
    };

    explicit PrivateFolder(const QString &shownParent);
    bool removeMade(const Made &made) const;

    RunFolders::RunFolder m_run;
    QString m_shownParent; // the parent as the user gave it, for messages
    QList<Made> m_made;
};
