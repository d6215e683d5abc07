// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "system/workprogress.h"

#include <QString>

class form1;
struct FileStamp;

// The four editor slots: a tab and its editor each. A slot is empty while its editor holds no
// text; it remembers the file it was loaded from, so that Save always writes that file.

int FirstEmptySlot(const form1 &form);

// How a placed document is shown: as the active tab, or beside the tab the user works in,
// marked as arrived.
enum class Placement { Activate, Beside };

// Loads the temporary document `documentPath`, converted from `sourcePath` as it stood at
// `sourceStamp`, into the first empty slot under `title` and shows it as `placement` says.
// On failure the user is told why and every slot stays as it was. The load takes `share` of the
// work `progress` tells of; given up, it leaves every slot as it was and throws WorkCancelled.
bool OpenInFreeTab(form1 &form, const QString &title, const QString &documentPath,
                   const QString &sourcePath, const FileStamp &sourceStamp,
                   WorkProgress &progress = WorkProgress::unwatched(), double share = 1,
                   Placement placement = Placement::Activate);

// Shows the active tab's editor and takes its caption as the current file.
void ShowActiveSlot(form1 &form);

// Makes `slot` the active tab, raising the same notification as a click on it.
void ActivateSlot(form1 &form, int slot);

QString CouldNotOpenMessage(const QString &path, const QString &reason);
