// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>

class QWidget;

// The order the controls stand on a window. The chain decides where the focus goes when the
// control that has it is hidden; an editor or a tab strip that passes its focus on to an inner
// widget takes its place in the chain by that widget.
void chainTabOrder(const QList<QWidget *> &order);

// The toolkit's own walk along the chain stops at the outer widgets of the controls that pass
// their focus on, wherever they stand in it, which breaks a cycle: Tab and Shift+Tab, from any
// control of `cycle` (the focus is on one), go round the cycle itself, past what is hidden or
// disabled. False when no other control of the cycle can take the focus.
bool focusAlongCycle(const QWidget *window, const QList<QWidget *> &cycle, bool next);
