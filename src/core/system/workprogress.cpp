// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "workprogress.h"

#include <algorithm>

namespace {

class Unwatched final : public WorkProgress
{
protected:
    void reached(double) override { }
};

} // namespace

WorkProgress &WorkProgress::unwatched()
{
    static thread_local Unwatched progress;
    return progress;
}

void WorkProgress::beginStep(qint64 bytes, double share)
{
    m_stepsDone = std::min(1.0, m_stepsDone + m_share);
    m_share = share;
    m_bytes = std::max<qint64>(bytes, 1);
    m_checkpointDistance = std::clamp<qint64>(bytes / 1000, 1, kLongestCheckpointDistance);
    m_nextCheckpoint = 0; // the start of a step is a checkpoint
}

void WorkProgress::endStep()
{
    checkpoint(m_bytes);
}

void WorkProgress::checkpoint(qint64 done)
{
    countedTo(done);
    m_nextCheckpoint = done + m_checkpointDistance;
    reached(m_fraction);
}

void WorkProgress::countedTo(qint64 done)
{
    const double ofStep = std::clamp(double(done) / double(m_bytes), 0.0, 1.0);
    // Never backwards: a step whose size was a guess may have been ahead of itself.
    m_fraction = std::max(m_fraction, std::min(1.0, m_stepsDone + m_share * ofStep));
}
