// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "submain.h"

#include "commandline.h"
#include "form1.h"
#include "system/endrequests.h"
#include "system/translations.h"
#include "workspace/recoverycopies.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

void sayAndEnd(const QString &line)
{
    std::fprintf(stderr, "morvane: %s\n", qPrintable(line));
}

// While the toolkit starts: what its display plugins say is held back, so that a failure to
// start any of them ends in one line naming their reason instead of the toolkit's page of advice.
struct StartUpMessages
{
    static inline QtMessageHandler usual = nullptr;
    static inline QList<std::pair<QtMsgType, QString>> heldBack;

    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        const bool fromPlatform
            = context.category && QByteArray(context.category).startsWith("qt.qpa");
        if (fromPlatform && type != QtFatalMsg) {
            heldBack.append({ type, message });
            return;
        }
        if (type == QtFatalMsg) {
            const QString reason = heldBack.isEmpty() ? message : heldBack.first().second;
            sayAndEnd(QCoreApplication::translate("SubMain", "cannot connect to a display (%1)")
                          .arg(reason));
            std::_Exit(1);
        }
        usual(type, context, message);
    }

    static void begin() { usual = qInstallMessageHandler(&StartUpMessages::handle); }

    // The toolkit started: what was held back was no reason to end, and is shown after all.
    static void end()
    {
        qInstallMessageHandler(usual);
        for (const auto &[type, message] : std::as_const(heldBack))
            usual(type, QMessageLogContext(), message);
        heldBack.clear();
    }
};

// Runs `then` once the window system shows the window (a question asked before that is placed
// where the window manager likes, not over the window), or after a second at the latest.
void whenShown(QWidget &window, std::function<void()> then, int triesLeft = 50)
{
    QTimer::singleShot(triesLeft == 50 ? 0 : 20, &window, [&window, then, triesLeft] {
        const QWindow *shown = window.windowHandle();
        if ((shown && shown->isExposed()) || triesLeft == 0)
            then();
        else
            whenShown(window, then, triesLeft - 1);
    });
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
    if (CommandLine::asksOnlyForText(arguments)) {
        QCoreApplication app(argc, argv);
        LoadTranslations(app);
        QCommandLineParser parser;
        CommandLine::describe(parser);
        parser.process(app); // prints the answer and ends the program
        return 0;
    }
    if (const Result<> display = CommandLine::displayToTry(arguments); !display) {
        sayAndEnd(display.reason());
        return 1;
    }

    StartUpMessages::begin();
    QApplication app(argc, argv);
    StartUpMessages::end();
    LoadTranslations(app);
    QGuiApplication::setDesktopFileName(QStringLiteral(MORVANE_APP_ID));
    QCommandLineParser parser;
    CommandLine::describe(parser);
    if (const Result<> parsed = CommandLine::parse(parser, app.arguments()); !parsed) {
        sayAndEnd(parsed.reason());
        return 1;
    }
    const QStringList files = CommandLine::filesNamed(argc, argv);

    form1 window;
    const EndRequests ends;
    QObject::connect(&ends, &EndRequests::requested, &window, &form1::endAsTheSystemAsks);
    window.show();
    // Once the window shows, so that each document appears as it comes: first what a run that
    // ended without saving left, then the files named.
    whenShown(window, [&window, files] {
        window.recovery().offerLeftBehind();
        if (!files.isEmpty())
            window.OpenFiles(files);
    });
    return app.exec();
}

} // namespace SubMain
