// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class Dialogs;
class QWidget;

// The open and save dialogs as the commands use them: a filter in "description|pattern" pairs,
// and after a choice the full path and the bare file name.
class CommonDialog
{
public:
    CommonDialog(Dialogs &dialogs, QWidget *parent) : m_dialogs(&dialogs), m_parent(parent) { }

    void setDialogs(Dialogs &dialogs) { m_dialogs = &dialogs; }

    QString Filter;
    QString FileName;
    QString FileTitle;

    // False when the user cancelled; FileName and FileTitle then keep their values.
    bool ShowOpen();
    bool ShowSave();

    // "Text (*.txt)|*.txt|All (*.*)|*.*" in Qt's form.
    static QString toQtFilter(const QString &filter);
    // A saved name without an extension takes the one of the chosen type, as users expect.
    static QString withTypeExtension(const QString &path, const QString &qtFilterEntry);
    // ".ini" for "INI (*.ini)"; empty for a type without one.
    static QString typeExtension(const QString &qtFilterEntry);

private:
    bool accept(const QString &path);

    Dialogs *m_dialogs;
    QWidget *m_parent;
};
