// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/twips.h"
#include "support/formfixture.h"
#include "support/screenreader.h"

#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>

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
            QCOMPARE(f.caption(slot), form1::NoFileCaption);
        QCOMPARE(f.visibleSlot(), 0);
        QCOMPARE(f.form.fraButtons->title(), QString("Quick Bar"));
        QCOMPARE(f.form.cmdSaveAS->text(), QString("Save As"));
        QCOMPARE(f.form.focusWidget(), f.editor(0).focusProxy());
        QCOMPARE(f.form.SSTab1->height() > 0 ? f.form.SSTab1->focusProxy()->height() : 0,
                 Twips::toPixels(280, &f.form));
    }

    // Tab moves through the controls in this order (the other editors when they are shown).
    void tabOrder()
    {
        FormFixture f;
        for (int slot = 0; slot < form1::SlotCount; ++slot)
            f.editor(slot).setVisible(true);
        const QList<QWidget *> expected = { f.editor(0).focusProxy(), f.form.cmdOpen,
                                            f.form.cmdSave,           f.form.cmdSaveAS,
                                            f.form.txtSearch,         f.form.cmdFind,
                                            f.form.cmdFindNext,       f.form.SSTab1->focusProxy(),
                                            f.form.cmdClose,          f.editor(1).focusProxy(),
                                            f.editor(2).focusProxy(), f.editor(3).focusProxy() };
        QList<QWidget *> order;
        QWidget *widget = expected.first();
        do {
            if ((widget->focusPolicy() & Qt::TabFocus) && widget->isVisibleTo(&f.form))
                order.append(widget);
            widget = widget->nextInFocusChain();
        } while (widget != expected.first());
        QCOMPARE(order, expected);
    }

    // Files from the command line and files dropped on an editor open as the Open command
    // opens them, in order, with the same slots and messages.
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
        QCOMPARE(f.dialogs.messages[1], QString("No file loaded."));
        QCOMPARE(f.dialogs.messages[2], QString("Please close a file before opening another."));
        QCOMPARE(f.editor(0).Text(), QString("[a]")); // the drop did not type the names
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

        QTest::keyClick(editor, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), f.form.cmdOpen);
        editor->setFocus();
        QTest::keyClick(editor, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), f.form.cmdClose);

        QTest::keyClick(editor, Qt::Key_W, Qt::ControlModifier);
        QCOMPARE(f.caption(0), form1::NoFileCaption);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(!f.form.isVisible());
    }

    // A window system that keeps the window below the minimum must not make the layout spin.
    void windowCappedBelowTheMinimumIsLaidOutOnce()
    {
        FormFixture f;
        f.form.setMaximumSize(Twips::toPixels(5000, &f.form), Twips::toPixels(4000, &f.form));
        const int before = f.form.layoutPasses();
        QTest::qWait(1000);
        QVERIFY2(f.form.layoutPasses() - before < 5,
                 qPrintable(QString::number(f.form.layoutPasses())));
        const double w = f.form.WidthTwips(), h = f.form.HeightTwips();
        QVERIFY(w < 6500);
        QCOMPARE(f.form.SSTab1->geometry(), Twips::toPixels(1305, 45, w - 1490, h - 1420, &f.form));
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
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::addColumn<double>("laidOutWidth");
        QTest::addColumn<double>("laidOutHeight");
        QTest::newRow("large") << 12000.0 << 9000.0 << 12000.0 << 9000.0;
        QTest::newRow("too narrow") << 5000.0 << 8000.0 << 6500.0 << 8000.0;
        QTest::newRow("too low") << 8000.0 << 4000.0 << 8000.0 << 5000.0;
    }

    void searchRowFollowsTheTabStrip()
    {
        QFETCH(double, width);
        QFETCH(double, height);
        QFETCH(double, laidOutWidth);
        QFETCH(double, laidOutHeight);
        FormFixture f;
        f.form.setOuterSizeTwips(width, height);
        QCoreApplication::processEvents();
        const auto px = [&](double twips) { return Twips::toPixels(twips, &f.form); };
        // The window's size in whole pixels, back in twips, is what the layout works from.
        const double onePixel = Twips::fromPixels(1, &f.form);
        QTRY_VERIFY(qAbs(f.form.WidthTwips() - laidOutWidth) < onePixel);
        QTRY_VERIFY(qAbs(f.form.HeightTwips() - laidOutHeight) < onePixel);
        const double w = f.form.WidthTwips(), h = f.form.HeightTwips();
        QTRY_COMPARE(f.form.SSTab1->geometry(),
                     Twips::toPixels(1305, 45, w - 1490, h - 1420, &f.form));
        QCOMPARE(f.form.cmdFind->pos(), QPoint(px(w - 5010), px(h - 1320)));
        QCOMPARE(f.form.cmdFindNext->pos(), QPoint(px(w - 4290), px(h - 1320)));
        QCOMPARE(f.form.txtSearch->pos(), QPoint(px(w - 3290), px(h - 1320)));
        for (int slot = 0; slot < form1::SlotCount; ++slot)
            QCOMPARE(f.editor(slot).size(), f.editor(0).size());
        QCOMPARE(f.form.fraButtons->geometry(), Twips::toPixels(75, 105, 1215, 1560, &f.form));
    }
};

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
