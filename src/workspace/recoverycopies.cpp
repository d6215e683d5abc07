// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "recoverycopies.h"

#include "app/form1.h"
#include "controls/dialogs.h"
#include "controls/sstab.h"
#include "convert/colorizer.h"
#include "editor/richtextbox.h"
#include "editorslots.h"
#include "interruptedsave.h"
#include "rtf/rtfreader.h"
#include "slotmodel.h"
#include "system/clock.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTimer>
#include <algorithm>

static_assert(form1::SlotCount == 4);

RecoveryCopies::RecoveryCopies(form1 &form) : QObject(&form), m_form(form)
{
    for (int slot = 0; slot < form1::SlotCount; ++slot) {
        m_slots[slot].timer = new QTimer(this);
        m_slots[slot].timer->setSingleShot(true);
        connect(m_slots[slot].timer, &QTimer::timeout, this, [this, slot] { write(slot); });
    }
    m_writer = std::thread([this] {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_wake.wait(lock, [this] { return m_stopping || !m_tasks.empty(); });
            if (m_tasks.empty())
                return; // stopping, with nothing left to write
            std::function<void()> task = std::move(m_tasks.front());
            m_tasks.pop_front();
            m_busy = true;
            lock.unlock();
            task();
            lock.lock();
            m_busy = false;
            m_idle.notify_all();
        }
    });
}

RecoveryCopies::~RecoveryCopies()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    m_writer.join();
}

QString RecoveryCopies::key(int slot)
{
    return QStringLiteral("slot-%1").arg(slot + 1);
}

// Each keystroke puts the copy off until typing pauses, but never further than the longest
// wait from the first edit that no copy holds yet.
void RecoveryCopies::edited(int slot)
{
    Slot &state = m_slots[slot];
    const qint64 now = m_form.clock().milliseconds();
    if (state.firstUnwritten < 0)
        state.firstUnwritten = now;
    const qint64 deadline = state.firstUnwritten + longestWaitMilliseconds;
    state.timer->start(int(std::clamp<qint64>(deadline - now, 0, pauseMilliseconds)));
}

void RecoveryCopies::drop(int slot)
{
    Slot &state = m_slots[slot];
    state.timer->stop();
    state.firstUnwritten = -1;
    state.writeAgain = false;
    state.writeWhenPrepared = false;
    state.buffer = QByteArray();
    enqueue([slot] {
        if (const Result<RecoveryStore *> store = RecoveryStore::ofThisRun())
            (*store)->remove(key(slot));
    });
}

RecoveryCopy RecoveryCopies::copyOf(int slot)
{
    const RichTextBox &editor = m_form.editor(slot);
    RecoveryCopy copy;
    copy.path = editor.documentPath();
    copy.title = m_form.SSTab1->TabCaption(slot);
    copy.format = editor.documentFormat();
    copy.stamp = editor.documentStamp();
    copy.text = std::exchange(m_slots[slot].buffer, QByteArray());
    editor.copyTextInto(copy.text);
    return copy;
}

// Room for the text and for what typing adds to it before the next copy.
bool RecoveryCopies::bufferReady(int slot)
{
    Slot &state = m_slots[slot];
    const qsizetype needed = m_form.editor(slot).textLength();
    if (state.buffer.capacity() >= needed)
        return true;
    if (!state.preparing) {
        state.preparing = true;
        const qsizetype size = needed + needed / 16 + 65536;
        enqueue([this, slot, size] {
            QByteArray buffer;
            try {
                buffer = QByteArray(size, '\0'); // every page touched, here
                buffer.resize(0);
            } catch (const std::bad_alloc &) { // the copy is made without it
            }
            // Moved on, never shared: a shared buffer would be copied when it is written to.
            QMetaObject::invokeMethod(
                this,
                [this, slot, buffer = std::move(buffer)]() mutable {
                    prepared(slot, std::move(buffer));
                },
                Qt::QueuedConnection);
        });
    }
    return false;
}

void RecoveryCopies::prepared(int slot, QByteArray buffer)
{
    Slot &state = m_slots[slot];
    state.preparing = false;
    if (buffer.isNull()) { // no memory for it: no copy either
        state.writeWhenPrepared = false;
        tellFailure(slot,
                    QCoreApplication::translate("RecoveryCopies", "there is not enough memory"));
        return;
    }
    state.buffer = std::move(buffer);
    if (std::exchange(state.writeWhenPrepared, false))
        write(slot);
}

void RecoveryCopies::tellFailure(int slot, const QString &reason)
{
    if (std::exchange(m_failureTold, true))
        return;
    m_form.showWarning(QCoreApplication::translate(
                           "RecoveryCopies",
                           "Could not keep a recovery copy of %1: %2. Editing goes on, but "
                           "what is not saved would be lost in a crash.")
                           .arg(SlotName(m_form, slot), reason));
}

