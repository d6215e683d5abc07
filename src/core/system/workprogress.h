// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>
#include <atomic>
#include <chrono>
#include <future>
#include <memory>
#include <thread>

// Thrown out of long work once the user has given it up; whatever the work made so far is
// undone on the way out, as for any other failure.
//
// This is the one way work is given up. A Cancel starts in the progress window (its button,
// Escape, or closing it) or in the closing of the main window; the watcher (LongWork) notes it,
// and the work's next checkpoint (advanceTo, or a turn of waitOn) throws WorkCancelled. Each
// layer undoes its part as the exception passes (a save puts the old contents back, a
// conversion removes its document, a load empties the editor) and the command that started the
// work catches it and tells the user. A decompression runs in a process of its own and holds
// nothing: its Cancel stops that process.
struct WorkCancelled
{
};

// How far a long piece of work has come, told in bytes of each of its steps. The work knows
// nothing of windows: whoever watches decides when to show the progress and whether the work
// may go on. A step's progress is cheap to tell between checkpoints, so that loops over bytes
// can tell it as they go.
class WorkProgress
{
public:
    virtual ~WorkProgress() = default;

    // A new step of `bytes` bytes, which takes `share` of the whole work (the shares of all
    // the steps add up to 1).
    void beginStep(qint64 bytes, double share);
    // `done` of the current step's bytes are done. Throws WorkCancelled when the work is given
    // up.
    void advanceTo(qint64 done)
    {
        if (done >= m_nextCheckpoint)
            checkpoint(done);
    }
    // The current step is done, whatever its count said.
    void endStep();
    // Runs `work`, which cannot count its bytes, on a second thread, and tells the wait for it
    // as work under way every few milliseconds; returns what it returns, or throws what it
    // throws. Given up, the thread is waited for all the same before WorkCancelled goes on.
    // Throws std::system_error when no thread can be started.
    template<typename Work> auto waitOn(Work work) -> decltype(work())
    {
        std::future<decltype(work())> done = std::async(std::launch::async, std::move(work));
        try {
            turnUntilReady(done);
        } catch (...) {
            done.wait();
            throw;
        }
        return done.get();
    }
    // Like waitOn, but given up, the work is not waited for: it is left to end alone on its
    // thread, so that a Cancel answers at once even while a slow disk holds a system call. The
    // work must therefore own all it uses (its own descriptors, shared state), never the
    // caller's locals. `counted`, where given, is the step's bytes the work has done so far.
    template<typename Work>
    auto waitOnOrLeave(Work work, const std::shared_ptr<std::atomic<qint64>> &counted = {})
        -> decltype(work())
    {
        using Result = decltype(work());
        auto task = std::make_shared<std::packaged_task<Result()>>(std::move(work));
        std::future<Result> done = task->get_future();
        std::thread([task] { (*task)(); }).detach();
        turnUntilReady(done, counted.get());
        return done.get();
    }
    // The work is being undone (a file's old contents put back), which is not given up.
    virtual void undoing() { }

    // Work that nobody watches: it goes on to the end.
    static WorkProgress &unwatched();

protected:
    // Told at each checkpoint: a thousandth of a step apart, but never more than a few hundred
    // kilobytes. May throw WorkCancelled.
    virtual void reached(double fraction) = 0;

private:
    void checkpoint(qint64 done);
    void countedTo(qint64 done);
    // The one wait for a second thread: a checkpoint every few milliseconds until `done` is
    // ready, with the bytes `counted` so far where the work counts them. May throw
    // WorkCancelled.
    template<typename Future>
    void turnUntilReady(const Future &done, const std::atomic<qint64> *counted = nullptr)
    {
        while (done.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready) {
            if (counted)
                countedTo(counted->load(std::memory_order_relaxed));
            reached(m_fraction);
        }
    }

    static constexpr qint64 kLongestCheckpointDistance = 256 * 1024;

    double m_stepsDone = 0; // the shares of the steps before this one
    double m_share = 0;
    qint64 m_bytes = 0;
    qint64 m_checkpointDistance = 1;
    qint64 m_nextCheckpoint = 0;
    double m_fraction = 0;
};
