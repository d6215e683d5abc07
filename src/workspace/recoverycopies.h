// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "recovery/recoverystore.h"

#include <QObject>
#include <QString>
#include <array>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

class form1;
class QTimer;

// Keeps a recovery copy of every slot that holds unsaved edits, so that a crash, a kill or a
// power cut loses at most the last couple of seconds of typing. A copy is written once typing
// pauses, and every two seconds while it goes on. The window's thread only copies the text out
// of the editor, into a buffer that the writing thread made ready beforehand (the first touch of
// fresh memory costs more than the copy itself); the copy is written to disk, and synced, on
// that thread, one copy after another, so that a keystroke never waits for a disk. The buffer
// then comes back for the next copy.
class RecoveryCopies final : public QObject
{
    Q_OBJECT

public:
    explicit RecoveryCopies(form1 &form);
    ~RecoveryCopies() override; // queued writes finish; the copies stay
    Q_DISABLE_COPY(RecoveryCopies)

    // The slot's text is about to change while unsaved: its copy is written soon.
    void edited(int slot);
    // The slot was saved, closed or its edits discarded: its copy goes.
    void drop(int slot);
    // Writes the copies that are due now, and waits until they are on the disk.
    void writeNow();
    // A clean end of the run: every copy goes, with the run's folder.
    void endRun();
    // An end the user did not choose: every copy is written, and kept for the next start.
    void endRunKeepingCopies();
    // At start: offers each document that a run no longer alive left unsaved, into the free
    // slots; what does not fit, or the user leaves for later, is kept for the next start.
    void offerLeftBehind();

    static constexpr int pauseMilliseconds = 500; // typing paused this long: the copy is written
    static constexpr int longestWaitMilliseconds = 2000; // from an edit to its copy, at most

private:
    struct Slot
    {
        QTimer *timer = nullptr;
        qint64 firstUnwritten = -1; // when the oldest edit not in a copy was made
        bool writing = false;
        bool writeAgain = false; // edited while its copy was being written
        QByteArray buffer; // ready for the next copy, while not being written
        bool preparing = false; // the writing thread makes the buffer ready
        bool writeWhenPrepared = false;
    };

    // `mayWait`: for a buffer to be made ready first, rather than made here.
    void write(int slot, bool mayWait = true);
    RecoveryCopy copyOf(int slot);
    void written(int slot, const Result<> &saved, QByteArray buffer);
    // Whether the slot's buffer holds its text; if not, it is being made ready.
    bool bufferReady(int slot);
    void prepared(int slot, QByteArray buffer);
    // A copy could not be written: said once a run, since editing goes on regardless.
    void tellFailure(int slot, const QString &reason);
    void recover(RecoveryStore &store, int slot, const RecoveryStore::LeftBehind &copy);
    // Runs on the writing thread, in the order given.
    void enqueue(std::function<void()> task);
    void waitUntilWritten();
    void writeAll();
    static QString key(int slot);

    form1 &m_form;
    std::array<Slot, 4> m_slots; // one for each of the window's slots
    bool m_failureTold = false; // a failure is told once a run: editing goes on regardless

    std::mutex m_mutex;
    std::condition_variable m_wake, m_idle;
    std::deque<std::function<void()>> m_tasks;
    bool m_busy = false, m_stopping = false;
    std::thread m_writer;
};
