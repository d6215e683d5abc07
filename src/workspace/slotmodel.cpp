// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "slotmodel.h"

#include "app/form1.h"
#include "controls/sstab.h"
#include "editor/richtextbox.h"
#include "files/filesystem.h"
#include "recoverycopies.h"

#include <QCoreApplication>
#include <QFileInfo>

int ActiveSlot(const form1 &form)
{
    const int slot = form.SSTab1->Tab();
    return slot >= 0 && slot < form1::SlotCount ? slot : -1;
}

void FillSlot(form1 &form, int slot, const SlotFile &file)
{
    RichTextBox &editor = form.editor(slot);
    editor.setDocumentPath(file.path);
    editor.setDocumentStamp(file.stamp);
    form.SSTab1->setTabCaption(slot, file.title);
    // The whole path, which also tells two files of the same name apart.
    form.SSTab1->setTabToolTip(
        slot,
        file.path.isEmpty() ? QString()
                            : FileSystem::displayPath(QFileInfo(file.path).absoluteFilePath()));
    form.CurrentFile = file.title; // the load told the editor's unsaved state already
}

void ClearSlot(form1 &form, int slot)
{
    form.editor(slot).setText(QString()); // forgets the file and its stamp
    form.SSTab1->setTabCaption(slot, form1::noFileCaption());
    form.SSTab1->setTabToolTip(slot, QString());
    form.SSTab1->setTabMark(slot, SSTab::Arrived, false);
    if (slot == ActiveSlot(form))
        form.CurrentFile.clear();
    form.IniLines.clear(); // emptying the editor told its unsaved state, and dropped its copy
}

bool SlotIsUnsaved(const form1 &form, int slot)
{
    // Text typed into an empty tab and deleted again leaves nothing to lose.
    const RichTextBox &editor = form.editor(slot);
    return editor.isModified() && (editor.hasText() || !editor.documentPath().isEmpty());
}

void MarkSlotSaved(form1 &form, int slot, const FileStamp &stamp)
{
    RichTextBox &editor = form.editor(slot);
    editor.setDocumentStamp(stamp);
    editor.markSaved();
}

QString SlotName(const form1 &form, int slot)
{
    const QString path = form.editor(slot).documentPath();
    return path.isEmpty() ? QCoreApplication::translate("SlotModel", "Untitled")
                          : QFileInfo(path).fileName();
}

void SlotModifiedChanged(form1 &form, int slot)
{
    const bool unsaved = SlotIsUnsaved(form, slot);
    form.SSTab1->setTabMark(slot, SSTab::Modified, unsaved);
    if (unsaved)
        form.recovery().edited(slot);
    else
        form.recovery().drop(slot);
}

void ShowOnlySlot(form1 &form, int slot)
{
    for (int other = 0; other < form1::SlotCount; ++other)
        form.editor(other).setVisible(other == slot);
}
