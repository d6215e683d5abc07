// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "search.h"

#include "app/form1.h"
#include "controls/sstab.h"
#include "editor/richtextbox.h"
#include "workspace/slotmodel.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <limits>

void FindFirst(form1 &form)
{
    form.searchptr = 0;
    SearchActiveEditor(form, form.searchptr);
}

void FindNext(form1 &form)
{
    if (form.searchptr < std::numeric_limits<qint32>::max())
        ++form.searchptr;
    SearchActiveEditor(form, form.searchptr);
}

void SearchActiveEditor(form1 &form, qint32 &searchptr)
{
    const QString text = form.txtSearch->text();
    const int slot = ActiveSlot(form);
    if (slot < 0)
        return;
    RichTextBox &editor = form.editor(slot);
    const RichTextBox::Match found = editor.Find(text, searchptr);
    if (found.position < 0) {
        form.showMessage(QCoreApplication::translate("Search", "%1 not found.").arg(text));
    } else {
        searchptr = found.position;
        editor.setSelStart(searchptr);
        editor.setSelLength(found.length);
    }
    editor.SetFocus();
}
