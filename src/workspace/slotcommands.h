// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class form1;

// Close, Save and Save As on the active slot.
void CloseActiveSlot(form1 &form);
void SaveActiveSlot(form1 &form);
void SaveActiveSlotAs(form1 &form);
