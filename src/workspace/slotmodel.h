// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "files/filestamp.h"

#include <QString>

class form1;

// What a slot holds besides its text: its tab's caption and tool tip, the file behind it with
// that file's stamp (the editor keeps them, and the file's format, which comes with the load),
// whether it holds unsaved edits, and its recovery copy; and the current file, while it is the
// active slot. A slot is filled in one place when a document is placed, and cleared in one.

struct SlotFile
{
    QString title; // the tab's caption
    QString path; // where Save writes; empty for text that has no file
    FileStamp stamp; // how that file stood when it was read
};

// The active slot, or -1 when the tab strip has none.
int ActiveSlot(const form1 &form);
// Shows slot `slot`'s editor and hides the others.
void ShowOnlySlot(form1 &form, int slot);

// The text just loaded into `slot` is `file`'s.
void FillSlot(form1 &form, int slot, const SlotFile &file);
// The slot holds nothing again: no text, no file, nothing unsaved, no recovery copy.
void ClearSlot(form1 &form, int slot);

// Edited since it was read or saved, or taken from a recovery copy and not saved since.
bool SlotIsUnsaved(const form1 &form, int slot);
// The slot's text has just been written where it belongs: its own file, or the first file of
// text that had none. `stamp`: how its own file stands now.
void MarkSlotSaved(form1 &form, int slot, const FileStamp &stamp);
// How the slot is named where the user is asked about it.
QString SlotName(const form1 &form, int slot);
// The tab strip shows whether the slot holds unsaved edits, and its copy is kept or dropped.
void SlotModifiedChanged(form1 &form, int slot);
