// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "workgate.h"

#include "workspace/longwork.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>
#include <utility>

WorkGate::WorkGate(QMainWindow &window) : QObject(&window), m_window(window)
{
}

void WorkGate::begin(LongWork &work)
{
    Q_ASSERT(!m_work);
    m_work = &work;
}

void WorkGate::end(LongWork &work)
{
    Q_ASSERT(m_work == &work);
    m_work = nullptr;
    if (std::exchange(m_closeAfterWork, false))
        QMetaObject::invokeMethod(this, &WorkGate::closeOnceNothingIsAsked, Qt::QueuedConnection);
    else
        QMetaObject::invokeMethod(this, &WorkGate::idle, Qt::QueuedConnection);
}

void WorkGate::hold(bool hold)
{
    if (hold) {
        m_focusBeforeHold = m_window.focusWidget();
        // The window's own commands only: the controls keep their actions to themselves.
        for (QAction *action : m_window.findChildren<QAction *>(Qt::FindDirectChildrenOnly)) {
            if (action->isEnabled()) {
                action->setEnabled(false);
                m_heldActions.append(action);
            }
        }
    } else {
        for (QAction *action : std::as_const(m_heldActions))
            action->setEnabled(true);
        m_heldActions.clear();
    }
    m_window.centralWidget()->setEnabled(!hold);
    m_window.menuBar()->setEnabled(!hold);
    if (!hold && m_focusBeforeHold)
        m_focusBeforeHold->setFocus();
}

void WorkGate::closeAfterWork()
{
    if (m_work)
        m_work->windowClosed();
    m_closeAfterWork = true;
}

// What the work's end has to say (that a file was not saved) comes before the questions that
// closing may ask.
void WorkGate::closeOnceNothingIsAsked()
{
    if (QApplication::activeModalWidget())
        QTimer::singleShot(50, this, &WorkGate::closeOnceNothingIsAsked);
    else
        m_window.close();
}
