// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "about/frmabout.h"
#include "app/commandline.h"
#include "controls/twips.h"
#include "support/formfixture.h"
#include "support/screenreader.h"
#include "window/formlayout.h"

#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

class TestForm1 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ScreenReader::startIfAsked(); }

    void startsAsDesigned()
    {
        FormFixture f;
        QCOMPARE(f.form.windowTitle(), form1::DesignCaption);
        for (int slot = 0; slot < form1::SlotCount; ++slot)
            QCOMPARE(f.caption(slot), form1::noFileCaption());
        QCOMPARE(f.visibleSlot(), 0);
        QCOMPARE(f.form.fraButtons->title(), QString("Quick Bar"));
        QCOMPARE(f.form.cmdSaveAS->text(), QString("Save As"));
        QCOMPARE(f.form.focusWidget(), f.editor(0).focusProxy());
        QCOMPARE(f.form.SSTab1->height() > 0 ? f.form.SSTab1->focusProxy()->height() : 0,
                 Twips::toPixels(280, &f.form));
    }

    // Tab and Shift+Tab go round one cycle of every control in the order they stand on the
    // window, whichever tab is active; its editor takes tabs as text and is left with Ctrl+Tab.
    void tabCyclesThroughEveryControl_data()
    {
        QTest::addColumn<int>("active");
        for (int slot = 0; slot < form1::SlotCount; ++slot)
            QTest::addRow("tab %d active", slot + 1) << slot;
    }

    void tabCyclesThroughEveryControl()
    {
        QFETCH(int, active);
        FormFixture f;
        f.form.SSTab1->setTab(active);
        f.form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f.form));
        QWidget *editor = f.editor(active).focusProxy();
        const QList<QWidget *> cycle = { f.form.cmdOpen,
                                         f.form.cmdClose,
                                         f.form.cmdSave,
                                         f.form.cmdSaveAS,
                                         f.form.SSTab1->focusProxy(),
                                         editor,
                                         f.form.cmdFind,
                                         f.form.cmdFindNext,
                                         f.form.txtSearch,
                                         f.form.cmdOpen };
        const auto press = [&](bool forward) {
            QWidget *from = QApplication::focusWidget();
            const Qt::KeyboardModifiers keys
                = from == editor ? Qt::ControlModifier : Qt::NoModifier;
            if (forward)
                QTest::keyClick(from, Qt::Key_Tab, keys);
            else
                QTest::keyClick(from, Qt::Key_Backtab, keys | Qt::ShiftModifier);
        };
        f.form.cmdOpen->setFocus(Qt::TabFocusReason);
        for (qsizetype i = 1; i < cycle.size(); ++i) {
            press(true);
            QCOMPARE(QApplication::focusWidget(), cycle[i]);
        }
        for (qsizetype i = cycle.size() - 2; i >= 0; --i) {
            press(false);
            QCOMPARE(QApplication::focusWidget(), cycle[i]);
        }
    }

    // After whatever took the keyboard away, typing goes on in the active tab's editor.
    void focusReturnsToTheActiveEditor_data()
    {
        QTest::addColumn<QString>("after");
        QTest::newRow("an open through the dialog") << "open";
        QTest::newRow("a message box") << "message";
        QTest::newRow("files from the command line") << "command line";
        QTest::newRow("the About box closed with Esc") << "about";
    }

    void focusReturnsToTheActiveEditor()
    {
        QFETCH(QString, after);
        FormFixture f;
        const QString a = f.write("a.ini", "[a]"), b = f.write("b.ini", "[b]");
        f.form.cmdOpen->setFocus();
        if (after == "open") {
            f.open(a);
            f.open(b);
        } else if (after == "message") {
            f.open(f.write("other.doc", "x"));
            QCOMPARE(f.dialogs.messages.size(), 1);
        } else if (after == "command line") {
            f.form.OpenFiles({ a, b });
        } else {
            f.form.mnuAbout_Click();
            QPointer<frmAbout> about = f.aboutDialog();
            QTest::keyClick(about->focusWidget(), Qt::Key_Escape);
            QTRY_VERIFY(!about);
        }
        QCOMPARE(f.form.focusWidget(), f.editor(f.active()).focusProxy());
    }

    // Files from the command line and files dropped on an editor open as the Open command
    // opens them, in order, with the same slots and messages; a name of another kind is told
    // which file and why.
    void opensFilesFromOutside_data()
    {
        QTest::addColumn<bool>("dropped");
        QTest::newRow("command line") << false;
        QTest::newRow("dropped") << true;
    }

    void opensFilesFromOutside()
    {
        QFETCH(bool, dropped);
        FormFixture f;
        const QString missing = f.dir.filePath("missing.ini");
        const QStringList files
            = { f.write("a.ini", "[a]"),   f.write("notes.txt", "n"), missing,
                f.write("other.doc", "x"), f.write("b.ini", "b"),     f.write("c.txt", "c"),
                f.write("d.ini", "d") };
        if (dropped) {
            QList<QUrl> urls;
            for (const QString &file : files)
                urls << QUrl::fromLocalFile(file);
            QMimeData data;
            data.setUrls(urls);
            QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
            QCoreApplication::sendEvent(f.editor(0).dropArea(), &enter);
            QVERIFY(enter.isAccepted());
            QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
            QCoreApplication::sendEvent(f.editor(0).dropArea(), &drop);
            QCoreApplication::processEvents(); // the files open once the drop is over
        } else {
            f.form.OpenFiles(files);
        }
        QCOMPARE(QStringList({ f.caption(0), f.caption(1), f.caption(2), f.caption(3) }),
                 QStringList({ "a.ini", "notes.txt", "b.ini", "c.txt" }));
        QCOMPARE(f.dialogs.messages.size(), 3);
        QVERIFY(f.dialogs.messages[0].startsWith("Could not open "
                                                 + QDir::toNativeSeparators(missing) + ": "));
        QCOMPARE(f.dialogs.messages[1],
                 "Could not open " + QDir::toNativeSeparators(files[3])
                     + ": Morvane opens .ini and .txt files (and compressed .ini files).");
        QCOMPARE(f.dialogs.messages[2], QString("Please close a file before opening another."));
        QCOMPARE(f.editor(0).Text(), QString("[a]")); // the drop did not type the names
    }

    // A name is its bytes: one that is not UTF-8 opens, shows with a replacement mark, and
    // saves under the same bytes, with no file of another name made.
    void aNameThatIsNotUtf8OpensAndSaves()
    {
        FormFixture f;
        const QByteArray name = QFile::encodeName(f.dir.path()) + "/lat\xE9.ini";
        {
            const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
            QVERIFY(fd >= 0 && ::write(fd, "k=v", 3) == 3 && ::close(fd) == 0);
        }
        const char *argv[] = { "morvane", name.constData() };
        f.form.OpenFiles(CommandLine::filesNamed(2, argv));
        QVERIFY2(f.dialogs.messages.isEmpty(), qPrintable(f.dialogs.messages.join('\n')));
        QCOMPARE(f.caption(0), QString::fromUtf8("lat\uFFFD.ini"));
        f.typeAtStart("x");
        f.form.cmdSave_Click();
        QVERIFY2(f.dialogs.messages.isEmpty(), qPrintable(f.dialogs.messages.join('\n')));
        QFile saved;
        const int fd = ::open(name.constData(), O_RDONLY);
        QVERIFY(fd >= 0 && saved.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle));
        QCOMPARE(saved.readAll(), QByteArray("xk=v"));
        // Listed by the system: Qt's listing leaves such a name out.
        DIR *folder = ::opendir(QFile::encodeName(f.dir.path()).constData());
        QByteArrayList names;
        while (const dirent *entry = ::readdir(folder))
            names << entry->d_name;
        ::closedir(folder);
        std::sort(names.begin(), names.end());
        QCOMPARE(names, QByteArrayList({ ".", "..", "lat\xE9.ini" }));
    }

    // Every command can be reached from the keyboard.
    void keyboardShortcuts()
    {
        FormFixture f;
        f.form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f.form));
        QWidget *editor = f.editor(0).focusProxy();
        const QString file = f.write("a.ini", "one two two");
        f.dialogs.openAnswers << file;
        QTest::keyClick(editor, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(f.caption(0), QString("a.ini"));

        QTest::keyClick(f.editor(0).focusProxy(), Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), f.form.txtSearch);
        QTest::keyClicks(f.form.txtSearch, "two");
        QTest::keyClick(f.form.txtSearch, Qt::Key_F3);
        QCOMPARE(f.form.searchptr, 4);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F3);
        QCOMPARE(f.form.searchptr, 8);

        QTest::keyClick(editor, Qt::Key_Tab); // a tab over the found text, the focus stays
        QCOMPARE(QApplication::focusWidget(), editor);
        QTest::keyClick(editor, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(FormFixture::read(file), QByteArray("one two \t"));
        QTest::keyClick(editor, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(f.dialogs.saveAsked, 1);

        // Alt with a letter or a digit is for the menus; it never types.
        for (const Qt::Key key : { Qt::Key_F, Qt::Key_Z, Qt::Key_2 }) {
            QTest::keyClick(editor, key, Qt::AltModifier);
            if (QWidget *menu = QApplication::activePopupWidget()) {
                QCOMPARE(key, Qt::Key_F);
                QTest::keyClick(menu, Qt::Key_Escape);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            }
        }
        QCOMPARE(f.editor(0).utf8Text(), QByteArray("one two \t"));
        // Ctrl+PgDn and Ctrl+PgUp turn the tabs, round from the last to the first.
        QTest::keyClick(editor, Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(f.form.SSTab1->Tab(), 1);
        for (int i = 0; i < 2; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(f.form.SSTab1->Tab(), 3);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(f.form.SSTab1->Tab(), 0);
        editor->setFocus();

        QTest::keyClick(editor, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), f.form.cmdFind);
        editor->setFocus();
        QTest::keyClick(editor, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), f.form.SSTab1->focusProxy());

        QTest::keyClick(editor, Qt::Key_W, Qt::ControlModifier);
        QCOMPARE(f.caption(0), form1::noFileCaption());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(!f.form.isVisible());
    }

    // A window system that keeps the window below the minimum must not make the layout spin.
    void windowCappedBelowTheMinimumIsLaidOutOnce()
    {
        FormFixture f;
        f.form.setMaximumSize(Twips::toPixels(5000, &f.form), Twips::toPixels(4000, &f.form));
        const int before = f.layoutPasses();
        QTest::qWait(1000);
        QVERIFY2(f.layoutPasses() - before < 5, qPrintable(QString::number(f.layoutPasses())));
        QVERIFY(f.form.WidthTwips() < FormLayout::minimumWidth);
        QCOMPARE(f.form.SSTab1->geometry(), laidOut(f.form, &FormLayoutPlan::tabStrip));
    }

    void controlsAreNamedForAccessibility()
    {
        FormFixture f;
        const QList<QWidget *> controls
            = { f.form.cmdOpen, f.form.cmdClose,    f.form.cmdSave,   f.form.cmdSaveAS,
                f.form.cmdFind, f.form.cmdFindNext, f.form.txtSearch, &f.editor(0) };
        for (QWidget *control : controls) {
            QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(control);
            QVERIFY(accessible);
            QVERIFY2(!accessible->text(QAccessible::Name).isEmpty(),
                     qPrintable(control->metaObject()->className()));
        }
        QCOMPARE(QAccessible::queryAccessibleInterface(f.form.cmdFindNext)->text(QAccessible::Name),
                 QString("Find Next"));
    }

    void searchRowFollowsTheTabStrip_data()
    {
        QTest::addColumn<float>("width");
        QTest::addColumn<float>("height");
        QTest::newRow("large") << 12000.f << 9000.f;
        QTest::newRow("too narrow") << 5000.f << 8000.f;
        QTest::newRow("too low") << 8000.f << 4000.f;
    }

    void searchRowFollowsTheTabStrip()
    {
        QFETCH(float, width);
        QFETCH(float, height);
        FormFixture f;
        f.form.setOuterSizeTwips(width, height);
        QCoreApplication::processEvents();
        // The window takes the size the layout asks for (the minimum when below it) in pixels.
        const auto asked = FormLayout::plan(width, height, false);
        const double onePixel = Twips::fromPixels(1, &f.form);
        QTRY_VERIFY(qAbs(f.form.WidthTwips() - asked->windowWidth) < onePixel);
        QTRY_VERIFY(qAbs(f.form.HeightTwips() - asked->windowHeight) < onePixel);
        QTRY_COMPARE(f.form.SSTab1->geometry(), laidOut(f.form, &FormLayoutPlan::tabStrip));
        QCOMPARE(f.form.cmdFind->geometry(), laidOut(f.form, &FormLayoutPlan::find));
        QCOMPARE(f.form.cmdFindNext->geometry(), laidOut(f.form, &FormLayoutPlan::findNext));
        QCOMPARE(f.form.txtSearch->geometry(), laidOut(f.form, &FormLayoutPlan::search));
        for (int slot = 0; slot < form1::SlotCount; ++slot)
            QCOMPARE(f.editor(slot).size(), laidOut(f.form, &FormLayoutPlan::editors).size());
        QCOMPARE(f.form.fraButtons->geometry(), Twips::toPixels(75, 105, 1215, 1560, &f.form));
    }

private:
    // Where the layout puts a control for the size the window has, in the window's pixels.
    static QRect laidOut(const form1 &form, TwipsRect FormLayoutPlan::*control)
    {
        const TwipsRect rect
            = FormLayout::arrange(float(form.WidthTwips()), float(form.HeightTwips())).*control;
        return Twips::toPixels(rect.left, rect.top, rect.width, rect.height, &form);
    }
};

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
