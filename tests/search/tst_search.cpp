// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/formfixture.h"

#include <QLineEdit>

class TestSearch : public QObject
{
    Q_OBJECT

    void search(FormFixture &f, const QString &text) { f.form.txtSearch->setText(text); }

private slots:
    void findThenFindNext()
    {
        FormFixture f;
        f.open(f.write("a.txt", "abc"));
        search(f, "b");
        f.form.cmdFind_Click();
        QCOMPARE(f.form.searchptr, 1);
        QCOMPARE(f.editor(0).SelStart(), 1);
        QCOMPARE(f.editor(0).SelLength(), 1);
        f.form.cmdFindNext_Click();
        QCOMPARE(f.dialogs.messages, QStringList { "b not found." });
        QCOMPARE(f.form.searchptr, 2); // the miss keeps the advanced position
    }

    void findsTextAtTheVeryStart()
    {
        FormFixture f;
        f.open(f.write("a.txt", "abc abc"));
        search(f, "A");
        f.form.cmdFind_Click();
        QCOMPARE(f.form.searchptr, 0);
        QVERIFY(f.dialogs.messages.isEmpty());
        f.form.cmdFindNext_Click();
        QCOMPARE(f.form.searchptr, 4);
        QCOMPARE(f.editor(0).SelStart(), 4);
    }

    void missLeavesThePositionAlone()
    {
        FormFixture f;
        f.open(f.write("a.txt", "x alpha beta"));
        search(f, "ALPHA");
        f.form.cmdFind_Click();
        QCOMPARE(f.form.searchptr, 2);
        search(f, "gamma");
        f.form.cmdFind_Click();
        QCOMPARE(f.dialogs.messages, QStringList { "gamma not found." });
        QCOMPARE(f.form.searchptr, 0);
    }

    void enterInTheSearchBoxFinds()
    {
        FormFixture f;
        f.open(f.write("a.txt", QByteArray("line one\r\nline \xC3\xA9t\xC3\xA9\r\n")));
        f.form.txtSearch->setFocus();
        f.form.txtSearch->setText(QString::fromUtf8("\u00C9T\u00C9").toLower());
        QTest::keyClick(f.form.txtSearch, Qt::Key_Return);
        QCOMPARE(f.form.searchptr, 15);
        QCOMPARE(f.form.txtSearch->text(), QString::fromUtf8("\u00E9t\u00E9"));
        QVERIFY(f.dialogs.messages.isEmpty());
    }

    void searchesTheActiveEditor()
    {
        FormFixture f;
        f.open(f.write("a.txt", "needle"));
        f.open(f.write("b.txt", "hay"));
        search(f, "needle");
        f.form.cmdFind_Click();
        QCOMPARE(f.dialogs.messages, QStringList { "needle not found." });
        f.form.SSTab1->setTab(0);
        f.form.cmdFind_Click();
        QCOMPARE(f.dialogs.messages.size(), 1);
    }
};

QTEST_MAIN(TestSearch)
#include "tst_search.moc"
