// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "system/result.h"
#include "system/workprogress.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QtGlobal>

class SystemCalls;

// The one way Morvane writes a user's file, whoever asks. The new text goes into a scratch
// file beside the old one, which takes the old one's place in one rename once it is on the
// disk and carries everything the old file had: owner, group, every mode bit, extended
// attributes and access lists. Where a new file cannot carry all that (other hard links would
// keep the old text, the owner cannot be given away, the folder may not be written), the text
// is written over the file itself, after a synced copy of the old contents to fall back on.
// A failure leaves the old file whole, or names the copy that holds its contents, and says
// why; nothing but a regular file is ever written.
class FileWriter
{
public:
    FileWriter();
    explicit FileWriter(SystemCalls &calls);

    // Makes `bytes` the whole of the file at `path` (a symbolic link's target). Its value is a
    // note for the user, empty unless the write left something behind that the user should
    // know of. The bytes written are told to `progress`;
    // when the work is given up before the new text has taken the old one's place, the old file
    // is left as it was and WorkCancelled is thrown (unless the old contents could not be put
    // back: then the failure names their copy).
    Result<QString> write(const QString &path, QByteArrayView bytes,
                          WorkProgress &progress = WorkProgress::unwatched());
    // After a failed write: whether the file holds its old contents (else a copy named in the
    // message does).
    bool leftOldContents() const { return !m_oldContentsKept; }

    // Whole copies of its old contents that a save in place, cut short by a kill or a power cut,
    // left beside the file at `path` (or in the temporary folder, where the file's folder could
    // not be written). A copy that was not whole is never among them.
    static QStringList copiesLeftBeside(const QString &path);

    // Scratch files are named this, the process that made them, and a unique tail.
    static constexpr char scratchPrefix[] = ".morvane-";

private:
    struct Target;
    struct InPlaceWrite;
    // CannotReplace: a new file could not take the old one's place whole; it is written in place.
    enum class Outcome { Done, CannotReplace };

    Result<QString> writeFile(const QString &path, QByteArrayView bytes);
    static Result<Target> examine(const QString &path);
    static QStringList copiesIn(const QByteArray &folder, const QByteArray &prefix);
    static Result<QByteArray> followLinks(const QByteArray &given);
    static Result<> mayFollow(const QByteArray &link, const struct stat &status);
    Result<Outcome> replace(const Target &target, QByteArrayView bytes);
    bool carryMetadata(const Target &target, int scratch) const;
    bool copyExtendedAttributes(const QByteArray &from, int to) const;
    Result<QString> writeInPlace(const Target &target, QByteArrayView bytes);
    Result<int> copyOldContents(int file, const Target &target, QByteArray &copyName);
    bool copyWatched(int from, int to, qint64 size);
    bool restore(int file, int copy) const;
    bool restoreWatched(int file, int copy);
    bool writeWhole(int fd, QByteArrayView bytes) const;
    bool writeNewText(int fd, QByteArrayView bytes);
    bool syncNewText(int fd);
    bool syncFolder(const QByteArray &folder) const;
    static void removeStaleScratchFiles(const QByteArray &folder);

    SystemCalls &m_calls;
    WorkProgress *m_progress = &WorkProgress::unwatched();
    bool m_cancelled = false;
    bool m_oldContentsKept = false; // a write in place failed, and so did its way back
    double m_copyShare = 0; // of the save's progress, taken by the copy of the old contents
    qint64 m_stepBytes = 0;
};
