// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>

class QPushButton;

// The window's buttons have the sizes they were designed with, for English captions. Captions in
// another language that are wider than their buttons get a smaller font, the same for the whole
// group so that neighbours match, down to a size still read easily; a caption wider still is cut
// with an ellipsis, and its whole text goes to the tool tip and to screen readers. Call once the
// buttons have their sizes and captions.
void fitCaptions(const QList<QPushButton *> &group);
