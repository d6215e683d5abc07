// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "open/opencommand.h"
#include "support/addressspacelimit.h"
#include "support/formfixture.h"
#include "support/steppingclock.h"

#include <QAccessible>
#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

Q_DECLARE_METATYPE(Dialogs::SaveChoice)

class TestWorkspace : public QObject
{
    Q_OBJECT

private slots:
    void placesIntoTheFirstEmptySlotAndActivatesIt()
    {
        FormFixture f;
        f.open(f.write("one.ini", "[a]\r\n"));
        f.open(f.write("two.txt", "text\r\n"));
        QCOMPARE(f.caption(0), QString("one.ini"));
        QCOMPARE(f.caption(1), QString("two.txt"));
        QCOMPARE(f.active(), 1);
        QCOMPARE(f.visibleSlot(), 1);
        QCOMPARE(f.form.CurrentFile, QString("two.txt"));
        QCOMPARE(f.editor(1).Text(), QString("text\r\n"));
        QVERIFY(f.dialogs.messages.isEmpty());
    }

    void fifthFileIsRefused()
    {
        FormFixture f;
        for (int i = 0; i < 4; ++i)
            f.open(f.write(QString("f%1.ini").arg(i), "x=" + QByteArray::number(i)));
        f.form.SSTab1->setTab(2);
        f.open(f.write("fifth.ini", "y"));
        QCOMPARE(f.dialogs.messages, QStringList { "Please close a file before opening another." });
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(f.caption(i), QString("f%1.ini").arg(i));
            QCOMPARE(f.editor(i).Text(), "x=" + QString::number(i));
        }
        QCOMPARE(f.active(), 2);
        QCOMPARE(f.form.CurrentFile, QString("f2.ini"));
    }

    void reusesAFreedSlot()
    {
        FormFixture f;
        for (const char *name : { "a.ini", "b.ini", "c.ini" })
            f.open(f.write(name, name));
        f.form.SSTab1->setTab(1);
        f.form.cmdClose_Click();
        QCOMPARE(f.caption(1), form1::noFileCaption());
        f.open(f.write("d.ini", "d"));
        QCOMPARE(f.caption(1), QString("d.ini"));
        QCOMPARE(f.active(), 1);
    }

    void closeShowsTheHighestLoadedSlot()
    {
        FormFixture f;
        f.open(f.write("a.ini", "a"));
        f.open(f.write("b.ini", "b"));
        f.open(f.write("c.ini", "c"));
        f.form.SSTab1->setTab(1);
        f.form.mnuClose_Click();
        QCOMPARE(f.active(), 2);
        QCOMPARE(f.visibleSlot(), 2);
        QCOMPARE(f.form.CurrentFile, QString("c.ini"));
        QVERIFY(!f.editor(1).hasText());
    }

    void closingTheOnlySlotLeavesItEmpty()
    {
        FormFixture f;
        f.open(f.write("a.ini", "a"));
        f.form.cmdClose_Click();
        QCOMPARE(f.active(), 0);
        QCOMPARE(f.caption(0), form1::noFileCaption());
        QCOMPARE(f.form.CurrentFile, QString());
        QVERIFY(f.form.IniLines.isEmpty());
        QCOMPARE(f.visibleSlot(), 0);
    }

    void clickingAnEmptyTab()
    {
        FormFixture f;
        f.form.SSTab1->setTab(3);
        QCOMPARE(f.form.CurrentFile, form1::noFileCaption());
        QCOMPARE(f.visibleSlot(), 3);
    }

    void saveWritesTheSlotsOwnFile()
    {
        FormFixture f;
        const QString first = f.write("one/same.ini", "[one]\r\n");
        const QString second = f.write("two/same.ini", "[two]\r\n");
        f.open(first);
        f.open(second);
        f.typeAtStart("x");
        f.form.cmdSave_Click();
        QCOMPARE(FormFixture::read(second), QByteArray("x[two]\r\n"));
        QCOMPARE(FormFixture::read(first), QByteArray("[one]\r\n"));
        QVERIFY(!QFile::exists(QDir::current().filePath("same.ini")));
    }

    void saveAsLeavesTheTabOnItsOwnFile()
    {
        FormFixture f;
        const QString original = f.write("orig.ini", "a=1\n");
        const QString copy = f.dir.filePath("elsewhere/copy.ini");
        QDir().mkpath(QFileInfo(copy).absolutePath());
        f.open(original);
        f.dialogs.saveAnswers << copy;
        f.form.mnuSaveAs_Click();
        QCOMPARE(FormFixture::read(copy), QByteArray("a=1\n"));
        QCOMPARE(f.caption(0), QString("orig.ini"));
        f.typeAtStart("b");
        f.form.mnuSave_Click();
        QCOMPARE(FormFixture::read(original), QByteArray("ba=1\n"));
        QCOMPARE(FormFixture::read(copy), QByteArray("a=1\n"));
    }

    void saveWithoutAFileAsksForOne()
    {
        FormFixture f;
        f.typeAtStart("typed");
        f.form.cmdSave_Click(); // cancelled: nothing written, nothing said
        QCOMPARE(f.dialogs.saveAsked, 1);
        QVERIFY(f.dialogs.messages.isEmpty());
        const QString target = f.dir.filePath("new.ini");
        f.dialogs.saveAnswers << target;
        f.form.cmdSave_Click();
        QCOMPARE(FormFixture::read(target), QByteArray("typed"));

        f.form.SSTab1->setTab(2); // an empty slot: the empty text goes to the chosen file
        const QString empty = f.write("empty.ini", "old");
        f.dialogs.saveAnswers << empty;
        f.form.cmdSave_Click();
        QCOMPARE(FormFixture::read(empty), QByteArray());

        const QString emptied = f.write("emptied.ini", "kept");
        f.open(emptied); // a slot whose text the user deleted asks too, and keeps its file
        QTest::keyClick(f.editor(f.active()).focusProxy(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(f.editor(f.active()).focusProxy(), Qt::Key_Delete);
        QVERIFY(!f.editor(f.active()).hasText());
        f.form.cmdSave_Click();
        QCOMPARE(f.dialogs.saveAsked, 4);
        QCOMPARE(FormFixture::read(emptied), QByteArray("kept"));
    }

    // The longest name a file system allows still saves, in place and keeping its permissions.
    void savesAFileWithTheLongestName()
    {
        FormFixture f;
        const QString name = "ab" + QString(83, QChar(0x8A2D)) + ".ini";
        QCOMPARE(QFile::encodeName(name).size(), 255);
        const QString path = f.write(name, "a=1\n");
        const auto permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner
            | QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ReadGroup;
        QVERIFY(QFile::setPermissions(path, permissions));
        f.open(path);
        f.typeAtStart("b");
        f.form.cmdSave_Click();
        QCOMPARE(f.dialogs.messages, QStringList());
        QCOMPARE(FormFixture::read(path), QByteArray("ba=1\n"));
        QCOMPARE(QFile::permissions(path), permissions);
        QCOMPARE(QDir(f.dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList { name });
    }

    // A name typed without an extension takes the chosen type's, so the file opens again.
    void saveAsAddsTheTypesExtension_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::newRow("Morvane") << "Morvane (*.ini *.txt)"
                                 << "settings"
                                 << "settings.ini";
        QTest::newRow("INI") << "INI (*.ini)"
                             << "settings"
                             << "settings.ini";
        QTest::newRow("Text") << "Text (*.txt)"
                              << "notes"
                              << "notes.txt";
        QTest::newRow("All Files") << "All Files (*)"
                                   << "raw"
                                   << "raw";
        QTest::newRow("own extension") << "INI (*.ini)"
                                       << "keep.cfg"
                                       << "keep.cfg";
    }

    void saveAsAddsTheTypesExtension()
    {
        QFETCH(QString, type);
        QFETCH(QString, typed);
        QFETCH(QString, written);
        FormFixture f;
        f.open(f.write("a.ini", "a=1"));
        f.dialogs.saveTypes << type;
        f.dialogs.saveAnswers << f.dir.filePath(typed);
        f.form.cmdSaveAS_Click();
        QCOMPARE(FormFixture::read(f.dir.filePath(written)), QByteArray("a=1"));
    }

    void failedSaveIsReported()
    {
        FormFixture f;
        f.open(f.write("a.ini", "a"));
        const QString blocked = f.write("file", "x") + "/b.ini";
        f.dialogs.saveAnswers << blocked;
        f.form.cmdSaveAS_Click();
        QCOMPARE(f.dialogs.messages.size(), 1);
        QVERIFY(f.dialogs.messages[0].startsWith("Could not save "
                                                 + QDir::toNativeSeparators(blocked) + ": "));
        QVERIFY(f.dialogs.messages[0].endsWith("."));
    }

    void openRoutesByName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("message");

        QTest::newRow("upper-case ini") << "SERVER.INI" << QByteArray("[s]") << "SERVER.INI"
                                        << "";
        QTest::newRow("upper-case txt") << "NOTES.TXT" << QByteArray("n") << "NOTES.TXT"
                                        << "";
        QTest::newRow("empty ini") << "empty.ini" << QByteArray() << "empty.ini"
                                   << "";
        QTest::newRow("short ini") << "short.ini" << QByteArray("BI") << "short.ini"
                                   << "";
        QTest::newRow("plain ini whose first key starts with the magic")
            << "plain.ini" << QByteArray("BINIT = 1\r\n") << "plain.ini"
            << "";
        QTest::newRow("other name") << "notes.doc" << QByteArray("x") << "No File"
                                    << "No file loaded.";
    }

    void openRoutesByName()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        FormFixture f;
        f.open(f.write(name, bytes));
        QTEST(f.caption(0), "caption");
        QCOMPARE(f.dialogs.messages, message.isEmpty() ? QStringList() : QStringList { message });
    }

    // A failed open says why, quickly, and leaves every slot as it was.
    void failedOpenChangesNothing_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason"); // a part of the message
        QTest::newRow("folder") << "folder"
                                << "";
        QTest::newRow("missing") << "missing"
                                 << "No such file or directory";
        QTest::newRow("FIFO") << "fifo"
                              << "it is not a regular file";
        QTest::newRow("device") << "device"
                                << "it is not a regular file";
        QTest::newRow("larger than an editor holds") << "huge"
                                                     << "more than the";
        QTest::newRow("larger than memory allows") << "limit"
                                                   << "needs about";
        QTest::newRow("UTF-16 cut short") << "utf-16"
                                          << "not valid UTF-16";
    }

    void failedOpenChangesNothing()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        FormFixture f;
        f.open(f.write("kept.ini", "k"));
        const QString path = f.dir.filePath(kind + ".ini");
        const QByteArray name = QFile::encodeName(path);
        if (kind == "folder") {
            QDir().mkpath(path);
        } else if (kind == "fifo") {
            QCOMPARE(::mkfifo(name.constData(), 0600), 0);
        } else if (kind == "device") { // a scratch node, never the machine's own
            if (::geteuid() != 0)
                QSKIP("making a device node needs root");
            QCOMPARE(::mknod(name.constData(), S_IFCHR | 0666, makedev(1, 5)), 0);
        } else if (kind == "utf-16") {
            f.write(kind + ".ini", QByteArray("\xFF\xFEk\0=\0v", 7));
        } else if (kind == "huge" || kind == "limit") { // sparse: no disk space taken
            if (kind == "limit" && !AddressSpaceLimit::possible)
                QSKIP("the sanitizer reserves address space of its own");
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly)
                    && file.resize(kind == "huge" ? LargestFileSize * 3 / 2 : 200 << 20));
        }
        {
            const AddressSpaceLimit limit(kind == "limit" ? 300 << 20 : 0);
            f.open(path);
        }
        QCOMPARE(f.dialogs.messages.size(), 1);
        QVERIFY2(f.dialogs.messages[0].startsWith("Could not open " + QDir::toNativeSeparators(path)
                                                  + ": ")
                     && f.dialogs.messages[0].contains(reason),
                 qPrintable(f.dialogs.messages[0]));
        QCOMPARE(f.caption(0), QString("kept.ini"));
        QCOMPARE(f.caption(1), form1::noFileCaption());
        QCOMPARE(f.active(), 0);
    }

    // Long work shows its progress, moving with the work; given up by Cancel or by closing the
    // window, an open leaves every slot, caption and folder as it was.
    void givenUpOpenLeavesEverythingAsItWas_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<double>("cancelAt");
        QTest::addColumn<bool>("byClosing");
        QTest::newRow("converting") << 300'000 << 0.1 << false;
        QTest::newRow("loading") << 300'000 << 0.6 << false;
        QTest::newRow("loading on two threads") << 6'000'000 << 0.6 << false;
        QTest::newRow("closing the window") << 6'000'000 << 0.6 << true;
        QTest::newRow("not given up") << 6'000'000 << 2.0 << false;
    }

    void givenUpOpenLeavesEverythingAsItWas()
    {
        QFETCH(int, size);
        QFETCH(double, cancelAt);
        QFETCH(bool, byClosing);
        QTemporaryDir privateTemp;
        qputenv("XDG_RUNTIME_DIR", privateTemp.path().toLocal8Bit());
        FormFixture f;
        SteppingClock clock;
        f.form.setClock(clock);
        f.open(f.write("kept.ini", "k=1\n"));
        f.dialogs.progressShown.clear();
        f.dialogs.fractionsShown.clear();
        QByteArray text;
        while (text.size() < size)
            text += "[s]\r\nkey" + QByteArray::number(text.size()) + " = value\r\n";
        f.dialogs.cancelAt = cancelAt;
        if (byClosing)
            f.dialogs.instead = [&f] { f.form.close(); };
        f.open(f.write("big.ini", text));
        const bool opened = cancelAt > 1;
        const QStringList left = FormFixture::everythingIn(privateTemp.path());
        qunsetenv("XDG_RUNTIME_DIR");

        QCOMPARE(f.dialogs.progressShown, QStringList { "Opening big.ini" });
        QVERIFY(f.dialogs.fractionsShown.size() > 2);
        QVERIFY(std::is_sorted(f.dialogs.fractionsShown.cbegin(), f.dialogs.fractionsShown.cend()));
        QVERIFY(f.dialogs.messages.isEmpty());
        QCOMPARE(f.caption(0), QString("kept.ini"));
        QCOMPARE(f.caption(1), opened ? QString("big.ini") : form1::noFileCaption());
        QCOMPARE(f.editor(1).hasText(), opened);
        QCOMPARE(f.active(), opened ? 1 : 0);
        QVERIFY(f.form.IniLines.joined().isEmpty());
        QCOMPARE(left.size(), 1); // the run's folder, and no document in it
        QVERIFY(!f.form.busy());
        QTRY_COMPARE(f.form.isVisible(), !byClosing);
        if (!opened) { // and the same file opens afterwards
            f.open(f.dir.filePath("big.ini"));
            QCOMPARE(f.editor(1).utf8Text(), text);
        }
    }

    // A save given up leaves the old file whole, whichever way it writes, and says that the file
    // was not saved.
    void givenUpSaveLeavesTheFileWhole_data()
    {
        QTest::addColumn<bool>("inPlace");
        QTest::newRow("replaced") << false;
        QTest::newRow("written in place") << true; // a second hard link keeps the same file
    }

    void givenUpSaveLeavesTheFileWhole()
    {
        QFETCH(bool, inPlace);
        FormFixture f;
        SteppingClock clock;
        f.form.setClock(clock);
        const QByteArray text = QByteArray("key = value\n").repeated(1'000'000);
        const QString path = f.write("big.ini", text);
        if (inPlace)
            QCOMPARE(::link(QFile::encodeName(path), QFile::encodeName(path + ".link")), 0);
        f.open(path);
        f.typeAtStart("x");
        f.dialogs.progressShown.clear();
        f.dialogs.cancelAt = 0.75; // in place, the copy of the old contents is the first half
        f.form.cmdSave_Click();
        QCOMPARE(f.dialogs.progressShown,
                 QStringList { "Saving " + QDir::toNativeSeparators(path) });
        QCOMPARE(f.dialogs.messages,
                 QStringList { QDir::toNativeSeparators(path) + " was not saved." });
        // Written in place, the way back puts the old text back, and says so; no Cancel then.
        QCOMPARE(f.dialogs.undoingShown,
                 inPlace ? QStringList { "Putting the old contents of "
                                         + QDir::toNativeSeparators(path) + " back" }
                         : QStringList());
        QVERIFY(FormFixture::read(path) == text);
        QCOMPARE(QDir(f.dir.path()).entryList(QDir::Files | QDir::Hidden).size(), inPlace ? 2 : 1);
        QVERIFY(f.editor(0).utf8Text().startsWith("xkey"));
        f.form.cmdSave_Click(); // in full the next time, without a question
        QVERIFY(FormFixture::read(path) == "x" + text);
        QVERIFY(f.dialogs.questions.isEmpty());
    }

    // A save in place cut short by a kill leaves the file torn and a whole copy of the old
    // contents beside it: the open offers that copy back, and the copy goes either way. A copy
    // cut short itself still has its scratch name, and is never offered.
    void anInterruptedSavesCopyIsOffered_data()
    {
        QTest::addColumn<bool>("putBack");
        QTest::addColumn<bool>("inTemporaryFolder"); // where the file's folder was not writable
        QTest::newRow("put back") << true << false;
        QTest::newRow("kept as it is") << false << false;
        QTest::newRow("from the temporary folder") << true << true;
    }

    void anInterruptedSavesCopyIsOffered()
    {
        QFETCH(bool, putBack);
        QFETCH(bool, inTemporaryFolder);
        FormFixture f;
        const QTemporaryDir temporary;
        qputenv("TMPDIR", QFile::encodeName(temporary.path()));
        const auto tmpdirBack = qScopeGuard([] { qunsetenv("TMPDIR"); });
        const QString path = f.write("a.ini", "new=1\nold");
        // Away from its file, a copy's name carries the file's device and inode too: a copy
        // of an a.ini from another folder is not this file's.
        struct stat status;
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &status), 0);
        const QString copy = inTemporaryFolder
            ? temporary.filePath(QStringLiteral("a.ini.morvane-backup-%1-%2-Ab12Cd")
                                     .arg(status.st_dev)
                                     .arg(status.st_ino))
            : f.dir.filePath("a.ini.morvane-backup-Ab12Cd");
        const auto place = TestFiles::write;
        place(copy, "old=1\nold=2\n");
        const QStringList others { f.dir.filePath(".morvane-99999-abcdef"),
                                   f.dir.filePath("a.ini.morvane-backup-notes.txt"),
                                   temporary.filePath("a.ini.morvane-backup-1-2-Ab12Cd") };
        for (const QString &other : others)
            place(other, "not a whole copy");
        f.dialogs.questionAnswers << putBack;
        f.open(path);
        QCOMPARE(f.dialogs.questions,
                 QStringList { "a.ini may be incomplete: a save of it was cut short. Its "
                               "contents from before that save were kept in "
                               + (inTemporaryFolder ? QDir::toNativeSeparators(copy)
                                                    : "a.ini.morvane-backup-Ab12Cd")
                               + ". Put them back?" });
        const QByteArray expected = putBack ? "old=1\nold=2\n" : "new=1\nold";
        QCOMPARE(FormFixture::read(path), expected);
        QCOMPARE(f.editor(0).utf8Text(), expected);
        QVERIFY(!QFile::exists(copy));
        for (const QString &other : others.sliced(1))
            QVERIFY(QFile::exists(other));
    }

    void cancelledOpenDoesNothing()
    {
        FormFixture f;
        f.form.mnuOpen_Click();
        QCOMPARE(f.dialogs.openAsked, 1);
        QVERIFY(f.dialogs.messages.isEmpty());
        QCOMPARE(f.caption(0), form1::noFileCaption());
    }

    // Characters a Windows-1252 file cannot hold are asked about before the save writes
    // anything: as UTF-8 from then on, as "?", or not at all.
    void charactersTheEncodingCannotHoldAreAskedAbout_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<bool>("askedAgain");
        QTest::newRow("as UTF-8") << int(Dialogs::EncodingChoice::SaveAsUtf8)
                                  << QByteArray(
                                         "\xC5\x82\xE2\x82\xAC\xE4\xB8\xAD\xC5\x82k=\xC3\xA9")
                                  << false;
        QTest::newRow("replaced") << int(Dialogs::EncodingChoice::Replace)
                                  << QByteArray("?\x80??k=\xE9") << true;
        QTest::newRow("cancelled")
            << int(Dialogs::EncodingChoice::Cancel) << QByteArray("k=\xE9") << true;
    }

    void charactersTheEncodingCannotHoldAreAskedAbout()
    {
        QFETCH(int, choice);
        QFETCH(QByteArray, expected);
        QFETCH(bool, askedAgain);
        FormFixture f;
        const QString path = f.write("old.ini", "k=\xE9");
        f.open(path);
        f.typeAtStart(QString::fromUtf8("\u0142\u20AC\u4E2D\u0142"));
        f.dialogs.encodingChoices << Dialogs::EncodingChoice(choice);
        f.form.cmdSave_Click();
        QCOMPARE(f.dialogs.encodingQuestions,
                 QStringList { QString::fromUtf8("old.ini is saved as Windows-1252, which cannot "
                                                 "hold 3 character(s) you typed (\u0142, "
                                                 "\u4E2D). Save it as UTF-8 instead?") });
        QVERIFY(f.dialogs.messages.isEmpty());
        QCOMPARE(FormFixture::read(path), expected);
        f.dialogs.encodingChoices << Dialogs::EncodingChoice::Replace;
        f.form.cmdSave_Click();
        QCOMPARE(f.dialogs.encodingQuestions.size(), askedAgain ? 2 : 1);
    }

    // Save asks before it writes over a file that changed on disk since it was read or last
    // saved; No writes nothing.
    void saveAsksBeforeWritingOverAChange_data()
    {
        QTest::addColumn<QString>("change"); // what happens to the file after the open
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("none") << "" << false << QByteArray("xa=1\n");
        QTest::newRow("appended, No") << "append" << false << QByteArray("a=1\nb=2\n");
        QTest::newRow("appended, Yes") << "append" << true << QByteArray("xa=1\n");
        QTest::newRow("replaced, No") << "replace" << false << QByteArray("a=1\n");
        // Rewritten in place with a text of the same size, its time put back (touch -r).
        QTest::newRow("time put back, No") << "put back" << false << QByteArray("a=2\n");
        QTest::newRow("deleted, Yes") << "delete" << true << QByteArray("xa=1\n");
        QTest::newRow("saved before") << "save" << false << QByteArray("xxa=1\n");
    }

    void saveAsksBeforeWritingOverAChange()
    {
        QFETCH(QString, change);
        QFETCH(bool, answer);
        QFETCH(QByteArray, expected);
        FormFixture f;
        const QString path = f.write("a.ini", "a=1\n");
        f.open(path);
        f.typeAtStart("x");
        if (change == "append") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::Append) && file.write("b=2\n") == 4);
        } else if (change == "replace") { // another program's save: a new file of the same text
            const QString other = f.write("other.ini", "a=1\n");
            QVERIFY(QFile::remove(path) && QFile::rename(other, path));
        } else if (change == "put back") {
            QTest::qSleep(20); // past the file system's clock tick, as any other program's change
            struct stat before;
            QCOMPARE(::stat(QFile::encodeName(path).constData(), &before), 0);
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite) && file.write("a=2\n") == 4);
            file.close();
            const struct timespec times[2] = { before.st_atim, before.st_mtim };
            QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
        } else if (change == "delete") {
            QVERIFY(QFile::remove(path));
        } else if (change == "save") {
            f.form.cmdSave_Click();
            f.typeAtStart("x");
        }
        f.dialogs.questionAnswers << answer;
        f.form.cmdSave_Click();
        QCOMPARE(FormFixture::read(path), expected);
        const QString asked = QDir::toNativeSeparators(path)
            + (change == "delete" ? " was deleted or moved away since it was opened. Save makes "
                                    "it again. Save anyway?"
                                  : " has changed on disk since it was opened. Save anyway?");
        QCOMPARE(f.dialogs.questions,
                 change.isEmpty() || change == "save" ? QStringList() : QStringList { asked });
        QVERIFY(f.dialogs.messages.isEmpty());
    }

    // A document placed while the save dialog is open takes the active tab; what is written is
    // still the text of the tab the command was given on.
    void saveAsWritesTheTabItWasGivenOn()
    {
        FormFixture f;
        f.open(f.write("a.ini", "a=1\n"));
        f.open(f.write("b.ini", "b=2\n"));
        f.form.SSTab1->setTab(0);
        f.dialogs.whileSaveDialogIsOpen = [&f] { f.form.SSTab1->setTab(1); };
        const QString copy = f.dir.filePath("copy.ini");
        f.dialogs.saveAnswers << copy;
        f.form.cmdSaveAS_Click();
        QCOMPARE(FormFixture::read(copy), QByteArray("a=1\n"));
    }

    // Before edits would go, the user is asked for each document that holds them; nothing
    // edited, or edits undone, close at once. Slots 0 and 1 hold a.ini and b.ini, slot 2 is
    // empty; `typed` names the slots typed into, "u" an undo after typing.
    void unsavedEditsAreAskedAbout_data()
    {
        using Choice = Dialogs::SaveChoice;
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QList<Choice>>("answers");
        QTest::addColumn<QStringList>("asked"); // of these documents
        QTest::addColumn<QByteArray>("a"); // what a.ini holds afterwards
        QTest::addColumn<bool>("gone"); // the slot closed, or the window
        const QByteArray old = "a=1\n", saved = "xa=1\n";
        const QStringList a { "a.ini" }, both { "a.ini", "b.ini" };
        QTest::newRow("close, nothing typed")
            << "close"
            << "" << QList<Choice>() << QStringList() << old << true;
        QTest::newRow("close, undone") << "close"
                                       << "0u" << QList<Choice>() << QStringList() << old << true;
        QTest::newRow("close, Save") << "close"
                                     << "0" << QList { Choice::Save } << a << saved << true;
        QTest::newRow("close, Discard") << "close"
                                        << "0" << QList { Choice::Discard } << a << old << true;
        QTest::newRow("Ctrl+W, Cancel") << "Ctrl+W"
                                        << "0" << QList { Choice::Cancel } << a << old << false;
        QTest::newRow("Ctrl+W, Escape") << "Ctrl+W"
                                        << "0" << QList<Choice>() << a << old << false;
        QTest::newRow("another tab typed into")
            << "close"
            << "1" << QList<Choice>() << QStringList() << old << true;
        QTest::newRow("exit, nothing typed")
            << "exit"
            << "" << QList<Choice>() << QStringList() << old << true;
        QTest::newRow("exit, Save and Discard")
            << "exit"
            << "01" << QList { Choice::Save, Choice::Discard } << both << saved << true;
        QTest::newRow("Ctrl+Q, Discard and Cancel")
            << "Ctrl+Q"
            << "01" << QList { Choice::Discard, Choice::Cancel } << both << old << false;
        QTest::newRow("session end, Save and Discard, then closed")
            << "session"
            << "01" << QList { Choice::Save, Choice::Discard } << both << saved << true;
        QTest::newRow("window closed, Cancel first")
            << "window"
            << "01" << QList { Choice::Cancel } << a << old << false;
        QTest::newRow("exit, untitled text, Save As cancelled")
            << "exit"
            << "2" << QList { Choice::Save } << QStringList { "Untitled" } << old << false;
        QTest::newRow("exit, save fails")
            << "exit"
            << "0f" << QList { Choice::Save } << a << QByteArray("<missing>") << false;
    }

    void unsavedEditsAreAskedAbout()
    {
        QFETCH(QString, command);
        QFETCH(QString, typed);
        QFETCH(QList<Dialogs::SaveChoice>, answers);
        QFETCH(QStringList, asked);
        QFETCH(QByteArray, a);
        QFETCH(bool, gone);
        FormFixture f;
        const QString path = f.write("a.ini", "a=1\n");
        f.open(path);
        f.open(f.write("b.ini", "b=1\n"));
        for (const QChar slot : typed) {
            if (slot.isDigit()) {
                f.form.SSTab1->setTab(slot.digitValue());
                f.typeAtStart("x");
            } else if (slot == u'u') {
                QTest::keyClick(f.editor(f.active()).focusProxy(), Qt::Key_Z, Qt::ControlModifier);
            } else if (slot == u'f') { // the file is taken away, and a folder put in its place
                QVERIFY(QFile::remove(path) && QDir().mkdir(path));
                f.dialogs.questionAnswers << true; // save anyway over the changed file
            }
        }
        f.form.SSTab1->setTab(0);
        f.dialogs.saveChoices = answers;
        f.form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f.form));
        if (command == "close")
            f.form.cmdClose_Click();
        else if (command == "exit")
            f.form.mnuExit_Click();
        else if (command == "window")
            f.form.close();
        else if (command == "session" && f.form.mayEndSession(true))
            f.form.close(); // the session closes the window it let end, asking nothing more
        else if (command != "session")
            QTest::keyClick(f.editor(0).focusProxy(), QKeySequence(command)[0].key(),
                            QKeySequence(command)[0].keyboardModifiers());
        QStringList expected;
        for (const QString &name : asked)
            expected << "Save changes to " + name + " before closing?";
        QCOMPARE(f.dialogs.saveQuestions, expected);
        QCOMPARE(FormFixture::read(path), a);
        if (command.contains("close") || command == "Ctrl+W") {
            QCOMPARE(f.caption(0) == form1::noFileCaption(), gone);
            QCOMPARE(f.editor(0).hasText(), !gone);
        } else {
            QCOMPARE(f.form.isVisible(), !gone);
        }
    }

    // An unsaved document shows it beside its caption, and is told to a screen reader; saving,
    // or undoing back to the saved text, takes the mark away.
    void unsavedEditsAreMarked()
    {
        FormFixture f;
        f.open(f.write("a.ini", "a=1\n"));
        QVERIFY(!f.form.SSTab1->hasTabMark(0, SSTab::Modified));
        f.typeAtStart("x");
        QVERIFY(f.form.SSTab1->hasTabMark(0, SSTab::Modified));
        QCOMPARE(f.caption(0), QString("a.ini"));
        QAccessibleInterface *strip
            = QAccessible::queryAccessibleInterface(f.form.SSTab1->focusProxy());
        QCOMPARE(strip->child(0)->text(QAccessible::Name), QString("a.ini, modified"));
        QTest::keyClick(f.editor(0).focusProxy(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!f.form.SSTab1->hasTabMark(0, SSTab::Modified));
        f.typeAtStart("y");
        f.form.cmdSave_Click();
        QVERIFY(!f.form.SSTab1->hasTabMark(0, SSTab::Modified));
        QCOMPARE(strip->child(0)->text(QAccessible::Name), QString("a.ini"));
        f.form.SSTab1->setTab(1);
        f.typeAtStart("typed"); // text with no file is unsaved as well
        QVERIFY(f.form.SSTab1->hasTabMark(1, SSTab::Modified));
    }

    // What comes while a save shows its progress never changes what it writes: the window's
    // close waits for the save, which then closes it with nothing left unsaved; an edit from a
    // screen reader is refused while the window is held, as a key would be.
    void aSaveUnderWayWritesTheTextOfItsStart_data()
    {
        QTest::addColumn<bool>("closed"); // else a screen reader inserts text
        QTest::newRow("window closed") << true;
        QTest::newRow("screen reader edits") << false;
    }

    void aSaveUnderWayWritesTheTextOfItsStart()
    {
        QFETCH(bool, closed);
        FormFixture f;
        SteppingClock clock;
        f.form.setClock(clock);
        const QByteArray text = QByteArray("key = value\n").repeated(1'000'000);
        const QString path = f.write("big.ini", text);
        f.open(path);
        f.typeAtStart("x");
        f.dialogs.cancelAt = 0.3;
        bool held = false; // the window takes no input while its progress shows
        f.dialogs.instead = [&f, closed, &held] {
            held = !f.form.centralWidget()->isEnabled() && !f.form.mnuSave->isEnabled();
            if (closed) {
                f.form.close();
                return;
            }
            QAccessibleInterface *editor
                = QAccessible::queryAccessibleInterface(f.editor(0).focusProxy());
            editor->editableTextInterface()->insertText(0, "inserted ");
        };
        f.form.cmdSave_Click();
        QVERIFY(FormFixture::read(path) == "x" + text);
        QVERIFY(f.editor(0).utf8Text().startsWith("xkey"));
        QVERIFY(held);
        QTRY_COMPARE(f.form.isVisible(), !closed);
        if (!closed) // and is free again once the work is over
            QVERIFY(f.form.centralWidget()->isEnabled() && f.form.mnuSave->isEnabled());
        QVERIFY(f.dialogs.saveQuestions.isEmpty());
    }

    void leavesNoTemporaryDocumentBehind()
    {
        FormFixture f;
        QTemporaryDir privateTemp; // other tests running beside this one use the shared folder
        qputenv("XDG_RUNTIME_DIR", privateTemp.path().toLocal8Bit());
        f.open(f.write("a.ini", "a"));
        for (int i = 0; i < 4; ++i)
            f.open(f.write("b.ini", "b")); // the last one finds every slot full
        const QStringList left = FormFixture::everythingIn(privateTemp.path());
        qunsetenv("XDG_RUNTIME_DIR");
        QCOMPARE(left.size(), 1); // the run's folder, and nothing in it
        QVERIFY(left[0].startsWith("morvane-run-"));
    }
};

QTEST_MAIN(TestWorkspace)
#include "tst_workspace.moc"
