// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "longwork.h"

#include "app/form1.h"
#include "controls/dialogs.h"
#include "system/clock.h"

#include <QCoreApplication>

LongWork::LongWork(form1 &form, const QString &text, bool shownAlready, OnClose onClose)
    : m_form(form), m_text(text),
      m_start(form.clock().milliseconds() - (shownAlready ? quietMilliseconds : 0)),
      m_onClose(onClose)
{
    m_form.beginWork(*this);
}

LongWork::~LongWork()
{
    stopShowing();
    m_form.endWork(*this);
}

void LongWork::stopShowing()
{
    if (m_display)
        m_form.holdForWork(false);
    m_display.reset();
    m_shows = false;
}

void LongWork::undoing()
{
    m_undoing = true; // a Cancel pressed so far is what is being undone; no other is taken
    if (m_display && !m_undoingText.isEmpty())
        m_display->showUndoing(m_undoingText);
}

void LongWork::reached(double fraction)
{
    if (!m_shows)
        return;
    const qint64 now = m_form.clock().milliseconds();
    if (!m_display) {
        if (now - m_start < quietMilliseconds)
            return;
        m_display = m_form.dialogs().showProgress(&m_form, m_text, Dialogs::Keyboard::Take);
        m_form.holdForWork(true);
        m_lastTurn = now - turnMilliseconds;
    }
    if (now - m_lastTurn >= turnMilliseconds) {
        m_display->setFraction(fraction);
        // The window paints and answers here. It is held from input, so that clicks and keys
        // reach the progress window alone; what arrives from elsewhere waits for the work to end.
        QCoreApplication::processEvents();
        m_lastTurn = m_form.clock().milliseconds();
    }
    if (!m_undoing && (m_cancelled || m_display->cancelRequested()))
        throw WorkCancelled();
}
