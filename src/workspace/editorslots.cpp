// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "editorslots.h"

#include "app/form1.h"
#include "controls/sstab.h"
#include "editor/richtextbox.h"
#include "files/filestamp.h"
#include "files/filesystem.h"
#include "slotmodel.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {
// Read when shown, after the translations are loaded.
QString loadingCaption()
{
    return QCoreApplication::translate("EditorSlots", "Loading . . . .");
}
} // namespace

int FirstEmptySlot(const form1 &form)
{
    for (int slot = 0; slot < form1::SlotCount; ++slot) {
        if (!form.editor(slot).hasText())
            return slot;
    }
    return -1;
}

bool OpenInFreeTab(form1 &form, const QString &title, const QString &documentPath,
                   const QString &sourcePath, const FileStamp &sourceStamp, WorkProgress &progress,
                   double share, Placement placement)
{
    const int slot = FirstEmptySlot(form);
    if (slot < 0) {
        form.showMessage(QCoreApplication::translate(
            "EditorSlots", "Please close a file before opening another."));
        return false;
    }
    const QString previousCaption = form.SSTab1->TabCaption(slot);
    form.SSTab1->setTabCaption(slot, loadingCaption());
    form.repaint();
    RichTextBox &editor = form.editor(slot);
    Result<> loaded;
    try {
        loaded = editor.LoadFile(documentPath, progress, share);
    } catch (const WorkCancelled &) {
        form.SSTab1->setTabCaption(slot, previousCaption);
        throw;
    }
    if (!loaded) {
        form.SSTab1->setTabCaption(slot, previousCaption);
        form.showWarning(CouldNotOpenMessage(sourcePath, loaded.reason()));
        return false;
    }
    FillSlot(form, slot, { title, sourcePath, sourceStamp });
    if (placement == Placement::Activate) {
        ActivateSlot(form, slot);
    } else {
        // The user works on in the active tab, which keeps the keys and what Save writes.
        form.SSTab1->setTabMark(slot, SSTab::Arrived, true);
        form.CurrentFile = form.SSTab1->TabCaption(form.SSTab1->Tab());
    }
    return true;
}

void ShowActiveSlot(form1 &form)
{
    const int active = ActiveSlot(form);
    if (active < 0)
        return;
    // Typing stays in an editor when another tab is chosen: the one hidden would otherwise
    // hand the focus on to the next control.
    bool editing = false;
    for (int slot = 0; slot < form1::SlotCount; ++slot)
        editing = editing || form.focusWidget() == form.editor(slot).focusProxy();
    form.editor(active).setVisible(true);
    ShowOnlySlot(form, active);
    if (editing)
        form.editor(active).SetFocus();
    form.SSTab1->setTabMark(active, SSTab::Arrived, false); // seen now
    form.CurrentFile = form.SSTab1->TabCaption(active);
}

void ActivateSlot(form1 &form, int slot)
{
    if (form.SSTab1->Tab() != slot)
        form.SSTab1->setTab(slot);
    else
        ShowActiveSlot(form);
}

QString CouldNotOpenMessage(const QString &path, const QString &reason)
{
    return QCoreApplication::translate("EditorSlots", "Could not open %1: %2.")
        .arg(FileSystem::displayPath(path), reason);
}
