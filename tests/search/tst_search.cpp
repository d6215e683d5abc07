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
    // Find starts at the text's start, ignoring case; Find Next goes on from the last match; a
    // miss says so and keeps the position the search came to.
    void findAndFindNext_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("found"); // searched with Find, then Find Next
        QTest::addColumn<int>("afterFind");
        QTest::addColumn<int>("afterNext");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("then a miss")
            << QByteArray("abc") << "b" << 1 << 2 << QStringList { "b not found." };
        QTest::newRow("at the very start")
            << QByteArray("abc abc") << "A" << 0 << 4 << QStringList();
        QTest::newRow("a miss at once") << QByteArray("x alpha beta") << "gamma" << 0 << 1
                                        << QStringList { "gamma not found.", "gamma not found." };
    }

    void findAndFindNext()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, found);
        QFETCH(int, afterFind);
        QFETCH(int, afterNext);
        FormFixture f;
        f.open(f.write("a.txt", text));
        f.form.searchptr = 5; // Find starts from the start, wherever the last search ended
        search(f, found);
        f.form.cmdFind_Click();
        QCOMPARE(f.form.searchptr, afterFind);
        if (QString::fromUtf8(text).contains(found, Qt::CaseInsensitive))
            QCOMPARE(f.editor(0).SelStart(), afterFind);
        f.form.cmdFindNext_Click();
        QCOMPARE(f.form.searchptr, afterNext);
        QTEST(f.dialogs.messages, "messages");
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
