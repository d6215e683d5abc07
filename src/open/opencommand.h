// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "system/result.h"
#include "workspace/editorslots.h"

#include <QString>
#include <QtGlobal>

class ReadableFile;
class form1;

// File > Open: asks for a file and routes it by kind. Text and plain INI files are converted
// and placed at once, compressed INI files are expanded first, other names are refused.
void OpenCommand(form1 &form);

// Opens a file exactly as if the user had chosen it in the Open dialog.
void OpenFile(form1 &form, const QString &path);
// A file named on the command line or dropped: as OpenFile, but a name that is neither .ini nor
// .txt is told why it does not open, naming the file.
void OpenGivenFile(form1 &form, const QString &path);

// Converts a text file and places it into the first empty slot under `title`. Save later
// writes to `savePath`, which is the file itself unless it was expanded from another. Progress
// shows after half a second, or at once when the open goes on from work that showed it.
bool OpenTextFile(form1 &form, const QString &path, const QString &title,
                  const QString &savePath = QString(), bool progressShownAlready = false,
                  Placement placement = Placement::Activate);
// The same for a file opened already, at `path`: measured, stamped and read through it.
bool OpenTextFile(form1 &form, ReadableFile &file, const QString &path, const QString &title,
                  const QString &savePath = QString(), bool progressShownAlready = false,
                  Placement placement = Placement::Activate);

// Whether a file of `size` bytes can be opened in the memory there is.
Result<> FitsInMemory(qint64 size);

// Character positions in the editor are ints: a file larger than this is refused, whatever the
// memory.
constexpr qint64 LargestFileSize = qint64(1) << 30;
