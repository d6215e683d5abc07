// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tabcycle.h"

#include <QApplication>
#include <QWidget>

void chainTabOrder(const QList<QWidget *> &order)
{
    const auto taker
        = [](QWidget *widget) { return widget->focusProxy() ? widget->focusProxy() : widget; };
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        QWidget::setTabOrder(taker(order[i]), taker(order[i + 1]));
}

bool focusAlongCycle(const QWidget *window, const QList<QWidget *> &cycle, bool next)
{
    const qsizetype at = cycle.indexOf(window->focusWidget());
    const qsizetype count = cycle.size();
    for (qsizetype step = 1; step < count; ++step) {
        QWidget *candidate = cycle[(at + (next ? step : count - step)) % count];
        if (candidate->isVisibleTo(window) && candidate->isEnabled()) {
            candidate->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return false;
}
