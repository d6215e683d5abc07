// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "about/frmabout.h"
#include "app/form1.h"
#include "controls/sstab.h"
#include "editor/richtextbox.h"
#include "scripteddialogs.h"
#include "testfiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// A main window whose dialogs are answered by the test, with a folder to put files in.
struct FormFixture
{
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    form1 form;

    FormFixture()
    {
        form.setDialogs(dialogs);
        form.show();
    }

    QString write(const QString &name, const QByteArray &bytes)
    {
        const QString path = dir.filePath(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        TestFiles::write(path, bytes);
        return path;
    }

    // Every file and folder under `folder`, by its path from there.
    static QStringList everythingIn(const QString &folder)
    {
        QStringList found;
        QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            found << QDir(folder).relativeFilePath(it.next());
        return found;
    }

    static QByteArray read(const QString &path) { return TestFiles::read(path); }

    // The About box once it has been made, which the window keeps to itself.
    frmAbout *aboutDialog() const { return form.m_about; }
    // How often the window has laid itself out.
    int layoutPasses() const { return form.m_layoutPasses; }

    void open(const QString &path)
    {
        dialogs.openAnswers << path;
        form.cmdOpen_Click();
    }

    QString caption(int slot) const { return form.SSTab1->TabCaption(slot); }
    int active() const { return form.SSTab1->Tab(); }
    RichTextBox &editor(int slot) { return form.editor(slot); }
    int visibleSlot() const
    {
        int visible = -1;
        for (int slot = 0; slot < form1::SlotCount; ++slot) {
            if (form.editor(slot).isVisibleTo(&form))
                visible = visible < 0 ? slot : -2; // -2: more than one
        }
        return visible;
    }

    // Types at the start of the active editor, as a user would; "\n" presses Enter.
    void typeAtStart(const QString &text)
    {
        RichTextBox &editor = form.editor(active());
        editor.setSelStart(0);
        for (const QChar c : text) {
            if (c == u'\n')
                QTest::keyClick(editor.focusProxy(), Qt::Key_Return);
            else if (c.unicode() >= 0x80) // a key of another layout, by its text
                QTest::sendKeyEvent(QTest::Click, editor.focusProxy(), Qt::Key_unknown, QString(c),
                                    Qt::NoModifier);
            else
                QTest::keyClicks(editor.focusProxy(), QString(c));
        }
        QCoreApplication::processEvents();
    }
};
