// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "inputcounter.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

InputCounter::InputCounter(QWidget *window) : QObject(window)
{
    QCoreApplication::instance()->installEventFilter(this);
}

bool InputCounter::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if ((type == QEvent::KeyPress || type == QEvent::MouseButtonPress) && watched->isWidgetType()
        && static_cast<QWidget *>(watched)->window() == parent())
        ++m_count;
    return false;
}
