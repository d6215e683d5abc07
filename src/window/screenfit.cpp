// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "screenfit.h"

#include <QScreen>
#include <QWidget>

QSize sizeOnScreen(const QWidget &window, QSize designed)
{
    const QScreen *screen = window.screen();
    return screen ? designed.boundedTo(screen->availableGeometry().size()) : designed;
}

bool fitFrameToScreen(QWidget &window)
{
    const QSize frame = window.frameGeometry().size() - window.size();
    if (frame.isEmpty() || !window.screen())
        return false;
    const QSize room = window.screen()->availableGeometry().size() - frame;
    if (window.width() > room.width() || window.height() > room.height())
        window.resize(window.size().boundedTo(room));
    return true;
}
