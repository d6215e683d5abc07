// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class form1;

// A save that writes over a file in place keeps a whole copy of the old contents beside it until
// the new text is on the disk. Cut short (a kill, a power cut), it leaves the file part new, part
// old, and that copy. Before such a file is opened, the user is told and chooses: the old
// contents back, or the file as it is; the copy goes either way, unless putting it back fails.
void OfferContentsBeforeAnInterruptedSave(form1 &form, const QString &path);
