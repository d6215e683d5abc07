// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "recovery/recoverystore.h"
#include "save/filewriter.h"
#include "support/folderlisting.h"
#include "support/testfiles.h"
#include "support/verifyok.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

RecoveryCopy copyOf(const QByteArray &text, const QString &path = "/home/user/settings.ini")
{
    RecoveryCopy copy;
    copy.path = path;
    copy.title = QFileInfo(path).fileName();
    copy.format = { TextEncoding::Windows1252, false };
    copy.stamp = { true, 2049, 1234567, 42, 1700000000123456789 };
    copy.text = text;
    return copy;
}

void setModified(const QString &path, time_t seconds)
{
    const timespec times[2] = { { seconds, 0 }, { seconds, 0 } };
    QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
}

// What a killed run leaves: its folder, unlocked, with the copies it saved. Returns the folder.
QString leaveRun(const QString &recovery, const QList<std::pair<QString, RecoveryCopy>> &copies)
{
    const auto run = RecoveryStore::makeIn(recovery);
    if (!run)
        qFatal("no store made: %s", qPrintable(run.reason()));
    for (const auto &[key, copy] : copies) {
        if (const Result<> saved = (*run)->save(key, copy); !saved)
            qFatal("no copy saved: %s", qPrintable(saved.reason()));
    }
    return (*run)->path(); // the store goes without its clean-up, as in a kill
}

} // namespace

class TestRecoveryStore : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_base; // one for each test and row
    QString m_recovery;
    std::unique_ptr<RecoveryStore> m_store; // this run's, for the tests of left-behind copies

    void makeStore()
    {
        auto made = RecoveryStore::makeIn(m_recovery);
        VERIFY_OK(made);
        m_store = std::move(*made);
    }

