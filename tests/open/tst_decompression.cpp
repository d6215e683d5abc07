// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "bini/biniformat.h"
#include "open/decompression.h"
#include "open/decompressionprogress.h"
#include "open/decompressionunderway.h"
#include "support/formfixture.h"
#include "support/steppingclock.h"
#include "system/hiddenprocess.h"
#include "system/timer.h"

#include <QLineEdit>
#include <sys/stat.h>

class TestDecompression : public QObject
{
    Q_OBJECT

    const QByteArray m_text
        = "[Main]\r\nname = alpha, 12.5\r\n\r\n[Server]\r\nhost = mail.example.org\r\n";

    QString writeCompressed(FormFixture &f, const QString &name)
    {
        return f.write(name, *BiniFormat::pack(m_text));
    }

    // A small compressed file of some `megabytes` of text: each entry repeats one long string,
    // which keeps the decompressor busy for a while.
    static QByteArray expandingTo(int megabytes)
    {
        const auto put = [](QByteArray &out, quint32 value, int bytes) {
            for (int i = 0; i < bytes; ++i)
                out.append(char((value >> (8 * i)) & 0xFF));
        };
        const int entries = megabytes / 15; // 255 values of 60,000 bytes each
        const QByteArray table = QByteArray(60000, 'x') + '\0' + QByteArray("s", 2);
        const quint32 name = 60001, value = 0;
        QByteArray body;
        put(body, name, 2);
        put(body, quint32(entries), 2);
        for (int entry = 0; entry < entries; ++entry) {
            put(body, name, 2);
            put(body, 255, 1);
            for (int i = 0; i < 255; ++i) {
                put(body, 3, 1);
                put(body, value, 4);
            }
        }
        QByteArray file("BINI");
        put(file, 1, 4);
        put(file, quint32(12 + body.size()), 4);
        return file + body + table;
    }

    // How many of Morvane's decompressors are at work in `folder`.
    static int decompressorsIn(const QString &folder)
    {
        const QString canonical = QFileInfo(folder).canonicalFilePath();
        int count = 0;
        for (const QString &pid : QDir("/proc").entryList(QDir::Dirs)) {
            const QString process = "/proc/" + pid;
            // A process that ended has no program and no folder left to read.
            count += QFileInfo(process + "/exe").symLinkTarget() == DecompressorPath()
                && QFileInfo(process + "/cwd").symLinkTarget() == canonical;
        }
        return count;
    }

    // Waits for the decompressor to end, then lets the pick-up timer fire.
    static void pickUp(FormFixture &f)
    {
        QTRY_VERIFY(!f.form.decompression().process->isRunning());
        f.form.Timer2_Timer();
    }

private slots:
    void cleanup()
    {
        qunsetenv("TMPDIR");
        qunsetenv("XDG_RUNTIME_DIR");
    }

    void opensACompressedFile()
    {
        FormFixture f;
        QTemporaryDir privateTemp; // nothing may be left in the private folder either
        qputenv("XDG_RUNTIME_DIR", privateTemp.path().toLocal8Bit());
        f.open(f.write("plain.ini", "[p]"));
        const QString path = writeCompressed(f, "data.ini");
        const QString notes = f.write("data.ini.txt", "the user's own notes");
        const QStringList folder = QDir(f.dir.path()).entryList(QDir::AllEntries | QDir::Hidden);
        f.open(path);
        QVERIFY(f.form.Timer2->Enabled());
        QCOMPARE(f.form.Timer2->Interval(), 1000);
        QCOMPARE(f.form.windowTitle(), form1::RunCaption);
        pickUp(f);
        QVERIFY(!f.form.Timer2->Enabled());
        QCOMPARE(f.caption(1), QString("data.ini"));
        QCOMPARE(f.active(), 1);
        QCOMPARE(f.form.CurrentFile, QString("data.ini"));
        QCOMPARE(f.editor(1).Text(), QString::fromLatin1(m_text));
        QVERIFY(f.dialogs.messages.isEmpty());
        QCOMPARE(FormFixture::read(notes), QByteArray("the user's own notes"));
        QCOMPARE(QDir(f.dir.path()).entryList(QDir::AllEntries | QDir::Hidden), folder);
        const QStringList left = FormFixture::everythingIn(privateTemp.path());
        QCOMPARE(left.size(), 1); // the run's folder, empty until the window goes
        QVERIFY(left[0].startsWith("morvane-run-"));

        f.form.cmdSave_Click(); // plain text over the compressed file, as the About box warns
        QCOMPARE(FormFixture::read(path), m_text);
    }

