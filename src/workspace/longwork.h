// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "system/workprogress.h"

#include <QString>
#include <memory>

class form1;
class ProgressDisplay;

// One long piece of work of the window, an open or a save, from its start to its end. For the
// first half second nothing shows and the work runs undisturbed, so short work costs what it
// always did. From then on a progress window with Cancel shows how far it has come, the window
// takes no input of its own, and it gets a turn of its event loop every few tens of
// milliseconds: it paints, and it takes a Cancel or the closing of the window, which give the
// work up at its next checkpoint. While it lives the window is busy, and nothing else is
// started in it.
class LongWork final : public WorkProgress
{
public:
    // What the closing of the window does to the work: gives it up (an open), or waits for its
    // end (a save the user asked for).
    enum class OnClose { GiveUp, Finish };
    // `shownAlready`: the work goes on from work whose progress showed, and shows its own at
    // once.
    LongWork(form1 &form, const QString &text, bool shownAlready = false,
             OnClose onClose = OnClose::GiveUp);
    ~LongWork() override;
    LongWork(const LongWork &) = delete;
    LongWork &operator=(const LongWork &) = delete;

    // Gives the work up at its next checkpoint.
    void cancel() { m_cancelled = true; }
    // The window was closed: the work is given up, or finished first, as it says.
    void windowClosed()
    {
        if (m_onClose == OnClose::GiveUp)
            cancel();
    }
    // A message about the work is shown: the progress goes, not to show again over it.
    void stopShowing();
    // What the progress says while the work is undone.
    void setUndoingText(const QString &text) { m_undoingText = text; }
    void undoing() override;

    static constexpr qint64 quietMilliseconds = 500; // before any progress shows
    static constexpr qint64 turnMilliseconds = 50; // between two turns of the event loop

protected:
    void reached(double fraction) override;

private:
    form1 &m_form;
    QString m_text;
    qint64 m_start;
    qint64 m_lastTurn = 0;
    std::unique_ptr<ProgressDisplay> m_display;
    bool m_cancelled = false;
    bool m_shows = true;
    OnClose m_onClose;
    QString m_undoingText;
    bool m_undoing = false;
};
