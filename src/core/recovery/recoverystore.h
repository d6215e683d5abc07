// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "files/filestamp.h"
#include "files/runfolders.h"
#include "system/result.h"
#include "text/textformat.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <utility>

// One document's recovery copy.
struct RecoveryCopy
{
    QString path; // the file the text belongs to; empty for text typed into an empty tab
    QString title; // the tab's caption
    TextFormat format; // how that file is stored
    FileStamp stamp; // how the file stood when it was last opened or saved
    QByteArray text; // the editor's text, UTF-8

    // The bytes of a copy file; `decode` gives back an equal copy, or nullopt for anything that
    // is not a whole copy (truncated, a wrong length, a foreign file, garbage).
    QByteArray encode() const;
    static std::optional<RecoveryCopy> decode(QByteArrayView bytes);

    bool operator==(const RecoveryCopy &) const = default;
};

// Where the text of unsaved edits is kept, so that it can be offered back after the program was
// killed or the machine stopped. Each run keeps its copies in a folder of its own, locked while
// the run lives, in the user's state folder; the copies of runs that ended are found by the
// next run. Folders are 0700 and copies 0600: the text is the user's alone.
//
// Everything is made, listed and removed through descriptors held open on the folders, so a
// name swapped for a symbolic link is never followed; the copies themselves are written by
// FileWriter, so that a copy is always a whole one.
class RecoveryStore
{
public:
    // This run's store, made at its first use in $XDG_STATE_HOME/morvane/recovery (or
    // ~/.local/state/morvane/recovery). Safe to call from any thread.
    static Result<RecoveryStore *> ofThisRun();
    // Removes this run's folder if it holds no copies (copies are kept: they are the point) and
    // releases it. Called at a normal end.
    static void endThisRun();

    // A store with a new folder of its own in `recoveryFolder`, which is made when missing.
    static Result<std::unique_ptr<RecoveryStore>> makeIn(const QString &recoveryFolder);
    // Releases the folder as a killed run would: nothing is removed.
    ~RecoveryStore();
    Q_DISABLE_COPY(RecoveryStore)

    // Makes `copy` the copy kept under `key` (a short name of ASCII letters, digits, '-' and
    // '_', like "slot-2"), replacing any earlier copy of that key as a whole. Called from one
    // thread at a time, like remove().
    Result<> save(const QString &key, const RecoveryCopy &copy);
    void remove(const QString &key);
    QString path() const { return m_run.path(); }

    // The copies left by runs that are no longer alive, oldest first; damaged and partial files
    // are passed over. Their folders stay locked for this process until releaseLeftBehind, so
    // that no other run offers them too.
    struct LeftBehind
    {
        QString file;
        RecoveryCopy copy;
    };
    QList<LeftBehind> takeLeftBehind();
    // Moves a left-behind copy into this run's folder under `key`, in one rename, so that a
    // crash on the way never loses it.
    Result<> adopt(const LeftBehind &copy, const QString &key);
    void discard(const LeftBehind &copy);
    // Gives back the folders taken by takeLeftBehind that still hold copies, kept for a later
    // start, and removes the others with what a cut-short save left in them; one that holds a
    // file this version cannot read is kept for a later version.
    void releaseLeftBehind();

    static constexpr char namePrefix[] = "run-";

private:
    struct Copy
    {
        QByteArray name;
        struct stat status;
    };
    struct Taken
    {
        QByteArray name;
        int folder; // held open and locked
        struct stat status;
        QString path;
        QList<Copy> copies; // those not adopted or discarded yet
    };

    struct Dated
    {
        qint64 modified; // in nanoseconds, like FileStamp's
        LeftBehind copy;
    };

    explicit RecoveryStore(const QString &shownRecovery);
    static void readCopies(Taken &taken, QList<Dated> &found);
    // The taken folder that holds the copy `file`, and the copy's index; null when none does.
    std::pair<Taken *, qsizetype> find(const QString &file);
    Failure problem(const QString &reason) const;

    RunFolders::RunFolder m_run; // in the recovery folder
    QString m_shownRecovery; // the recovery folder as it was given, for messages
    QList<Taken> m_taken;
};
