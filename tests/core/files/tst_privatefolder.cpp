// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/privatefolder.h"
#include "support/folderlisting.h"
#include "support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

namespace {

void makeFolder(const QString &path, int mode)
{
    QVERIFY(QDir().mkdir(path));
    QCOMPARE(::chmod(QFile::encodeName(path).constData(), mode_t(mode)), 0);
}

} // namespace

class TestPrivateFolder : public QObject
{
    Q_OBJECT

    // A folder of the user's that a link swapped into the private folder leads to.
    static void makeUsersFolder(const QString &path)
    {
        makeFolder(path, 0755);
        TestFiles::write(path + "/keep.ini", "kept");
        makeFolder(path + "/sub", 0755);
        TestFiles::write(path + "/sub/keep.ini", "kept");
    }

    static void verifyUsersFolderWhole(const QString &path)
    {
        QCOMPARE(entriesOf(path), QStringList({ "keep.ini", "sub" }));
        QCOMPARE(entriesOf(path + "/sub"), QStringList { "keep.ini" });
    }

private slots:
    void cleanup()
    {
        PrivateFolder::endThisRun();
        qunsetenv("XDG_RUNTIME_DIR");
        qunsetenv("TMPDIR");
    }

    // Where a run's folder is made, or why it is not: never in a folder others may change.
    void madeWhereNoOneElseMayChangeIt_data()
    {
        QTest::addColumn<int>("runtimeMode"); // 0: no XDG_RUNTIME_DIR
        QTest::addColumn<int>("tempMode");
        QTest::addColumn<QString>("madeIn"); // "runtime", "temp", or "" when refused
        QTest::addColumn<QString>("reason");
        QTest::newRow("the desktop's private folder") << 0700 << 01777 << "runtime"
                                                      << "";
        QTest::newRow("no desktop folder") << 0 << 01777 << "temp"
                                           << "";
        QTest::newRow("a temporary folder only its owner writes") << 0 << 0755 << "temp"
                                                                  << "";
        QTest::newRow("a desktop folder others write") << 0777 << 01777 << "temp"
                                                       << "";
        QTest::newRow("others write, no sticky bit")
            << 0 << 0777 << ""
            << "others may write in it, and it has no sticky bit";
        QTest::newRow("its group writes, no sticky bit")
            << 0 << 0770 << ""
            << "others may write in it, and it has no sticky bit";
    }

    void madeWhereNoOneElseMayChangeIt()
    {
        QFETCH(int, runtimeMode);
        QFETCH(int, tempMode);
        QFETCH(QString, madeIn);
        QTemporaryDir base;
        const QString runtime = base.filePath("runtime"), temp = base.filePath("temp");
        makeFolder(runtime, runtimeMode ? runtimeMode : 0700);
        makeFolder(temp, tempMode);
        if (runtimeMode)
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
        qputenv("TMPDIR", QFile::encodeName(temp));

        const Result<PrivateFolder *> made = PrivateFolder::ofThisRun();
        if (madeIn.isEmpty()) {
            QVERIFY(!made);
            QFETCH(QString, reason);
            QCOMPARE(made.reason(),
                     "the temporary folder " + QDir::toNativeSeparators(temp) + " cannot be used ("
                         + reason + ")");
            QCOMPARE(entriesOf(temp), QStringList());
            return;
        }
        QVERIFY2(made, qPrintable(made.reason()));
        PrivateFolder *run = *made;
        const QString parent = madeIn == "runtime" ? runtime : temp;
        QCOMPARE(QFileInfo(run->path()).absolutePath(), parent);
        QVERIFY(QFileInfo(run->path()).fileName().startsWith("morvane-run-"));
        QCOMPARE(modeOf(run->path()), 0700);
        QFile file;
        const Result<QString> document = run->newFile("tmp", ".rtf", file);
        QVERIFY2(document, qPrintable(document.reason()));
        QCOMPARE(modeOf(*document), 0600);
        PrivateFolder::endThisRun();
        QCOMPARE(entriesOf(parent), QStringList());
    }

    // The clean-up removes what the run made and nothing else; a link swapped in for what it
    // made, or for the folder itself, is never followed.
    void cleanUpFollowsNoLink_data()
    {
        QTest::addColumn<QString>("swapped");
        QTest::newRow("a made file") << "file";
        QTest::newRow("a made folder") << "folder";
        QTest::newRow("the run's folder") << "run";
        QTest::newRow("nothing, but a file it did not make is there") << "";
    }

    void cleanUpFollowsNoLink()
    {
        QFETCH(QString, swapped);
        QTemporaryDir base;
        const QString users = base.filePath("users");
        makeUsersFolder(users);
        auto made = PrivateFolder::makeIn(base.path());
        QVERIFY2(made, qPrintable(made.reason()));
        std::unique_ptr<PrivateFolder> run = std::move(*made);
        QFile file;
        const QString document = *run->newFile("tmp", ".rtf", file);
        file.close();
        const QString helper = *run->newFolder("bini-");
        TestFiles::write(helper + "/decompressed.txt", "kept");
        const QString stranger = run->path() + "/not-made-by-it";
        const QString target = swapped == "file" ? document
            : swapped == "folder"                ? helper
            : swapped == "run"                   ? run->path()
                                                 : stranger;
        if (!swapped.isEmpty()) {
            QVERIFY(QFile::rename(target, base.filePath("moved")));
            QVERIFY(QFile::link(swapped == "file" ? users + "/keep.ini" : users, target));
        } else {
            TestFiles::write(stranger, "kept");
        }
        run.reset();
        verifyUsersFolderWhole(users);
        if (swapped.isEmpty()) {
            QCOMPARE(entriesOf(QFileInfo(stranger).absolutePath()),
                     QStringList { "not-made-by-it" });
        }
    }

    // A run killed before its clean-up leaves its folder; the next run removes it, never
    // following a link in it, and never touching the folder of a run that still lives.
    void sweepsTheFoldersOfEndedRunsOnly()
    {
        QTemporaryDir base;
        const QString users = base.filePath("users");
        makeUsersFolder(users);
        const auto live = PrivateFolder::makeIn(base.path());
        QVERIFY2(live, qPrintable(live.reason()));
        QFile file;
        const QString liveDocument = *(*live)->newFile("tmp", ".rtf", file);

        const QString ended = base.filePath("morvane-run-Ended1");
        makeFolder(ended, 0700);
        TestFiles::write(ended + "/tmpAbCdEf.rtf", "kept");
        makeFolder(ended + "/bini-GhIjKl", 0700);
        TestFiles::write(ended + "/bini-GhIjKl/.morvane-4242-MnOpQr", "half-written text");
        QVERIFY(QFile::link(users, ended + "/link"));
        QVERIFY(QFile::link(users, ended + "/bini-GhIjKl/link"));

        const auto next = PrivateFolder::makeIn(base.path());
        QVERIFY2(next, qPrintable(next.reason()));
        QVERIFY(!QFileInfo::exists(ended));
        QVERIFY(QFileInfo::exists(liveDocument));
        verifyUsersFolderWhole(users);
    }
};

QTEST_APPLESS_MAIN(TestPrivateFolder)
#include "tst_privatefolder.moc"
