// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

class form1;

// Find starts at the top of the active editor; Find Next one character after the last match.
void FindFirst(form1 &form);
void FindNext(form1 &form);

// Searches the active editor for the search box's text from `searchptr`, selects a match and
// stores its position there; a miss is reported and leaves `searchptr` as it is.
void SearchActiveEditor(form1 &form, qint32 &searchptr);
