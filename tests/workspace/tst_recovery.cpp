// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "recovery/recoverystore.h"
#include "support/formfixture.h"
#include "support/steppingclock.h"
#include "system/endrequests.h"
#include "workspace/recoverycopies.h"

#include <QProcess>
#include <csignal>
#include <cstdio>

namespace {

// Another run of Morvane, in a process of its own: it opens `file`, types, lets its recovery
// copy be written and waits to be killed. With "--no-state-folder" no copy can be written, and
// it says how many messages it showed for that, after typing twice.
int otherRun(const QString &mode, const QString &file)
{
    FormFixture f;
    f.open(file);
    for (int round = 0; round < (mode == "--no-state-folder" ? 2 : 1); ++round) {
        f.typeAtStart("typed ");
        f.form.recovery().writeNow();
        QCoreApplication::processEvents(); // what the writing thread tells
    }
    std::printf("%lld\n", qlonglong(f.dialogs.messages.size()));
    std::fflush(stdout);
    std::getchar();
    return 0;
}

// A run told to end (SIGTERM) in the middle of a long save of `file` in place: it finishes the
// save, and then ends.
int terminatedRun(const QString &file)
{
    FormFixture f;
    SteppingClock clock; // the save shows its progress, and turns the event loop
    f.form.setClock(clock);
    const EndRequests ends;
    QObject::connect(&ends, &EndRequests::requested, &f.form, &form1::endAsTheSystemAsks);
    f.open(file);
    f.typeAtStart("saved ");
    f.dialogs.cancelAt = 0.3;
    f.dialogs.instead = [] { ::raise(SIGTERM); };
    f.form.cmdSave_Click();
    return QApplication::exec(); // where the end that was asked for comes
}

} // namespace

class TestRecovery : public QObject
{
    Q_OBJECT

    QTemporaryDir m_state;
    QString m_file;

    std::unique_ptr<QProcess> startOtherRun(const QString &mode = "--typed")
    {
        auto run = std::make_unique<QProcess>();
        run->start(QCoreApplication::applicationFilePath(), { mode, m_file });
        [&] { QVERIFY(run->waitForReadyRead(20000)); }();
        return run;
    }

    static void kill(QProcess &run)
    {
        ::kill(pid_t(run.processId()), SIGKILL);
        run.waitForFinished();
    }

    QStringList copiesLeft() const
    {
        QStringList left;
        for (const QString &found :
             FormFixture::everythingIn(m_state.filePath("morvane/recovery"))) {
            if (found.contains('/'))
                left << found;
        }
        return left;
    }

private slots:
    void initTestCase()
    {
        qputenv("XDG_STATE_HOME", m_state.path().toLocal8Bit());
        m_file = m_state.filePath("a.ini");
        TestFiles::write(m_file, "a=1\r\n");
    }

    // A run's copy is its own while it lives; once it was killed, the next start offers it:
    // Later keeps it, Recover brings back the exact text without writing the file, and a save
    // takes the copy away; Discard deletes it.
    void editsSurviveAKilledRun()
    {
        FormFixture f;
        std::unique_ptr<QProcess> other = startOtherRun();
        f.form.recovery().offerLeftBehind();
        QVERIFY(f.dialogs.recoverQuestions.isEmpty()); // alive
        kill(*other);

        const QString offer = "a.ini had unsaved changes when Morvane last stopped. Recover them?";
        f.form.recovery().offerLeftBehind(); // Later: the script gives no answer
        QCOMPARE(f.dialogs.recoverQuestions, QStringList { offer });
        QVERIFY(!f.editor(0).hasText());
        f.dialogs.recoverChoices << Dialogs::RecoverChoice::Recover;
        f.form.recovery().offerLeftBehind();
        QCOMPARE(f.dialogs.recoverQuestions.size(), 2);
        QCOMPARE(f.editor(0).Text(), QString("typed a=1\r\n"));
        QCOMPARE(f.caption(0), QString("a.ini"));
        QVERIFY(f.form.SSTab1->hasTabMark(0, SSTab::Modified));
        QCOMPARE(FormFixture::read(m_file), QByteArray("a=1\r\n"));
        QCOMPARE(copiesLeft().size(), 1); // now this run's own
        f.form.cmdSave_Click();
        QCOMPARE(FormFixture::read(m_file), QByteArray("typed a=1\r\n"));
        f.form.recovery().writeNow();
        QVERIFY(copiesLeft().isEmpty());

        other = startOtherRun();
        kill(*other);
        f.dialogs.recoverChoices << Dialogs::RecoverChoice::Discard;
        f.form.recovery().offerLeftBehind();
        QCOMPARE(f.dialogs.recoverQuestions.size(), 3);
        QCOMPARE(f.editor(1).hasText(), false);
        QVERIFY(copiesLeft().isEmpty());
    }

    // Told to end during a save in place, a run finishes the save before it ends: the file is
    // never torn.
    void anEndAskedForDuringASaveWaitsForIt()
    {
        const QString file = m_state.filePath("big.ini");
        const QByteArray text = QByteArray("key = value\n").repeated(1'000'000);
        TestFiles::write(file, text);
        QCOMPARE(::link(QFile::encodeName(file).constData(),
                        QFile::encodeName(m_state.filePath("second.ini")).constData()),
                 0); // a second name: the save goes in place
        QProcess other;
        other.start(QCoreApplication::applicationFilePath(), { "--terminated", file });
        QVERIFY(other.waitForFinished(60000));
        QCOMPARE(other.exitStatus(), QProcess::NormalExit);
        QVERIFY(FormFixture::read(file) == "saved " + text);
        QVERIFY(copiesLeft().isEmpty()); // nothing was left unsaved
    }

    // Where no copy can be written, the user is told once, and editing goes on.
    void aCopyThatCannotBeWrittenIsToldOnce()
    {
        const QString file = m_state.filePath("not-a-folder");
        QFile(file).open(QIODevice::WriteOnly);
        QProcess other;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_STATE_HOME", file);
        other.setProcessEnvironment(environment);
        other.start(QCoreApplication::applicationFilePath(), { "--no-state-folder", m_file });
        QVERIFY(other.waitForReadyRead(20000));
        QCOMPARE(other.readAll().trimmed(), QByteArray("1"));
        kill(other);
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--terminated")
        return terminatedRun(QString::fromLocal8Bit(argv[2]));
    if (argc == 3 && QByteArray(argv[1]).startsWith("--"))
        return otherRun(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
    TestRecovery test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_recovery.moc"
