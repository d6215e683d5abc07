// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/commandline.h"
#include "files/filesystem.h"

#include <QCommandLineParser>
#include <QDir>
#include <QTest>

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        qunsetenv("DISPLAY");
        qunsetenv("WAYLAND_DISPLAY");
        qunsetenv("QT_QPA_PLATFORM");
    }

    // A file name that starts with "-" reads as options: the mistake says how to name it. The
    // files are named by their bytes, whatever they are.
    void namesFilesThatLookLikeOptions_data()
    {
        QTest::addColumn<QByteArrayList>("arguments");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QByteArrayList>("files");
        QTest::newRow("files") << QByteArrayList { "a.ini", "b.ini" } << ""
                               << QByteArrayList { "a.ini", "b.ini" };
        QTest::newRow("dash name") << QByteArrayList { "a.ini", "-dash.ini" }
                                   << "unknown option -dash.ini; to open a file whose name "
                                      "starts with \"-\", put -- before it: morvane -- -dash.ini"
                                   << QByteArrayList();
        QTest::newRow("after --") << QByteArrayList { "--", "-dash.ini" } << ""
                                  << QByteArrayList { "-dash.ini" };
        QTest::newRow("not UTF-8") << QByteArrayList { "caf\xE9.ini", "/abs/\xFF\xC3\xA9" } << ""
                                   << QByteArrayList { "caf\xE9.ini", "/abs/\xFF\xC3\xA9" };
    }

    void namesFilesThatLookLikeOptions()
    {
        QFETCH(QByteArrayList, arguments);
        QFETCH(QString, error);
        QFETCH(QByteArrayList, files);
        arguments.prepend("morvane");
        QStringList decoded; // as Qt gives them
        std::vector<const char *> argv;
        for (const QByteArray &argument : std::as_const(arguments)) {
            decoded << QString::fromLocal8Bit(argument);
            argv.push_back(argument.constData());
        }
        QCommandLineParser parser;
        CommandLine::describe(parser);
        const Result<> parsed = CommandLine::parse(parser, decoded);
        QCOMPARE(bool(parsed), error.isEmpty());
        QCOMPARE(parsed.reason(), error);
        if (!error.isEmpty())
            return;
        const QStringList named = CommandLine::filesNamed(int(argv.size()), argv.data());
        QCOMPARE(named.size(), files.size());
        for (qsizetype i = 0; i < files.size(); ++i) {
            const QByteArray expected = files[i].startsWith('/')
                ? files[i]
                : QDir::currentPath().toUtf8() + '/' + files[i];
            QCOMPARE(FileSystem::nativePath(named[i]), expected);
        }
    }

    // Without any display the program says so itself, before the toolkit aborts with advice.
    void noticesAMissingDisplay_data()
    {
        QTest::addColumn<QByteArray>("variable");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("missing");
        QTest::newRow("none") << QByteArray() << QStringList() << true;
        QTest::newRow("X") << QByteArray("DISPLAY") << QStringList() << false;
        QTest::newRow("Wayland") << QByteArray("WAYLAND_DISPLAY") << QStringList() << false;
        QTest::newRow("platform chosen") << QByteArray("QT_QPA_PLATFORM") << QStringList() << false;
        QTest::newRow("platform argument")
            << QByteArray() << QStringList { "-platform", "offscreen" } << false;
    }

    void noticesAMissingDisplay()
    {
        QFETCH(QByteArray, variable);
        QFETCH(QStringList, arguments);
        QFETCH(bool, missing);
        cleanup();
        if (!variable.isEmpty())
            qputenv(variable.constData(), variable == "QT_QPA_PLATFORM" ? "offscreen" : ":0");
        QCOMPARE(CommandLine::displayToTry(QStringList { "morvane" } + arguments).reason(),
                 missing
                     ? QString("cannot connect to a display (DISPLAY / WAYLAND_DISPLAY not set)")
                     : QString());
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
