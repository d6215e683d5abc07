// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "openqueue.h"

#include "app/form1.h"
#include "opencommand.h"
#include "system/timer.h"

void OpenQueue::openWhileFree(form1 &form)
{
    bool opened = false;
    while (!m_files.isEmpty() && !form.Timer2->Enabled() && !form.busy()) {
        OpenGivenFile(form, m_files.takeFirst());
        opened = true;
    }
    if (opened)
        form.focusActiveEditor();
}
