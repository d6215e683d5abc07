// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// Each phase runs in a process of its own, so that its memory is its own, and prints its
// figures as "name value" lines on standard output.
namespace Phases {

int floorA(const QString &path); // QTextEdit::setPlainText, shown, one processEvents()
int floorB(const QString &path); // QsciScintilla given the bytes and one style byte per byte
int open(const QString &path); // the real window's Open, dialog answered
int work(const QString &path); // Find, Find Next, typing and Save in the real window
int startUp(); // constructing and showing the main window

// Long opens, in longworkphases.cpp.
int quietOpen(const QString &path); // the Open with its progress never shown
int progressOpen(const QString &path); // the Open as a user has it, event-loop turns timed
int cancelledOpen(const QString &path); // the Open with Cancel pressed half way

// Typing while recovery copies are written, in recoveryphases.cpp.
int typingWithRecovery(const QString &path);

} // namespace Phases
