// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "rtf/rtffragments.h"
#include "system/result.h"
#include "system/workprogress.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class ReadableFile;

// The RTF header of every temporary document, colour table included.
QByteArray rtfHeader();

// Turns a text file into a colour-coded temporary RTF document, one fragment per line, and gives
// the document's path in the private folder, for the caller to load and discard.
// `IniLines` receives the fragments and `Hunk` holds the header while the document is written.
// Reading, converting and writing take `share` of the work `progress` tells of; when the work
// is given up, no document is left behind.
Result<QString> ColorizeFile(const QString &path, RtfFragments &IniLines, QString &Hunk,
                             WorkProgress &progress = WorkProgress::unwatched(), double share = 1);
// The same for a file opened already: read through its descriptor.
Result<QString> ColorizeFile(ReadableFile &file, RtfFragments &IniLines, QString &Hunk,
                             WorkProgress &progress = WorkProgress::unwatched(), double share = 1);

// The whole temporary document for the given file contents.
QByteArray colorizeBytes(QByteArrayView fileBytes, RtfFragments &IniLines, QString &Hunk);
