// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/commandline.h"

#include <QCommandLineParser>
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

    // A file name that starts with "-" reads as options: the mistake says how to name it.
    void namesFilesThatLookLikeOptions_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QStringList>("files");
        QTest::newRow("files") << QStringList { "a.ini", "b.ini" } << ""
                               << QStringList { "a.ini", "b.ini" };
        QTest::newRow("dash name") << QStringList { "a.ini", "-dash.ini" }
                                   << "unknown option -dash.ini; to open a file whose name "
                                      "starts with \"-\", put -- before it: morvane -- -dash.ini"
                                   << QStringList();
        QTest::newRow("after --") << QStringList { "--", "-dash.ini" } << ""
                                  << QStringList { "-dash.ini" };
    }

    void namesFilesThatLookLikeOptions()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, error);
        QFETCH(QStringList, files);
        QCommandLineParser parser;
        CommandLine::describe(parser);
        QString said;
        QCOMPARE(CommandLine::parse(parser, QStringList { "morvane" } + arguments, said),
                 error.isEmpty());
        QCOMPARE(said, error);
        if (error.isEmpty())
            QCOMPARE(parser.positionalArguments(), files);
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
        QCOMPARE(CommandLine::missingDisplay(QStringList { "morvane" } + arguments),
                 missing
                     ? QString("cannot connect to a display (DISPLAY / WAYLAND_DISPLAY not set)")
                     : QString());
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
