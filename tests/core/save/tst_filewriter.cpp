// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "save/filewriter.h"
#include "support/testfiles.h"
#include "system/systemcalls.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cerrno>
#include <functional>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

// Fails the nth call of one kind with the given error, as a full or failing disk would.
class FailingCalls final : public SystemCalls
{
public:
    FailingCalls(QByteArray call, int nth, int error) : m_call(call), m_nth(nth), m_error(error) { }

    ssize_t write(int fd, const void *data, size_t size) override
    {
        // At most 32 KiB a call, as a slow device may take: the rest comes in later calls.
        return fails("write") ? -1 : SystemCalls::write(fd, data, std::min<size_t>(size, 32768));
    }
    int fsync(int fd) override { return fails("fsync") ? -1 : SystemCalls::fsync(fd); }
    int close(int fd) override
    {
        if (fails("close")) { // the descriptor is gone all the same
            SystemCalls::close(fd);
            return -1;
        }
        return SystemCalls::close(fd);
    }
    int ftruncate(int fd, off_t size) override
    {
        return fails("ftruncate") ? -1 : SystemCalls::ftruncate(fd, size);
    }
    int fchown(int fd, uid_t owner, gid_t group) override
    {
        return fails("fchown") ? -1 : SystemCalls::fchown(fd, owner, group);
    }
    int fsetxattr(int fd, const char *name, const void *value, size_t size) override
    {
        return fails("fsetxattr") ? -1 : SystemCalls::fsetxattr(fd, name, value, size);
    }
    int fremovexattr(int fd, const char *name) override
    {
        return fails("fremovexattr") ? -1 : SystemCalls::fremovexattr(fd, name);
    }
    int rename(const char *from, const char *to) override
    {
        return fails("rename") ? -1 : SystemCalls::rename(from, to);
    }

private:
    bool fails(const char *call)
    {
        if (m_call != call || ++m_count != m_nth)
            return false;
        errno = m_error;
        return true;
    }

    QByteArray m_call;
    int m_nth, m_error, m_count = 0;
};

struct stat statusOf(const QString &path)
{
    struct stat status
    {
    };
    ::lstat(QFile::encodeName(path).constData(), &status);
    return status;
}

// Runs `work` in a child process as the user nobody; true when it returned true there.
bool asAnotherUser(const std::function<bool()> &work)
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(::setgid(65534) == 0 && ::setuid(65534) == 0 && work() ? 0 : 1);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Gives `folder` a default access list under which new files are readable by `user`; false
// where the file system has no access lists.
bool grantReadByDefault(const QString &folder, quint32 user)
{
    struct Entry
    {
        quint16 tag, permissions;
        quint32 id;
    };
    constexpr quint32 kVersion = 2, kNoId = ~0U;
    const Entry entries[] = { { 0x01, 6, kNoId },
                              { 0x02, 4, user },
                              { 0x04, 4, kNoId },
                              { 0x10, 4, kNoId },
                              { 0x20, 0, kNoId } }; // owner, user, group, mask, others
    QByteArray value(reinterpret_cast<const char *>(&kVersion), sizeof kVersion);
    value.append(reinterpret_cast<const char *>(entries), sizeof entries);
    return ::setxattr(QFile::encodeName(folder).constData(), "system.posix_acl_default",
                      value.constData(), size_t(value.size()), 0)
        == 0;
}

} // namespace

class TestFileWriter : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }

    // Nothing but the named files is left in the folder.
    QStringList leftovers(const QStringList &expected) const
    {
        QStringList names = QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
        for (const QString &name : expected)
            names.removeAll(name);
        return names;
    }

