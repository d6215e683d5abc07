// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "slotcommands.h"

#include "app/form1.h"
#include "controls/sstab.h"
#include "editor/richtextbox.h"
#include "editorslots.h"
#include "files/filestamp.h"
#include "files/filesystem.h"
#include "longwork.h"
#include "system/timer.h"

namespace {

const QString kSaveFilter = QStringLiteral(
    "Morvane (*.ini;*.txt)|*.ini;*.txt|INI (*.ini)|*.ini|Text (*.txt)|*.txt|All Files (*.*)|*.*");

int activeSlot(const form1 &form)
{
    const int slot = form.SSTab1->Tab();
    return slot >= 0 && slot < form1::SlotCount ? slot : -1;
}

QString encodingName(const TextFormat &format)
{
    return format.encoding == TextEncoding::Utf8 ? QStringLiteral("UTF-8")
                                                 : QStringLiteral("Windows-1252");
}

// Given up, the file is left as it was and nothing is said.
bool writeSlot(form1 &form, RichTextBox &editor, const QString &path)
{
    const QString shownPath = FileSystem::displayPath(path);
    const FileStamp before = FileStamp::of(path);
    RichTextBox::Result saved;
    try {
        LongWork work(form, QStringLiteral("Saving %1").arg(shownPath));
        saved = editor.SaveFile(path, 1, work);
    } catch (const WorkCancelled &) {
        // A file written in place has had its old contents put back: the same text as when it
        // was read, though its time has changed.
        if (before == editor.documentStamp())
            editor.setDocumentStamp(FileStamp::of(path));
        return false;
    }
    if (!saved.ok) {
        form.Warning(QStringLiteral("Could not save %1: %2.").arg(shownPath, saved.error));
    } else if (saved.replaced > 0) {
        form.Warning(QStringLiteral("%1 saved, but %2 character(s) that %3 cannot hold were "
                                    "written as \"?\".")
                         .arg(shownPath)
                         .arg(saved.replaced)
                         .arg(encodingName(editor.documentFormat())));
    }
    return saved.ok;
}

// Another program, or another copy of this one, may have written the file since it was read.
bool mayWriteOver(form1 &form, const RichTextBox &editor)
{
    const QString path = editor.documentPath();
    if (FileStamp::of(path) == editor.documentStamp())
        return true;
    return form.Question(QStringLiteral("%1 has changed on disk since it was opened. Save anyway?")
                             .arg(FileSystem::displayPath(path)));
}

// The highest slot that holds text, else the first.
int slotToShowAfterClose(const form1 &form)
{
    for (int slot = form1::SlotCount - 1; slot > 0; --slot) {
        if (form.editor(slot).hasText())
            return slot;
    }
    return 0;
}

} // namespace

void CloseActiveSlot(form1 &form)
{
    if (const int slot = activeSlot(form); slot >= 0) {
        form.editor(slot).setText(QString());
        form.CurrentFile.clear();
        if (!form.Timer2->Enabled()) // a pending pick-up still needs its file
            form.Timer2OpenFile.clear();
        form.SSTab1->setTabCaption(slot, form1::NoFileCaption);
        form.SSTab1->setTabToolTip(slot, QString());
        form.IniLines.clear();
    }
    const int next = slotToShowAfterClose(form);
    for (int slot = 0; slot < form1::SlotCount; ++slot)
        form.editor(slot).setVisible(slot == next);
    form.editor(next).SetFocus();
    form.SSTab1->setTab(next);
}

void SaveActiveSlot(form1 &form)
{
    const int slot = activeSlot(form);
    if (slot < 0)
        return;
    RichTextBox &editor = form.editor(slot);
    // A slot with no file behind it (nothing opened, or closed since) has nowhere to go; an
    // emptied editor is an empty slot, and writing nothing over its file would lose the file.
    if (editor.documentPath().isEmpty() || !editor.hasText()) {
        SaveActiveSlotAs(form);
        return;
    }
    if (mayWriteOver(form, editor) && writeSlot(form, editor, editor.documentPath()))
        editor.setDocumentStamp(FileStamp::of(editor.documentPath()));
}

void SaveActiveSlotAs(form1 &form)
{
    // The slot the command was given on: a decompressed file placed while the dialog is open
    // makes its own slot the active one.
    const int slot = activeSlot(form);
    form.CommonDialog1.Filter = kSaveFilter;
    if (!form.CommonDialog1.ShowSave() || slot < 0)
        return;
    RichTextBox &editor = form.editor(slot);
    const QString path = form.CommonDialog1.FileName;
    // Saved over its own file under another name: that file is as this document has it now.
    const FileStamp written = writeSlot(form, editor, path) ? FileStamp::of(path) : FileStamp();
    if (written.isSameFile(FileStamp::of(editor.documentPath())))
        editor.setDocumentStamp(written);
}
