// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Long opens in the real window: what showing their progress costs, how long the window goes
// without a turn of its event loop, and how quickly Cancel gives an open up.

#include "answeringdialogs.h"
#include "app/form1.h"
#include "editor/richtextbox.h"
#include "measure.h"
#include "phases.h"
#include "system/clock.h"
#include "workspace/longwork.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

void print(const char *name, double value)
{
    std::printf("%s %.6f\n", name, value);
}

// A clock that never moves: the open never shows its progress, as before there was any.
class StoppedClock final : public Clock
{
public:
    qint64 milliseconds() const override { return 0; }
};

// The window's progress window, with Cancel pressed once it shows half the work done. The press
// arrives as a click would, on the next turn of the event loop.
class CancellingDialogs final : public AnsweringDialogs
{
public:
    using AnsweringDialogs::AnsweringDialogs;
    QElapsedTimer pressed;

    std::unique_ptr<ProgressDisplay> showProgress(QWidget *parent, const QString &text,
                                                  Keyboard keyboard) override
    {
        return std::make_unique<Progress>(*this,
                                          AnsweringDialogs::showProgress(parent, text, keyboard));
    }

private:
    class Progress final : public ProgressDisplay
    {
    public:
        Progress(CancellingDialogs &dialogs, std::unique_ptr<ProgressDisplay> shown)
            : m_dialogs(dialogs), m_shown(std::move(shown))
        {
        }
        void setFraction(double fraction) override
        {
            m_shown->setFraction(fraction);
            if (fraction >= 0.5 && !m_posted && !m_dialogs.pressed.isValid()) {
                m_posted = true;
                QTimer::singleShot(0, [this] {
                    m_dialogs.pressed.start();
                    m_cancelled = true;
                });
            }
        }
        bool cancelRequested() const override { return m_cancelled; }

    private:
        CancellingDialogs &m_dialogs;
        std::unique_ptr<ProgressDisplay> m_shown;
        bool m_posted = false, m_cancelled = false;
    };
};

void showWindow(form1 &form)
{
    form.resize(700, 500);
    form.show();
    QApplication::processEvents();
}

} // namespace

namespace Phases {

int quietOpen(const QString &path)
{
    AnsweringDialogs dialogs(path);
    StoppedClock clock;
    form1 form;
    form.setDialogs(dialogs);
    form.setClock(clock);
    showWindow(form);
    QElapsedTimer timer;
    timer.start();
    form.cmdOpen_Click();
    QApplication::processEvents();
    print("seconds", Measure::seconds(timer));
    return form.editor(0).hasText() ? 0 : 1;
}

int progressOpen(const QString &path)
{
    AnsweringDialogs dialogs(path);
    form1 form;
    form.setDialogs(dialogs);
    showWindow(form);
    // A timer due at once fires on every turn of the event loop.
    QElapsedTimer timer;
    std::vector<qint64> turns;
    QTimer everyTurn;
    everyTurn.setInterval(0);
    QObject::connect(&everyTurn, &QTimer::timeout, [&] { turns.push_back(timer.nsecsElapsed()); });
    everyTurn.start();
    timer.start();
    form.cmdOpen_Click();
    const qint64 end = timer.nsecsElapsed();
    QApplication::processEvents(); // the first paint of the text
    print("seconds", Measure::seconds(timer));
    print("first_paint_seconds", double(timer.nsecsElapsed() - end) / 1e9);
    // From half a second in to the end of the command.
    qint64 previous = LongWork::quietMilliseconds * 1'000'000, longest = 0;
    for (const qint64 turn : turns) {
        if (turn <= previous || turn > end)
            continue;
        longest = std::max(longest, turn - previous);
        previous = turn;
    }
    longest = std::max(longest, end - previous);
    print("longest_gap_seconds", double(longest) / 1e9);
    print("turns", double(turns.size()));
    return form.editor(0).hasText() ? 0 : 1;
}

// The same open cancelled twice. The first pays what a window pays once, for its first progress
// window and its first second thread; the second shows whether a cancel leaves anything behind.
int cancelledOpen(const QString &path)
{
    CancellingDialogs dialogs(path);
    form1 form;
    form.setDialogs(dialogs);
    showWindow(form);
    const char *names[][2] = { { "first_cancel_seconds", "first_memory_after_over_before" },
                               { "cancel_seconds", "memory_after_over_before" } };
    for (const auto &[time, memory] : names) {
        const qint64 before = Measure::residentBytes();
        dialogs.pressed.invalidate();
        form.cmdOpen_Click();
        if (!dialogs.pressed.isValid() || form.editor(0).hasText())
            return 1; // never got half way, or was not given up
        print(time, Measure::seconds(dialogs.pressed));
        QApplication::processEvents();
        print(memory, double(Measure::residentBytes()) / double(before));
    }
    return 0;
}

} // namespace Phases
