// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "commandline.h"

#include "files/filesystem.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace CommandLine {

void describe(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QCoreApplication::translate(
        "CommandLine",
        "An editor for INI files: shows them colour-coded by line kind; a file "
        "saved without edits comes back byte for byte. Compressed INI files open "
        "too, and are saved as plain text."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("files"),
        QCoreApplication::translate("CommandLine",
                                    "Files to open, in order, as the Open command "
                                    "would open them. Put -- before a name that "
                                    "starts with \"-\"."),
        QStringLiteral("[FILE...]"));
}

bool asksOnlyForText(const QStringList &arguments)
{
    QCommandLineParser parser;
    describe(parser);
    return parser.parse(arguments)
        && (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("version")));
}

namespace {

    // The first argument before "--" that the parser took for options it does not know.
    QString firstUnknownArgument(const QStringList &arguments)
    {
        const QStringList known = { QStringLiteral("-h"), QStringLiteral("--help"),
                                    QStringLiteral("-?"), QStringLiteral("--help-all"),
                                    QStringLiteral("-v"), QStringLiteral("--version") };
        for (qsizetype i = 1; i < arguments.size(); ++i) {
            const QString &argument = arguments[i];
            if (argument == QLatin1String("--"))
                break;
            if (argument.startsWith(u'-') && argument.size() > 1 && !known.contains(argument))
                return argument;
        }
        return {};
    }

} // namespace

Result<> parse(QCommandLineParser &parser, const QStringList &arguments)
{
    if (parser.parse(arguments))
        return {};
    const QString unknown = firstUnknownArgument(arguments);
    if (unknown.isEmpty())
        return Failure { parser.errorText() };
    return Failure { QCoreApplication::translate(
                         "CommandLine",
                         "unknown option %1; to open a file whose name starts with \"-\", put "
                         "-- before it: morvane -- %1")
                         .arg(unknown) };
}

QStringList filesNamed(int argc, const char *const *argv)
{
    QStringList files;
    bool namesOnly = false;
    for (int i = 1; i < argc; ++i) {
        const QByteArrayView argument(argv[i]);
        if (!namesOnly && argument == "--")
            namesOnly = true;
        else if (namesOnly || !argument.startsWith('-') || argument == "-")
            files << FileSystem::absolutePath(FileSystem::pathFromNative(argument));
    }
    return files;
}

Result<> displayToTry(const QStringList &arguments)
{
    // A platform chosen by the user (offscreen, vnc, ...) may need no display at all.
    if (arguments.contains(QLatin1String("-platform"))
        || arguments.contains(QLatin1String("--platform"))
        || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return {};
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return Failure { QCoreApplication::translate(
            "CommandLine", "cannot connect to a display (DISPLAY / WAYLAND_DISPLAY not set)") };
    return {};
}

} // namespace CommandLine
