// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAccessibleWidget>

class QsciScintilla;
class RichTextBox;

// What screen readers see of an editor. It takes the place of the editor component's own
// interface, which counts characters from the document's start on every edit and caret move,
// so that typing in a large document slowed down with the caret's distance from the top.
// Offsets are character positions, mapped through the editor's line character index.
class EditorAccessible : public QAccessibleWidget,
                         public QAccessibleTextInterface,
                         public QAccessibleEditableTextInterface
{
public:
    EditorAccessible(QsciScintilla *editor, RichTextBox &owner);

    // Installed once; answers for the editor component inside a RichTextBox.
    static QAccessibleInterface *factory(const QString &className, QObject *object);
    // Tells screen readers of an edit the editor gives notice of before making it; `type` is
    // the notice's modification type.
    static void announceEdit(RichTextBox &owner, QsciScintilla *editor, int position, int type,
                             int length);

    void *interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text kind) const override;

    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int *startOffset, int *endOffset) const override;

    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString &text) override;
    void replaceText(int startOffset, int endOffset, const QString &text) override;

private:
    long send(unsigned int message, unsigned long wParam = 0, long lParam = 0) const;
    qsizetype bytes(int offset) const;

    QsciScintilla *m_editor;
    RichTextBox &m_owner;
};