    // A text that arrives while the user works in another tab, or in the search box, is placed
    // beside it: the keys stay where they are typed, and Save writes the document in sight.
    void arrivalLeavesTheUserWhereTheyWork_data()
    {
        QTest::addColumn<QString>("workIn");
        QTest::newRow("editor") << "editor";
        QTest::newRow("search box") << "search";
    }

    void arrivalLeavesTheUserWhereTheyWork()
    {
        QFETCH(QString, workIn);
        FormFixture f;
        SteppingClock clock; // long enough for any progress to show
        f.form.setClock(clock);
        const QString plain = f.write("plain.ini", "[p]\n");
        f.open(plain);
        f.form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f.form));
        f.open(writeCompressed(f, "data.ini"));
        QWidget *typing = workIn == "editor" ? f.editor(0).focusProxy()
                                             : static_cast<QWidget *>(f.form.txtSearch);
        typing->setFocus();
        QTest::keyClicks(typing, "ab");
        pickUp(f);
        QCOMPARE(f.caption(1), QString("data.ini"));
        QVERIFY(f.form.SSTab1->hasTabMark(1, SSTab::Arrived));
        QCOMPARE(f.active(), 0);
        QCOMPARE(f.form.CurrentFile, QString("plain.ini"));
        QCOMPARE(QApplication::focusWidget(), typing);
        QVERIFY(!f.dialogs.progressShown.contains("Opening data.ini")); // it would take the keys
        QTest::keyClicks(QApplication::focusWidget(), "c");
        f.form.cmdSave_Click();
        QCOMPARE(FormFixture::read(plain),
                 workIn == "editor" ? QByteArray("abc[p]\n") : QByteArray("[p]\n"));
        f.form.SSTab1->setTab(1);
        QVERIFY(!f.form.SSTab1->hasTabMark(1, SSTab::Arrived));
    }

    void reportsABrokenFile()
    {
        FormFixture f;
        const QString path
            = f.write("broken.ini", QByteArray("BINI\x01\x00\x00\x00\xff\xff\x00\x00", 12));
        f.open(path);
        pickUp(f);
        QCOMPARE(f.dialogs.messages.size(), 1);
        QVERIFY2(f.dialogs.messages[0].startsWith("Could not open " + QDir::toNativeSeparators(path)
                                                  + ": bini: broken.ini: "),
                 qPrintable(f.dialogs.messages[0]));
        QCOMPARE(f.caption(0), form1::noFileCaption());
        QVERIFY(!f.form.Timer2->Enabled());
        QCOMPARE(f.form.windowTitle(), form1::RunCaption);
        QVERIFY(!QFile::exists(path + ".txt"));
    }

    // A decompressor that fails without a word is still reported with a reason.
    void namesWhyThereIsNoText_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("reason");
        QTest::newRow("silent") << "exit 3"
                                << "the decompressor wrote no text (exit code 3)";
        QTest::newRow("silent success") << "exit 0"
                                        << "the decompressor wrote no text (exit code 0)";
        QTest::newRow("its own words") << "echo 'bad header' >&2; exit 1"
                                       << "bad header";
        QTest::newRow("its words about Morvane's own file")
            << "echo 'bini: /private/decompressed.txt: No space left on device' >&2; exit 1"
            << "bini: data.ini: No space left on device";
    }

    void namesWhyThereIsNoText()
    {
        QFETCH(QString, script);
        HiddenProcess process;
        QVERIFY(process.start("/bin/sh", { "-c", script }, QDir::currentPath()));
        QTRY_VERIFY(!process.isRunning());
        QTEST(
            DecompressorFailure(process, false, "/private/decompressed.txt", "/home/user/data.ini"),
            "reason");
    }

    // An unusable temporary folder is named in the message, with the system's reason.
    void reportsAnUnusableTemporaryFolder_data()
    {
        QTest::addColumn<bool>("missing"); // else a file stands where the folder should
        QTest::newRow("a file") << false;
        QTest::newRow("missing") << true;
    }

    void reportsAnUnusableTemporaryFolder()
    {
        QFETCH(bool, missing);
        FormFixture f;
        const QString folder
            = missing ? f.dir.filePath("no-such-folder") : f.write("not-a-folder", "x");
        qunsetenv("XDG_RUNTIME_DIR");
        qputenv("TMPDIR", folder.toLocal8Bit());
        f.open(f.write("plain.ini", "[p]"));
        f.open(writeCompressed(f, "data.ini"));
        QCOMPARE(f.dialogs.messages.size(), 2);
        const QString reason = missing ? "No such file or directory" : "Not a directory";
        for (const QString &message : f.dialogs.messages)
            QVERIFY2(message.endsWith(": the temporary folder " + QDir::toNativeSeparators(folder)
                                      + " cannot be used (" + reason + ")."),
                     qPrintable(message));
        QCOMPARE(f.caption(0), form1::noFileCaption());
        QVERIFY(!f.form.Timer2->Enabled());
    }

    void neverRunsAProgramBesideTheFile()
    {
        FormFixture f;
        const QString path = writeCompressed(f, "data.ini");
        const QString trap = f.write("bini", "#!/bin/sh\ntouch ran-the-trap\n");
        const QString trapExe = f.write("bini.exe", "#!/bin/sh\ntouch ran-the-trap\n");
        for (const QString &program : { trap, trapExe })
            chmod(program.toLocal8Bit().constData(), 0755);
        f.open(path);
        pickUp(f);
        QVERIFY(!QFile::exists(f.dir.filePath("ran-the-trap")));
        QCOMPARE(f.caption(0), QString("data.ini"));
        QCOMPARE(FormFixture::read(trap), QByteArray("#!/bin/sh\ntouch ran-the-trap\n"));
    }

    void closeWhileWaitingKeepsThePickUp()
    {
        FormFixture f;
        f.open(writeCompressed(f, "data.ini"));
        f.form.cmdClose_Click();
        pickUp(f);
        QCOMPARE(f.caption(0), QString("data.ini"));
        QVERIFY(f.dialogs.messages.isEmpty());
    }

    void secondCompressedFileWaitsItsTurn()
    {
        FormFixture f;
        f.open(writeCompressed(f, "first.ini"));
        f.open(writeCompressed(f, "second.ini"));
        QCOMPARE(f.dialogs.messages.size(), 1);
        QVERIFY(f.dialogs.messages[0].contains("first.ini"));
        pickUp(f);
        QCOMPARE(f.caption(0), QString("first.ini"));
        QCOMPARE(f.caption(1), form1::noFileCaption());
        f.open(writeCompressed(f, "second.ini"));
        pickUp(f);
        QCOMPARE(f.caption(1), QString("second.ini"));
    }

    // Named together (the command line, a drop), every file opens in the order given, each
    // compressed one waiting for the one before, and one that fails does not stop the rest.
    void filesNamedTogetherOpenInOrder()
    {
        FormFixture f;
        const QString broken
            = f.write("broken.ini", QByteArray("BINI\x01\x00\x00\x00\xff\xff\x00\x00", 12));
        f.form.OpenFiles({ writeCompressed(f, "first.ini"), f.write("plain.ini", "[p]"), broken,
                           writeCompressed(f, "second.ini") });
        QCOMPARE(f.caption(0), form1::noFileCaption());
        pickUp(f);
        QCOMPARE(f.caption(0), QString("first.ini"));
        QCOMPARE(f.caption(1), QString("plain.ini"));
        pickUp(f); // broken.ini, given up
        QCOMPARE(f.dialogs.messages.size(), 1);
        QVERIFY(f.dialogs.messages[0].startsWith("Could not open "));
        pickUp(f);
        QCOMPARE(f.caption(2), QString("second.ini"));
        QCOMPARE(f.editor(2).Text(), QString::fromLatin1(m_text));
        QCOMPARE(f.dialogs.messages.size(), 1);
    }

    void saveBeforeThePickUpCannotHitTheCompressedFile()
    {
        FormFixture f;
        const QString path = writeCompressed(f, "data.ini");
        const QByteArray compressed = FormFixture::read(path);
        f.open(path);
        f.typeAtStart("typed");
        f.form.cmdSave_Click(); // no file behind the slot: Save As, cancelled here
        QCOMPARE(f.dialogs.saveAsked, 1);
        QCOMPARE(FormFixture::read(path), compressed);
        pickUp(f);
        QCOMPARE(f.caption(1), QString("data.ini"));
    }

    // Exit while the decompressor works: it is stopped before the private folder goes, and
    // neither its text nor the folder is left.
    void exitDuringADecompressionLeavesNothing()
    {
        QTemporaryDir privateTemp;
        qputenv("XDG_RUNTIME_DIR", privateTemp.path().toLocal8Bit());
        {
            FormFixture f;
            f.open(f.write("large.ini", expandingTo(120)));
            QTRY_COMPARE(decompressorsIn(f.dir.path()), 1);
            f.form.mnuExit_Click();
            QCOMPARE(decompressorsIn(f.dir.path()), 0);
            QVERIFY(!f.form.Timer2->Enabled());
            QCOMPARE(FormFixture::everythingIn(privateTemp.path()).size(), 1); // the run's, empty
        }
        QCOMPARE(FormFixture::everythingIn(privateTemp.path()), QStringList());
    }

    // Given up while the decompressor works or while its text opens: the decompressor is
    // stopped, nothing it wrote is kept, and the file named after it opens as if it had failed.
    void givenUpDecompressionLeavesNothing_data()
    {
        QTest::addColumn<bool>("whileOpening");
        QTest::addColumn<int>("megabytes");
        QTest::newRow("uncompressing") << false << 120;
        QTest::newRow("opening its text") << true << 15;
    }

    void givenUpDecompressionLeavesNothing()
    {
        QFETCH(bool, whileOpening);
        QFETCH(int, megabytes);
        QTemporaryDir privateTemp;
        qputenv("XDG_RUNTIME_DIR", privateTemp.path().toLocal8Bit());
        FormFixture f;
        SteppingClock clock;
        f.form.setClock(clock);
        f.form.OpenFiles(
            { f.write("large.ini", expandingTo(megabytes)), f.write("next.txt", "n") });
        QVERIFY(f.form.Timer2->Enabled());
        if (whileOpening) {
            QTRY_VERIFY(!f.form.decompression().process->isRunning());
            f.dialogs.cancelAt = 0.5;
            f.form.Timer2_Timer();
        } else {
            f.dialogs.cancelAt = 0;
            while (f.dialogs.progressShown.isEmpty())
                f.form.decompression().progress->update();
        }
        const QStringList left = FormFixture::everythingIn(privateTemp.path());
        qunsetenv("XDG_RUNTIME_DIR");

        QVERIFY(f.dialogs.progressShown.contains(whileOpening ? "Opening large.ini"
                                                              : "Uncompressing large.ini"));
        QVERIFY(f.dialogs.messages.isEmpty());
        QCOMPARE(decompressorsIn(f.dir.path()), 0);
        QVERIFY(!f.form.Timer2->Enabled());
        QVERIFY(!f.form.decompression().progress->shown());
        QCOMPARE(f.form.windowTitle(), form1::RunCaption);
        QCOMPARE(f.caption(0), QString("next.txt"));
        QCOMPARE(f.caption(1), form1::noFileCaption());
        QCOMPARE(left.size(), 1); // the run's folder, and nothing in it
    }

    // A decompressor still at work when the time is up is stopped, and the open given up. The
    // ticks come faster than seconds here; between them the event loop runs, as it would, so
    // that the decompressor's end would be seen.
    void givesUpOnADecompressorThatNeverEnds()
    {
        FormFixture f;
        StartDecompression(f.form, f.write("large.ini", expandingTo(900)));
        for (int second = 1; second < DecompressionTimeoutSeconds; ++second) {
            QTest::qWait(5);
            QVERIFY(f.form.decompression().process->isRunning());
            f.form.Timer2_Timer();
            QVERIFY(f.dialogs.messages.isEmpty());
        }
        f.form.Timer2_Timer();
        QCOMPARE(f.dialogs.messages.size(), 1);
        QVERIFY(f.dialogs.messages[0].contains("did not finish within 30 seconds"));
        QVERIFY(!f.form.decompression().process->isRunning());
        QVERIFY(!f.form.Timer2->Enabled());
        QCOMPARE(f.caption(0), form1::noFileCaption());
    }
};

QTEST_MAIN(TestDecompression)
#include "tst_decompression.moc"
