// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "editoraccessible.h"

#include "editor/richtextbox.h"

#include <QMetaObject>
#include <Qsci/qsciscintilla.h>

EditorAccessible::EditorAccessible(QsciScintilla *editor, RichTextBox &owner)
    : QAccessibleWidget(editor, QAccessible::EditableText), m_editor(editor), m_owner(owner)
{
}

QAccessibleInterface *EditorAccessible::factory(const QString &className, QObject *object)
{
    if (className != QLatin1String("QsciScintilla"))
        return nullptr;
    auto *editor = static_cast<QsciScintilla *>(object);
    auto *owner = qobject_cast<RichTextBox *>(editor->parentWidget());
    return owner ? new EditorAccessible(editor, *owner) : nullptr;
}

void *EditorAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    if (type == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessible::State EditorAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.editable = true;
    state.multiLine = true;
    state.selectableText = true;
    return state;
}

QString EditorAccessible::text(QAccessible::Text kind) const
{
    if (kind == QAccessible::Name)
        return m_owner.accessibleName();
    if (kind == QAccessible::Value)
        return m_owner.Text();
    return QAccessibleWidget::text(kind);
}

long EditorAccessible::send(unsigned int message, unsigned long wParam, long lParam) const
{
    return m_editor->SendScintilla(message, wParam, lParam);
}

qsizetype EditorAccessible::bytes(int offset) const
{
    return m_owner.bytePosition(offset);
}

void EditorAccessible::selection(int selectionIndex, int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || selectionCount() == 0)
        return;
    *startOffset = m_owner.characterPosition(send(QsciScintillaBase::SCI_GETSELECTIONSTART));
    *endOffset = m_owner.characterPosition(send(QsciScintillaBase::SCI_GETSELECTIONEND));
}

int EditorAccessible::selectionCount() const
{
    return send(QsciScintillaBase::SCI_GETSELECTIONEMPTY) ? 0 : 1;
}

void EditorAccessible::addSelection(int startOffset, int endOffset)
{
    setSelection(0, startOffset, endOffset);
}

void EditorAccessible::removeSelection(int selectionIndex)
{
    if (selectionIndex == 0)
        setCursorPosition(cursorPosition());
}

void EditorAccessible::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex == 0)
        send(QsciScintillaBase::SCI_SETSEL, bytes(startOffset), bytes(endOffset));
}

int EditorAccessible::cursorPosition() const
{
    return m_owner.characterPosition(send(QsciScintillaBase::SCI_GETCURRENTPOS));
}

void EditorAccessible::setCursorPosition(int position)
{
    send(QsciScintillaBase::SCI_GOTOPOS, bytes(position));
}

QString EditorAccessible::text(int startOffset, int endOffset) const
{
    const qsizetype start = bytes(startOffset), end = bytes(endOffset);
    return end > start ? QString::fromUtf8(m_owner.utf8View().sliced(start, end - start))
                       : QString();
}

int EditorAccessible::characterCount() const
{
    return m_owner.characterCount();
}

QRect EditorAccessible::characterRect(int offset) const
{
    const qsizetype at = bytes(offset);
    const int x = int(send(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0, long(at)));
    const int y = int(send(QsciScintillaBase::SCI_POINTYFROMPOSITION, 0, long(at)));
    const int next = int(send(QsciScintillaBase::SCI_POSITIONAFTER, at));
    const int width = int(send(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0, long(next))) - x;
    const int height = int(send(QsciScintillaBase::SCI_TEXTHEIGHT, 0));
    const QPoint topLeft = m_editor->viewport()->mapToGlobal(QPoint(x, y));
    return QRect(topLeft, QSize(qMax(width, 1), height));
}

int EditorAccessible::offsetAtPoint(const QPoint &point) const
{
    const QPoint local = m_editor->viewport()->mapFromGlobal(point);
    const long at = send(QsciScintillaBase::SCI_POSITIONFROMPOINTCLOSE, local.x(), long(local.y()));
    return at < 0 ? -1 : m_owner.characterPosition(at);
}

void EditorAccessible::scrollToSubstring(int startIndex, int endIndex)
{
    send(QsciScintillaBase::SCI_SCROLLRANGE, bytes(endIndex), long(bytes(startIndex)));
}

QString EditorAccessible::attributes(int offset, int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = offset;
    return QString();
}

// A screen reader or a dictation tool edits as the keyboard does: not while the editor is
// disabled, as it is while long work holds the window (a save writes from the editor's own
// buffer, which must not change under it).
void EditorAccessible::deleteText(int startOffset, int endOffset)
{
    if (!m_editor->isEnabled())
        return;
    const qsizetype start = bytes(startOffset);
    send(QsciScintillaBase::SCI_DELETERANGE, start, long(bytes(endOffset) - start));
}

void EditorAccessible::insertText(int offset, const QString &text)
{
    if (!m_editor->isEnabled())
        return;
    m_editor->SendScintilla(QsciScintillaBase::SCI_INSERTTEXT, bytes(offset),
                            text.toUtf8().constData());
}

void EditorAccessible::replaceText(int startOffset, int endOffset, const QString &text)
{
    deleteText(startOffset, endOffset);
    insertText(startOffset, text);
}

// Screen readers hear of an edit once it is done; the notice comes before it, and without the
// inserted text, which is read from the document afterwards.
void EditorAccessible::announceEdit(RichTextBox &owner, QsciScintilla *editor, int position,
                                    int type, int length)
{
    const int offset = owner.characterPosition(position);
    const bool inserted = type & QsciScintillaBase::SC_MOD_BEFOREINSERT;
    const QString removed
        = inserted ? QString() : QString::fromUtf8(owner.utf8View().sliced(position, length));
    QMetaObject::invokeMethod(
        &owner,
        [&owner, editor, offset, inserted, removed, position, length] {
            if (inserted) {
                const QByteArrayView text = owner.utf8View();
                const QString added = position + length <= text.size()
                    ? QString::fromUtf8(text.sliced(position, length))
                    : QString();
                QAccessibleTextInsertEvent event(editor, offset, added);
                QAccessible::updateAccessibility(&event);
            } else {
                QAccessibleTextRemoveEvent event(editor, offset, removed);
                QAccessible::updateAccessibility(&event);
            }
        },
        Qt::QueuedConnection);
}