private slots:
    void init() { QVERIFY(QDir(m_dir.path()).removeRecursively() && QDir().mkpath(m_dir.path())); }

    // Every failure leaves the old file whole (or names the copy that holds it), gives the
    // system's reason, and leaves no scratch file behind.
    void failureLeavesTheOldFileWhole_data()
    {
        QTest::addColumn<bool>("hardLinked"); // a second name: written in place
        QTest::addColumn<QByteArray>("call");
        QTest::addColumn<int>("nth");
        QTest::addColumn<int>("error");
        // The steps of each way in order: the scratch file's write, sync, close and rename; the
        // copy of the old contents, then the write, cut and sync of the file itself.
        const QList<std::tuple<bool, const char *, int, int>> faults
            = { { false, "write", 1, ENOSPC }, { false, "write", 2, ENOSPC },
                { false, "fsync", 1, EIO },    { false, "close", 1, EIO },
                { false, "rename", 1, EXDEV }, { true, "write", 1, ENOSPC },
                { true, "fsync", 1, EIO },     { true, "write", 4, ENOSPC },
                { true, "ftruncate", 1, EIO }, { true, "fsync", 2, EIO } };
        for (const auto &[hardLinked, call, nth, error] : faults) {
            QTest::addRow("%s %s #%d", hardLinked ? "in place" : "replaced", call, nth)
                << hardLinked << QByteArray(call) << nth << error;
        }
    }

    void failureLeavesTheOldFileWhole()
    {
        QFETCH(bool, hardLinked);
        QFETCH(QByteArray, call);
        QFETCH(int, nth);
        QFETCH(int, error);
        const QByteArray old(70000, 'o'); // more than one write's worth of a small buffer
        TestFiles::write(path("file.ini"), old);
        if (hardLinked)
            QCOMPARE(::link(QFile::encodeName(path("file.ini")).constData(),
                            QFile::encodeName(path("second.ini")).constData()),
                     0);
        FailingCalls calls(call, nth, error);
        const Result<QString> written
            = FileWriter(calls).write(path("file.ini"), QByteArray(90000, 'n'));
        QVERIFY(!written);
        const QString message = written.reason();
        QVERIFY2(message.contains(qt_error_string(error)), qPrintable(message));
        const QStringList left = leftovers({ "file.ini", "second.ini" });
        if (TestFiles::read(path("file.ini")) != old) {
            QCOMPARE(left.size(), 1); // the copy of the old contents, named in the message
            QVERIFY2(message.contains(left.first()), qPrintable(message));
            QCOMPARE(TestFiles::read(path(left.first())), old);
        } else {
            QVERIFY2(left.isEmpty(), qPrintable(left.join(' ')));
        }
        if (hardLinked)
            QCOMPARE(statusOf(path("file.ini")).st_ino, statusOf(path("second.ini")).st_ino);
    }

    // A save in place given up, whose way back then fails too, says where the old contents are
    // instead of passing for a plain Cancel.
    void aCancelWhoseWayBackFailsNamesTheCopy()
    {
        struct GivingUp final : WorkProgress
        {
            bool undone = false; // told that the old contents are being put back
            // Once the new text goes in: the copy of the old contents is the first half.
            void reached(double fraction) override
            {
                if (!undone && fraction > 0.5)
                    throw WorkCancelled();
            }
            void undoing() override { undone = true; }
        } givingUp;
        const QByteArray old(70000, 'o');
        TestFiles::write(path("file.ini"), old);
        QCOMPARE(::link(QFile::encodeName(path("file.ini")).constData(),
                        QFile::encodeName(path("second.ini")).constData()),
                 0);
        givingUp.beginStep(90000, 1); // the save is the whole work, as the editor tells it
        FailingCalls calls("ftruncate", 1, EIO); // the way back cuts the file to the old size
        Result<QString> written = QString();
        try {
            written = FileWriter(calls).write(path("file.ini"), QByteArray(90000, 'n'), givingUp);
        } catch (const WorkCancelled &) {
            QFAIL("taken for a plain Cancel");
        }
        QVERIFY(!written);
        const QString message = written.reason();
        QVERIFY(givingUp.undone);
        const QStringList left = leftovers({ "file.ini", "second.ini" });
        QCOMPARE(left.size(), 1);
        QVERIFY2(message.contains(left.first()), qPrintable(message));
        QCOMPARE(TestFiles::read(path(left.first())), old);
    }

    // Whatever the way the text goes in, the file keeps its owner, group, mode bits, extended
    // attributes and hard links; a refused owner or attribute sends the text in place.
    void keepsWhatTheFileHad_data()
    {
        QTest::addColumn<QByteArray>("failingCall");
        QTest::addColumn<int>("error");
        QTest::newRow("replaced") << QByteArray() << 0;
        QTest::newRow("owner refused") << QByteArray("fchown") << EPERM;
        QTest::newRow("attribute refused") << QByteArray("fsetxattr") << EPERM;
        QTest::newRow("inherited access list kept") << QByteArray("fremovexattr") << EPERM;
        // A file mounted over another, as containers mount single files, cannot be replaced.
        QTest::newRow("mounted over") << QByteArray("rename") << EBUSY;
    }

    void keepsWhatTheFileHad()
    {
        QFETCH(QByteArray, failingCall);
        QFETCH(int, error);
        const QString file = path("kept.ini");
        TestFiles::write(file, "old");
        const QByteArray name = QFile::encodeName(file);
        QCOMPARE(::setxattr(name.constData(), "user.origin", "test", 4, 0), 0);
        const bool root = ::geteuid() == 0;
        if (root)
            QCOMPARE(::chown(name.constData(), 65534, 65534), 0);
        const mode_t mode = root ? 02750 : 0640;
        QCOMPARE(::chmod(name.constData(), mode), 0);
        // The folder gives new files an access list that lets another user read them; the old
        // file has none, and neither may the saved one.
        const bool folderHasDefault = grantReadByDefault(m_dir.path(), 65534);
        const struct stat before = statusOf(file);
        FailingCalls calls(failingCall, 1, error);
        const Result<QString> written = FileWriter(calls).write(file, "new");
        QVERIFY2(written, qPrintable(written.reason()));
        QCOMPARE(TestFiles::read(file), QByteArray("new"));
        const struct stat after = statusOf(file);
        QCOMPARE(after.st_uid, before.st_uid);
        QCOMPARE(after.st_gid, before.st_gid);
        QCOMPARE(after.st_mode, before.st_mode);
        char value[8] = {};
        QCOMPARE(::getxattr(name.constData(), "user.origin", value, sizeof value), 4);
        QCOMPARE(QByteArray(value), QByteArray("test"));
        if (folderHasDefault) {
            QCOMPARE(::getxattr(name.constData(), "system.posix_acl_access", nullptr, 0), -1);
            QCOMPARE(errno, ENODATA);
        }
        QVERIFY(leftovers({ "kept.ini" }).isEmpty());
    }

    void hardLinksStayOneFile()
    {
        TestFiles::write(path("a.ini"), "old");
        QCOMPARE(::link(QFile::encodeName(path("a.ini")).constData(),
                        QFile::encodeName(path("b.ini")).constData()),
                 0);
        const Result<QString> written = FileWriter().write(path("a.ini"), "new text");
        QVERIFY2(written, qPrintable(written.reason()));
        QCOMPARE(TestFiles::read(path("b.ini")), QByteArray("new text"));
        QVERIFY(leftovers({ "a.ini", "b.ini" }).isEmpty());
    }

    // A symbolic link is followed, whatever the length of the name it leads to; a FIFO or a
    // device behind it is never written, nor replaced.
    void writesOnlyRegularFiles()
    {
        const QString longName = QString(240, 'x') + ".ini";
        TestFiles::write(path(longName), "old");
        QVERIFY(QFile::link(path(longName), path("short.ini")));
        const Result<QString> written = FileWriter().write(path("short.ini"), "new");
        QVERIFY2(written, qPrintable(written.reason()));
        QCOMPARE(TestFiles::read(path(longName)), QByteArray("new"));
        QVERIFY(QFileInfo(path("short.ini")).isSymLink());

        const QByteArray fifo = QFile::encodeName(path("fifo.ini"));
        QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);
        QVERIFY(QFile::link(path("fifo.ini"), path("to-fifo.ini")));
        const Result<QString> toFifo = FileWriter().write(path("to-fifo.ini"), "x");
        QVERIFY(!toFifo);
        QCOMPARE(toFifo.reason(), QString("it is not a regular file"));
        QVERIFY(S_ISFIFO(statusOf(path("fifo.ini")).st_mode));
        if (::geteuid() != 0)
            return;
        const QByteArray device = QFile::encodeName(path("null.ini"));
        QCOMPARE(::mknod(device.constData(), S_IFCHR | 0666, makedev(1, 3)), 0);
        QVERIFY(!FileWriter().write(path("null.ini"), "x"));
        QVERIFY(S_ISCHR(statusOf(path("null.ini")).st_mode));
    }

    // Links are followed as the kernel follows them: to the end of a chain, where a missing file
    // is made, never replacing a link; and not where another user's link in a shared sticky
    // folder could lead the save onto a file of the victim's.
    void followsLinksAsTheKernelDoes_data()
    {
        QTest::addColumn<QString>("setUp");
        QTest::addColumn<QString>("written"); // where the text lands; empty when refused
        QTest::addColumn<QString>("error");
        QTest::newRow("chain to a file yet to be made") << "m1>m2 m2>real/none.ini"
                                                        << "real/none.ini"
                                                        << "";
        QTest::newRow("chain into a missing folder") << "m1>gone/none.ini"
                                                     << ""
                                                     << "";
        QTest::newRow("loop") << "m1>m2 m2>m1"
                              << ""
                              << "Too many levels of symbolic links";
        QTest::newRow("own link in a shared folder") << "shared:mine"
                                                     << "real/target.ini"
                                                     << "";
        QTest::newRow("another user's link in a shared folder")
            << "shared:nobody's"
            << ""
            << "it is a link that another user made in a shared folder";
    }

    void followsLinksAsTheKernelDoes()
    {
        QFETCH(QString, setUp);
        QFETCH(QString, written);
        QFETCH(QString, error);
        QVERIFY(QDir().mkpath(path("real")));
        TestFiles::write(path("real/target.ini"), "old");
        QString start = path("m1");
        if (setUp.startsWith("shared:")) {
            if (::geteuid() != 0)
                QSKIP("needs root to make another user's link");
            QVERIFY(QDir().mkpath(path("shared")));
            QCOMPARE(::chmod(QFile::encodeName(path("shared")).constData(), 01777), 0);
            start = path("shared/out.ini");
            QVERIFY(QFile::link(path("real/target.ini"), start));
            if (setUp.endsWith("nobody's"))
                QCOMPARE(::lchown(QFile::encodeName(start).constData(), 65534, 65534), 0);
        } else {
            for (const QString &link : setUp.split(' ')) {
                const QStringList ends = link.split('>');
                QVERIFY(QFile::link(ends[1], path(ends[0]))); // relative, as ln -s makes them
            }
        }
        const mode_t usual = ::umask(027); // a file made gets the mode the umask leaves
        const Result<QString> wrote = FileWriter().write(start, "new");
        ::umask(usual);
        QCOMPARE(bool(wrote), !written.isEmpty());
        const QString said = wrote.reason();
        if (written == "real/none.ini")
            QCOMPARE(statusOf(path(written)).st_mode & 07777, mode_t(0640));
        if (!error.isEmpty())
            QCOMPARE(said, error);
        if (!written.isEmpty())
            QCOMPARE(TestFiles::read(path(written)), QByteArray("new"));
        if (written != "real/target.ini")
            QCOMPARE(TestFiles::read(path("real/target.ini")), QByteArray("old"));
        QVERIFY(QFileInfo(start).isSymLink());
    }

    // Another user: a read-only file is refused; a writable file in a folder that user may not
    // write is written in place.
    void anotherUsersRights()
    {
        if (::geteuid() != 0)
            QSKIP("needs root to act as a second user");
        QVERIFY(QFile::setPermissions(m_dir.path(), QFileDevice::Permissions(0x7755)));
        const QString readOnly = path("readonly.ini"), writable = path("writable.ini");
        TestFiles::write(readOnly, "old");
        TestFiles::write(writable, "old");
        for (const QString &file : { readOnly, writable })
            QCOMPARE(::chown(QFile::encodeName(file).constData(), 65534, 65534), 0);
        QCOMPARE(::chmod(QFile::encodeName(readOnly).constData(), 0444), 0);
        QVERIFY(asAnotherUser([&] {
            const Result<QString> wrote = FileWriter().write(readOnly, "new");
            return !wrote && wrote.reason().contains(qt_error_string(EACCES));
        }));
        QVERIFY(asAnotherUser([&] { return bool(FileWriter().write(writable, "new")); }));
        QCOMPARE(TestFiles::read(readOnly), QByteArray("old"));
        QCOMPARE(TestFiles::read(writable), QByteArray("new"));
    }

    // A scratch file left by a process that was killed before its rename goes with the next
    // save into that folder; one of a running process stays.
    void removesScratchFilesOfEndedProcesses()
    {
        const pid_t ended = ::fork();
        if (ended == 0)
            ::_exit(0);
        ::waitpid(ended, nullptr, 0);
        const QString stale = QString(".morvane-%1-abcdef").arg(ended);
        const QString running = QString(".morvane-%1-abcdef").arg(::getppid());
        // A user's own files that only begin alike.
        const QStringList users { ".morvane-2026-notes.ini", QString(".morvane-%1-abc").arg(ended),
                                  QString(".morvane-%1-abcdef.ini").arg(ended) };
        TestFiles::write(path(stale), "left");
        TestFiles::write(path(running), "busy");
        for (const QString &name : users)
            TestFiles::write(path(name), "the user's");
        QVERIFY(FileWriter().write(path("file.ini"), "new"));
        QVERIFY(!QFile::exists(path(stale)));
        QVERIFY(QFile::exists(path(running)));
        for (const QString &name : users)
            QVERIFY2(QFile::exists(path(name)), qPrintable(name));
    }
};

QTEST_GUILESS_MAIN(TestFileWriter)
#include "tst_filewriter.moc"
