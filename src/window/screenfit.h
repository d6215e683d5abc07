// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QSize>

class QWidget;

// A window's designed size, but never larger than its screen's free area (a small screen, or a
// large scale factor). The minimum size still holds, as the layout enforces it.
QSize sizeOnScreen(const QWidget &window, QSize designed);

// The frame is known only once the window system has put one around the window: the window then
// gives up what the frame takes, so that it fits with its title bar. False while the frame is
// not known yet, for the caller to try again at the next move or resize.
bool fitFrameToScreen(QWidget &window);
