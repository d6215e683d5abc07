#include "slotcommands.h"

#include "app/form1.h"
#include "editorslots.h"
#include "platform/filesystem.h"
#include "platform/richtextbox.h"
#include "platform/sstab.h"
#include "platform/timer.h"

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

void writeSlot(form1 &form, RichTextBox &editor, const QString &path)
{
    const RichTextBox::Result saved = editor.SaveFile(path, 1);
    const QString shownPath = FileSystem::displayPath(path);
    if (!saved.ok) {
        form.Warning(QStringLiteral("Could not save %1: %2.").arg(shownPath, saved.error));
    } else if (saved.replaced > 0) {
        form.Warning(QStringLiteral("%1 saved, but %2 character(s) that %3 cannot hold were "
                                    "written as \"?\".")
                         .arg(shownPath)
                         .arg(saved.replaced)
                         .arg(encodingName(editor.documentFormat())));
    }
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
    writeSlot(form, editor, editor.documentPath());
}

void SaveActiveSlotAs(form1 &form)
{
    form.CommonDialog1.Filter = kSaveFilter;
    if (!form.CommonDialog1.ShowSave())
        return;
    if (const int slot = activeSlot(form); slot >= 0)
        writeSlot(form, form.editor(slot), form.CommonDialog1.FileName);
}
