// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "slotcommands.h"

#include "app/form1.h"
#include "controls/dialogs.h"
#include "controls/sstab.h"
#include "editor/richtextbox.h"
#include "editorslots.h"
#include "files/filestamp.h"
#include "files/filesystem.h"
#include "longwork.h"
#include "slotmodel.h"
#include "system/timer.h"
#include "text/textcodec.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <algorithm>

namespace {

// Characters that the file's encoding cannot hold are asked about before anything is written:
// once "?" is on the disk, they are gone. Saved as UTF-8, the document stays UTF-8.
bool mayEncode(form1 &form, RichTextBox &editor, const QString &path)
{
    const TextFormat format = editor.documentFormat();
    const TextCodec::Unheld unheld = TextCodec::unheldCharacters(editor.utf8View(), format);
    if (unheld.count == 0)
        return true;
    QStringList examples;
    for (const char32_t ch : unheld.first.first(std::min<qsizetype>(unheld.first.size(), 3)))
        examples << QString::fromUcs4(&ch, 1);
    if (unheld.first.size() > 3)
        examples << QStringLiteral("\u2026");
    const QString text = QCoreApplication::translate(
                             "SlotCommands",
                             "%1 is saved as %2, which cannot hold %3 character(s) you typed (%4). "
                             "Save it as UTF-8 instead?")
                             .arg(FileSystem::displayPath(QFileInfo(path).fileName()),
                                  QLatin1String(nameOf(format.encoding).shown))
                             .arg(unheld.count)
                             .arg(examples.join(QStringLiteral(", ")));
    switch (form.dialogs().askAboutEncoding(&form, text)) {
    case Dialogs::EncodingChoice::SaveAsUtf8:
        editor.setDocumentFormat({ TextEncoding::Utf8, false });
        return true;
    case Dialogs::EncodingChoice::Replace:
        return true;
    case Dialogs::EncodingChoice::Cancel:
        break;
    }
    return false;
}

// Given up, the file is left as it was, and the user is told that it was not saved.
bool writeSlot(form1 &form, RichTextBox &editor, const QString &path)
{
    const TextFormat format = editor.documentFormat();
    if (!mayEncode(form, editor, path))
        return false;
    const QString shownPath = FileSystem::displayPath(path);
    const FileStamp before = FileStamp::of(path);
    Result<RichTextBox::Saved> saved = Failure {};
    try {
        // A save the user asked for is never given up by the window's closing: it waits.
        LongWork work(form, QCoreApplication::translate("SlotCommands", "Saving %1").arg(shownPath),
                      false, LongWork::OnClose::Finish);
        work.setUndoingText(
            QCoreApplication::translate("SlotCommands", "Putting the old contents of %1 back")
                .arg(shownPath));
        saved = editor.SaveFile(path, 1, work);
    } catch (const WorkCancelled &) {
        // A file written in place has had its old contents put back: the same text as when it
        // was read, though its time has changed.
        if (before == editor.documentStamp())
            editor.setDocumentStamp(FileStamp::of(path));
        editor.setDocumentFormat(format);
        form.showMessage(
            QCoreApplication::translate("SlotCommands", "%1 was not saved.").arg(shownPath));
        return false;
    }
    if (!saved) {
        editor.setDocumentFormat(format); // the file is still in its own
        // Old contents written back in place are the text that was read, with a new time.
        if (editor.failedSaveLeftFileAsBefore() && before == editor.documentStamp())
            editor.setDocumentStamp(FileStamp::of(path));
        form.showWarning(QCoreApplication::translate("SlotCommands", "Could not save %1: %2.")
                             .arg(shownPath, saved.reason()));
    } else if (!saved->note.isEmpty()) {
        form.showWarning(QCoreApplication::translate("SlotCommands", "%1 saved, but %2.")
                             .arg(shownPath, saved->note));
    }
    return bool(saved);
}

// Another program, or another copy of this one, may have written the file since it was read.
bool mayWriteOver(form1 &form, const RichTextBox &editor)
{
    const QString path = editor.documentPath();
    const FileStamp now = FileStamp::of(path);
    if (now == editor.documentStamp())
        return true;
    if (!now.exists) {
        return form.askYesNo(
            QCoreApplication::translate("SlotCommands",
                                        "%1 was deleted or moved away since it was opened. "
                                        "Save makes it again. Save anyway?")
                .arg(FileSystem::displayPath(path)));
    }
    return form.askYesNo(
        QCoreApplication::translate("SlotCommands",
                                    "%1 has changed on disk since it was opened. Save anyway?")
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

QString FileDialogFilter()
{
    //: The file types of the Open and Save As dialogs: each a description, then its patterns,
    //: each followed by "|".
    return QCoreApplication::translate(
        "SlotCommands",
        "Morvane (*.ini;*.txt)|*.ini;*.txt|INI (*.ini)|*.ini|Text (*.txt)|*.txt|All Files "
        "(*.*)|*.*");
}

void CloseActiveSlot(form1 &form)
{
    if (const int slot = ActiveSlot(form); slot >= 0) {
        if (!MaySlotGo(form, slot))
            return;
        ClearSlot(form, slot);
        if (!form.Timer2->Enabled()) // a pending pick-up still needs its file
            form.Timer2OpenFile.clear();
    }
    const int next = slotToShowAfterClose(form);
    ShowOnlySlot(form, next);
    form.editor(next).SetFocus();
    form.SSTab1->setTab(next);
}

void SaveActiveSlot(form1 &form)
{
    const int slot = ActiveSlot(form);
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
        MarkSlotSaved(form, slot, FileStamp::of(editor.documentPath()));
}

void SaveActiveSlotAs(form1 &form)
{
    // The slot the command was given on: a decompressed file placed while the dialog is open
    // makes its own slot the active one.
    const int slot = ActiveSlot(form);
    form.CommonDialog1.Filter = FileDialogFilter();
    if (!form.CommonDialog1.ShowSave() || slot < 0)
        return;
    RichTextBox &editor = form.editor(slot);
    const QString path = form.CommonDialog1.FileName;
    // Saved over its own file under another name: that file is as this document has it now.
    // Text with no file of its own is safe once it is in a file; the tab's own file, where it
    // has one, still lacks what a copy elsewhere took.
    const FileStamp written = writeSlot(form, editor, path) ? FileStamp::of(path) : FileStamp();
    if (written.isSameFile(FileStamp::of(editor.documentPath())))
        MarkSlotSaved(form, slot, written);
    else if (written.exists && editor.documentPath().isEmpty())
        MarkSlotSaved(form, slot, FileStamp());
}

bool MaySlotGo(form1 &form, int slot)
{
    if (!SlotIsUnsaved(form, slot))
        return true;
    ActivateSlot(form, slot); // the document asked about is the one in sight
    const Dialogs::SaveChoice choice = form.dialogs().askToSave(
        &form,
        QCoreApplication::translate("SlotCommands", "Save changes to %1 before closing?")
            .arg(SlotName(form, slot)));
    form.focusActiveEditor();
    if (choice == Dialogs::SaveChoice::Cancel)
        return false;
    if (choice == Dialogs::SaveChoice::Discard)
        return true;
    SaveActiveSlot(form);
    return !SlotIsUnsaved(form, slot); // a failed or cancelled save keeps the document
}

bool MayAllSlotsGo(form1 &form)
{
    for (int slot = 0; slot < form1::SlotCount; ++slot) {
        if (!MaySlotGo(form, slot))
            return false;
    }
    return true;
}