// One copy of a slot is written at a time; edits made meanwhile go into the next one.
void RecoveryCopies::write(int slot, bool mayWait)
{
    Slot &state = m_slots[slot];
    state.timer->stop();
    if (state.writing) {
        state.writeAgain = true;
        return;
    }
    if (!SlotIsUnsaved(m_form, slot)) {
        state.firstUnwritten = -1;
        state.buffer = QByteArray();
        return;
    }
    if (mayWait && !bufferReady(slot)) {
        state.writeWhenPrepared = true;
        return;
    }
    state.firstUnwritten = -1;
    RecoveryCopy copy;
    try {
        copy = copyOf(slot); // the text may have outgrown the buffer
    } catch (const std::bad_alloc &) {
        tellFailure(slot,
                    QCoreApplication::translate("RecoveryCopies", "there is not enough memory"));
        return;
    }
    state.writing = true;
    enqueue([this, slot, copy = std::move(copy)]() mutable {
        const Result<RecoveryStore *> store = RecoveryStore::ofThisRun();
        const Result<> saved = store ? (*store)->save(key(slot), copy) : store.failure();
        // Handed back whole: a buffer still shared with this task would be copied, not reused.
        QMetaObject::invokeMethod(
            this,
            [this, slot, saved, buffer = std::exchange(copy.text, QByteArray())]() mutable {
                written(slot, saved, std::move(buffer));
            },
            Qt::QueuedConnection);
    });
}

void RecoveryCopies::written(int slot, const Result<> &saved, QByteArray buffer)
{
    Slot &state = m_slots[slot];
    state.writing = false;
    if (SlotIsUnsaved(m_form, slot))
        state.buffer = std::move(buffer); // for the next copy
    if (!saved)
        tellFailure(slot, saved.reason());
    if (std::exchange(state.writeAgain, false))
        write(slot);
}

void RecoveryCopies::enqueue(std::function<void()> task)
{
    {
        const std::lock_guard lock(m_mutex);
        m_tasks.push_back(std::move(task));
    }
    m_wake.notify_one();
}

void RecoveryCopies::waitUntilWritten()
{
    std::unique_lock lock(m_mutex);
    m_idle.wait(lock, [this] { return m_tasks.empty() && !m_busy; });
}

void RecoveryCopies::writeAll()
{
    for (int slot = 0; slot < form1::SlotCount; ++slot) {
        Slot &state = m_slots[slot];
        if (state.timer->isActive() || state.writeAgain || state.writeWhenPrepared) {
            state.writing = false; // the next copy queues behind the one being written
            state.writeAgain = false;
            state.writeWhenPrepared = false;
            write(slot, false); // with a buffer made here, if none is ready: no time is left
        }
    }
}

void RecoveryCopies::writeNow()
{
    writeAll();
    waitUntilWritten();
}

void RecoveryCopies::endRun()
{
    for (int slot = 0; slot < form1::SlotCount; ++slot)
        drop(slot);
    enqueue([] { RecoveryStore::endThisRun(); });
    waitUntilWritten();
}

void RecoveryCopies::endRunKeepingCopies()
{
    writeAll();
    enqueue([] { RecoveryStore::endThisRun(); }); // the folder goes only if it holds none
    waitUntilWritten();
}

void RecoveryCopies::offerLeftBehind()
{
    const Result<RecoveryStore *> found = RecoveryStore::ofThisRun();
    if (!found)
        return; // where no folder can be made, no run can have left a copy
    RecoveryStore *store = *found;
    for (const RecoveryStore::LeftBehind &copy : store->takeLeftBehind()) {
        const int slot = FirstEmptySlot(m_form);
        if (slot < 0)
            break; // kept for the next start
        if (!copy.copy.path.isEmpty()) // the run may have stopped in the middle of a save
            OfferContentsBeforeAnInterruptedSave(m_form, copy.copy.path);
        const QString name = copy.copy.path.isEmpty()
            ? QCoreApplication::translate("RecoveryCopies", "Untitled")
            : QFileInfo(copy.copy.path).fileName();
        const Dialogs::RecoverChoice choice = m_form.dialogs().askToRecover(
            &m_form,
            QCoreApplication::translate(
                "RecoveryCopies", "%1 had unsaved changes when Morvane last stopped. Recover them?")
                .arg(name));
        if (choice == Dialogs::RecoverChoice::Recover)
            recover(*store, slot, copy);
        else if (choice == Dialogs::RecoverChoice::Discard)
            store->discard(copy);
    }
    store->releaseLeftBehind();
    m_form.focusActiveEditor();
}

// The text goes into the slot as an open would put it there, marked unsaved for the user to
// look at and save; nothing is written to the file. The copy becomes the slot's own in one
// rename, so that it survives another crash before the next copy is written.
void RecoveryCopies::recover(RecoveryStore &store, int slot, const RecoveryStore::LeftBehind &copy)
{
    RtfFragments lines;
    QString header;
    RichTextBox &editor = m_form.editor(slot);
    editor.loadDocument(RtfReader::read(colorizeBytes(copy.copy.text, lines, header)));
    editor.setDocumentFormat(copy.copy.format);
    FillSlot(m_form, slot, { copy.copy.title, copy.copy.path, copy.copy.stamp });
    editor.markUnsaved();
    waitUntilWritten(); // the slot's earlier copy is gone before this one takes its place
    // Where it fails, the copy written for the unsaved text takes its place.
    (void)store.adopt(copy, key(slot));
    ActivateSlot(m_form, slot);
}
