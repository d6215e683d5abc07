// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class form1;

// Close, Save and Save As on the active slot.
// The file types the Open and Save As dialogs offer, in CommonDialog's form.
QString FileDialogFilter();

void CloseActiveSlot(form1 &form);
void SaveActiveSlot(form1 &form);
void SaveActiveSlotAs(form1 &form);

// Whether the slot's text may go: nothing unsaved, or the user saved it or let it go when asked.
// A failed or cancelled save keeps it.
bool MaySlotGo(form1 &form, int slot);
// The same for every slot in turn, until the user keeps one.
bool MayAllSlotsGo(form1 &form);
