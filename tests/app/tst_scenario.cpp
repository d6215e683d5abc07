// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/formfixture.h"
#include "support/screenreader.h"

#include <QLineEdit>

// A working session as a user would have it, checked on disk afterwards.
class TestScenario : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ScreenReader::startIfAsked(); }

    void dayOfWork()
    {
        FormFixture f;
        const QByteArray mailA = "; account A\r\n[Main]\r\nname = alpha\r\n";
        const QByteArray mailB = "[Main]\nname = beta\n";
        const QByteArray notes = "caf\xE9 notes\r\nsecond line";
        const QByteArray server = "\xEF\xBB\xBF[Server]\r\nport = 8080\r\n";
        const QByteArray fifth = "[Fifth]\r\nk = v\r\n";
        const QString a = f.write("north/mail.ini", mailA);
        const QString b = f.write("south/mail.ini", mailB);
        const QString n = f.write("north/NOTES.TXT", notes);
        const QString s = f.write("south/server.ini", server);
        const QString e = f.write("south/fifth.ini", fifth);

        for (const QString &path : { a, b, n, s })
            f.open(path);
        QCOMPARE(f.caption(0), QString("mail.ini"));
        QCOMPARE(f.caption(1), QString("mail.ini"));
        QCOMPARE(f.active(), 3);

        f.form.SSTab1->setTab(1); // the second mail.ini, from the south folder
        f.typeAtStart("; edited\n");
        f.form.cmdSave_Click();

        f.form.SSTab1->setTab(2);
        f.typeAtStart("more ");
        f.form.mnuSave_Click();

        f.form.SSTab1->setTab(0);
        f.form.cmdClose_Click();
        QCOMPARE(f.active(), 3);

        f.open(e);
        QCOMPARE(f.caption(0), QString("fifth.ini"));
        QCOMPARE(f.active(), 0);

        f.form.txtSearch->setText("K = V");
        f.form.cmdFind_Click();
        QCOMPARE(f.form.searchptr, 9); // CR and LF count as a character each
        QVERIFY(f.dialogs.messages.isEmpty());

        QCOMPARE(FormFixture::read(a), mailA);
        QCOMPARE(FormFixture::read(b), QByteArray("; edited\n") + mailB);
        QCOMPARE(FormFixture::read(n), QByteArray("more ") + notes);
        QCOMPARE(FormFixture::read(s), server);
        QCOMPARE(FormFixture::read(e), fifth);
        QCOMPARE(QDir(f.dir.path()).entryList(QDir::Files), QStringList());
        QCOMPARE(QDir(f.dir.filePath("north")).entryList(QDir::Files),
                 QStringList({ "mail.ini", "NOTES.TXT" }));
        QCOMPARE(QDir(f.dir.filePath("south")).entryList(QDir::Files),
                 QStringList({ "fifth.ini", "mail.ini", "server.ini" }));
    }
};

QTEST_MAIN(TestScenario)
#include "tst_scenario.moc"