private slots:
    void init()
    {
        m_base = std::make_unique<QTemporaryDir>();
        QVERIFY(m_base->isValid());
        m_recovery = m_base->filePath("recovery");
        qputenv("XDG_STATE_HOME", QFile::encodeName(m_base->filePath("state")));
    }

    void cleanup()
    {
        m_store.reset();
        RecoveryStore::endThisRun();
        ::umask(022);
    }

    void roundTripsEveryCopy_data()
    {
        QTest::addColumn<RecoveryCopy>("copy");
        QTest::newRow("text typed into an empty tab")
            << RecoveryCopy { {}, "Untitled", {}, {}, {} };
        RecoveryCopy bom = copyOf("[section]\r\nkey=välue\r\n");
        bom.format = { TextEncoding::Utf8, true };
        bom.stamp.modified = -1; // before 1970
        QTest::newRow("UTF-8 with a byte order mark") << bom;
        // Bytes that are not UTF-8 in a file name, and a text that looks like a header.
        QTest::newRow("Windows-1252, a name not in UTF-8")
            << copyOf("length: 3\n\nkey=\x00\xff\n", QFile::decodeName("/tmp/caf\xe9 \n.ini"));
        RecoveryCopy gone = copyOf("x");
        gone.stamp = {};
        QTest::newRow("a file that is gone") << gone;
    }

    void roundTripsEveryCopy()
    {
        QFETCH(RecoveryCopy, copy);
        QCOMPARE(RecoveryCopy::decode(copy.encode()), copy);
    }

    void refusesWhatIsNotAWholeCopy_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray whole = copyOf("[a]\nb=c\n").encode();
        const auto with
            = [&](const char *from, const char *to) { return QByteArray(whole).replace(from, to); };
        QTest::newRow("nothing") << QByteArray();
        QTest::newRow("text cut short") << whole.chopped(1);
        QTest::newRow("more text than told") << whole + "d";
        QTest::newRow("length longer") << with("length: 8", "length: 9");
        QTest::newRow("length shorter") << with("length: 8", "length: 7");
        QTest::newRow("length not a number") << with("length: 8", "length: +8");
        QTest::newRow("length too large") << with("length: 8", "length: 99999999999999999999");
        QTest::newRow("header cut short") << whole.first(whole.indexOf("length"));
        QTest::newRow("no blank line") << with("\n\n[a]", "\n[a]");
        QTest::newRow("another file") << with("Morvane recovery copy", "Morvane recovery cop");
        QTest::newRow("a later layout") << with("recovery copy 1", "recovery copy 2");
        QTest::newRow("not base64") << with("title: ", "title: *");
        QTest::newRow("unknown encoding") << with("windows-1252", "windows-1250");
        QTest::newRow("fields swapped") << with("path: ", "paht: ");
        QTest::newRow("carriage returns") << QByteArray(whole).replace('\n', "\r\n");
    }

    void refusesWhatIsNotAWholeCopy()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(!RecoveryCopy::decode(bytes));
    }

    // Made in the user's state folder, however the umask is set: folders only the user may
    // enter, copies only the user may read, even once replaced.
    void madeInTheStateFolderForTheUserAlone_data()
    {
        QTest::addColumn<QString>("stateHome"); // "-": unset
        QTest::addColumn<QString>("madeIn"); // below the test's folder
        QTest::addColumn<int>("mask");
        QTest::newRow("XDG_STATE_HOME") << "state"
                                        << "state/morvane/recovery" << 0;
        QTest::newRow("no XDG_STATE_HOME") << "-"
                                           << "home/.local/state/morvane/recovery" << 0;
        QTest::newRow("a relative one") << "relative"
                                        << "home/.local/state/morvane/recovery" << 0777;
    }

    void madeInTheStateFolderForTheUserAlone()
    {
        QFETCH(QString, stateHome);
        QFETCH(QString, madeIn);
        QFETCH(int, mask);
        const QString home = m_base->filePath("home");
        QVERIFY(QDir().mkdir(home));
        qputenv("HOME", QFile::encodeName(home));
        if (stateHome == "-")
            qunsetenv("XDG_STATE_HOME");
        else if (stateHome == "relative")
            qputenv("XDG_STATE_HOME", "relative");

        ::umask(mode_t(mask));
        Result<RecoveryStore *> made = RecoveryStore::ofThisRun();
        VERIFY_OK(made);
        RecoveryStore *store = *made;
        VERIFY_OK(store->save("slot-1", copyOf("first")));
        VERIFY_OK(store->save("slot-1", copyOf("second")));
        VERIFY_OK(store->save("slot-2", copyOf("other")));
        ::umask(022);

        const QString recovery = m_base->filePath(madeIn);
        QCOMPARE(QFileInfo(store->path()).absolutePath(), recovery);
        for (QString folder = store->path(); folder != m_base->path() && folder != home;
             folder = QFileInfo(folder).absolutePath())
            QCOMPARE(modeOf(folder), 0700);
        QCOMPARE(entriesOf(store->path()), QStringList({ "slot-1.copy", "slot-2.copy" }));
        QCOMPARE(RecoveryCopy::decode(TestFiles::read(store->path() + "/slot-1.copy")),
                 copyOf("second"));
        QCOMPARE(modeOf(store->path() + "/slot-1.copy"), 0600);
        QCOMPARE(modeOf(store->path() + "/slot-2.copy"), 0600);

        // A normal end keeps the copies; a run that has none left leaves nothing.
        const QString run = store->path();
        RecoveryStore::endThisRun();
        QVERIFY(QFileInfo::exists(run + "/slot-1.copy"));
        made = RecoveryStore::ofThisRun();
        VERIFY_OK(made);
        VERIFY_OK((*made)->save("slot-1", copyOf("saved")));
        (*made)->remove("slot-1");
        RecoveryStore::endThisRun();
        QCOMPARE(entriesOf(recovery), QStringList { QFileInfo(run).fileName() });
    }

    // A recovery folder others may write in, even with the sticky bit of a shared temporary
    // folder, or one that is a link to such a place, is refused.
    void refusesARecoveryFolderOthersMayWrite_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("linked"); // the recovery folder is a link to the folder
        QTest::addColumn<QString>("reason");
        QTest::newRow("0777") << 0777 << false << "others may write in it";
        QTest::newRow("1777, shared") << 01777 << false << "others may write in it";
        QTest::newRow("a link to a 0700 folder") << 0700 << true << "it is a symbolic link";
    }

    void refusesARecoveryFolderOthersMayWrite()
    {
        QFETCH(int, mode);
        QFETCH(bool, linked);
        QFETCH(QString, reason);
        const QString folder = linked ? m_recovery + "-elsewhere" : m_recovery;
        QVERIFY(QDir().mkpath(folder));
        QCOMPARE(::chmod(QFile::encodeName(folder).constData(), mode_t(mode)), 0);
        if (linked)
            QVERIFY(QFile::link(folder, m_recovery));
        const auto made = RecoveryStore::makeIn(m_recovery);
        QVERIFY(!made);
        QCOMPARE(made.reason(),
                 "the folder for recovery copies " + QDir::toNativeSeparators(m_recovery)
                     + " cannot be used (" + reason + ")");
        QCOMPARE(entriesOf(folder), QStringList());
    }

    // A live run's copies are never offered, and an ended run's are offered to one run only.
    void offersEndedRunsCopiesToOneRunAtATime()
    {
        auto made = RecoveryStore::makeIn(m_recovery);
        VERIFY_OK(made);
        std::unique_ptr<RecoveryStore> live = std::move(*made);
        VERIFY_OK(live->save("slot-1", copyOf("unsaved")));
        makeStore();
        QVERIFY(m_store->takeLeftBehind().isEmpty());

        const QString ended = live->path();
        live.reset(); // killed
        const QList<RecoveryStore::LeftBehind> found = m_store->takeLeftBehind();
        QCOMPARE(found.size(), 1);
        QCOMPARE(found[0].file, ended + "/slot-1.copy");
        QCOMPARE(found[0].copy, copyOf("unsaved"));

        auto other = RecoveryStore::makeIn(m_recovery);
        VERIFY_OK(other);
        QVERIFY((*other)->takeLeftBehind().isEmpty()); // taken by the first to look
        m_store->releaseLeftBehind();
        QCOMPARE((*other)->takeLeftBehind().size(), 1); // kept for a later start
    }

    // Whole copies are listed oldest first; each is adopted or discarded once, and what nobody
    // chose is kept for a later start.
    void adoptDiscardAndReleaseLeaveEachCopyOnce()
    {
        const QString first = leaveRun(
            m_recovery, { { "slot-1", copyOf("newest") }, { "slot-2", copyOf("oldest") } });
        const QString second = leaveRun(m_recovery, { { "slot-1", copyOf("middle") } });
        const QString third = leaveRun(m_recovery, { { "slot-1", copyOf("not chosen") } });
        setModified(first + "/slot-1.copy", 3000);
        setModified(first + "/slot-2.copy", 1000);
        setModified(second + "/slot-1.copy", 2000);
        // What a save cut short leaves, and a copy this run cannot read.
        TestFiles::write(first + "/slot-3.copy", QByteArray());
        TestFiles::write(first + "/" + FileWriter::scratchPrefix + "1-AbCdEf", "Morvane recov");
        TestFiles::write(second + "/slot-2.copy", copyOf("damaged").encode().chopped(1));

        makeStore();
        const QList<RecoveryStore::LeftBehind> found = m_store->takeLeftBehind();
        QByteArrayList texts;
        for (const RecoveryStore::LeftBehind &left : found)
            texts << left.copy.text;
        QCOMPARE(texts, QByteArrayList({ "oldest", "middle", "newest", "not chosen" }));

        VERIFY_OK(m_store->adopt(found[0], "slot-4"));
        QVERIFY(!m_store->adopt(found[0], "slot-5")); // moved already
        m_store->discard(found[1]);
        m_store->discard(found[2]);
        m_store->releaseLeftBehind();

        QCOMPARE(entriesOf(m_store->path()), QStringList { "slot-4.copy" });
        QCOMPARE(RecoveryCopy::decode(TestFiles::read(m_store->path() + "/slot-4.copy")),
                 copyOf("oldest"));
        QVERIFY(!QFileInfo::exists(first)); // its leftovers with it
        QCOMPARE(entriesOf(second), QStringList { "slot-2.copy" });
        QCOMPARE(entriesOf(third), QStringList { "slot-1.copy" });
    }

    // Only this user's own folders and files are read or removed; a link is never followed.
    void neverFollowsALinkPlantedInItsFolders_data()
    {
        QTest::addColumn<QString>("link"); // where the link is planted
        QTest::newRow("as this run's copy") << "own";
        QTest::newRow("as an ended run's copy") << "copy";
        QTest::newRow("as an ended run's folder") << "run";
    }

    void neverFollowsALinkPlantedInItsFolders()
    {
        QFETCH(QString, link);
        const QString users = m_base->filePath("users");
        QVERIFY(QDir().mkdir(users));
        TestFiles::write(users + "/slot-1.copy", copyOf("the user's").encode());
        makeStore();
        const QString ended = leaveRun(m_recovery, {});
        if (link == "own")
            QVERIFY(QFile::link(users + "/slot-1.copy", m_store->path() + "/slot-1.copy"));
        else if (link == "copy")
            QVERIFY(QFile::link(users + "/slot-1.copy", ended + "/slot-1.copy"));
        else
            QVERIFY(QFile::link(users, m_recovery + "/" + RecoveryStore::namePrefix + "Linked"));

        QCOMPARE(bool(m_store->save("slot-1", copyOf("mine"))), link != "own");
        QVERIFY(m_store->takeLeftBehind().isEmpty());
        m_store->releaseLeftBehind();
        QCOMPARE(RecoveryCopy::decode(TestFiles::read(users + "/slot-1.copy")),
                 copyOf("the user's"));
    }
};

QTEST_APPLESS_MAIN(TestRecoveryStore)
#include "tst_recoverystore.moc"
