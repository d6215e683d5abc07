// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "submain.h"

#include "form1.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QTimer>

namespace {

void describe(QCommandLineParser &parser)
{
    parser.setApplicationDescription(
        QStringLiteral("An editor for INI files: shows them colour-coded by line kind; a file "
                       "saved without edits comes back byte for byte. Compressed INI files open "
                       "too, and are saved as plain text."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("files"),
                                 QStringLiteral("Files to open, in order, as the Open command "
                                                "would open them."),
                                 QStringLiteral("[FILE...]"));
}

// --help and --version are answered without a window, so they work without a display too.
bool asksOnlyForText(const QStringList &arguments)
{
    QCommandLineParser parser;
    describe(parser);
    return parser.parse(arguments)
        && (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("version")));
}

} // namespace

namespace SubMain {

int Main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("Morvane"));
    QCoreApplication::setApplicationVersion(QStringLiteral(MORVANE_VERSION));
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (asksOnlyForText(arguments)) {
        QCoreApplication app(argc, argv);
        QCommandLineParser parser;
        describe(parser);
        parser.process(app); // prints the answer and ends the program
        return 0;
    }

    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.morvane"));
    QCommandLineParser parser;
    describe(parser);
    parser.process(app);
    QStringList files;
    for (const QString &file : parser.positionalArguments())
        files << QDir::current().absoluteFilePath(file);

    form1 window;
    window.show();
    if (!files.isEmpty()) // once the window shows, so that each file appears as it opens
        QTimer::singleShot(0, &window, [&window, files] { window.OpenFiles(files); });
    return app.exec();
}

} // namespace SubMain
