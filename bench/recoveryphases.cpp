// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Typing into a large document while its recovery copies are written, as a user types: a key
// every 20 ms for six seconds. What each key costs, how long the window goes without a turn of
// its event loop, and how far apart the copies reach the disk.

#include "answeringdialogs.h"
#include "app/form1.h"
#include "editor/richtextbox.h"
#include "phases.h"
#include "workspace/recoverycopies.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kKeyMilliseconds = 20;
constexpr int kKeys = 300;

void print(const char *name, double value)
{
    std::printf("%s %.6f\n", name, value);
}

// The newest copy's time of change, or 0 while there is none.
qint64 newestCopy(const QString &folder)
{
    qint64 newest = 0;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        newest = std::max(newest, QFileInfo(it.next()).lastModified().toMSecsSinceEpoch());
    return newest;
}

} // namespace

namespace Phases {

int typingWithRecovery(const QString &path)
{
    QTemporaryDir state;
    qputenv("XDG_STATE_HOME", QFile::encodeName(state.path()));
    AnsweringDialogs dialogs(path);
    form1 form;
    form.setDialogs(dialogs);
    form.resize(700, 500);
    form.show();
    form.cmdOpen_Click();
    QApplication::processEvents();
    RichTextBox &editor = form.editor(0);
    editor.setSelStart(editor.characterCount() - 100);
    QWidget *keys = editor.focusProxy();

    QElapsedTimer clock;
    std::vector<double> keyTimes;
    std::vector<qint64> turns, copies;
    qint64 lastCopy = 0;
    QTimer everyTurn, typist;
    everyTurn.setInterval(0);
    QObject::connect(&everyTurn, &QTimer::timeout, [&] { turns.push_back(clock.nsecsElapsed()); });
    typist.setInterval(kKeyMilliseconds);
    QObject::connect(&typist, &QTimer::timeout, [&] {
        QElapsedTimer key;
        key.start();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        QCoreApplication::sendEvent(keys, &press);
        QCoreApplication::sendEvent(keys, &release);
        static_cast<QAbstractScrollArea *>(keys)->viewport()->repaint();
        keyTimes.push_back(key.nsecsElapsed() / 1e9);
        if (const qint64 newest = newestCopy(state.path()); newest != lastCopy) {
            lastCopy = newest;
            copies.push_back(clock.nsecsElapsed());
        }
        if (keyTimes.size() == kKeys)
            QCoreApplication::exit();
    });
    clock.start();
    everyTurn.start();
    typist.start();
    QApplication::exec();

    std::vector<double> sorted = keyTimes;
    std::sort(sorted.begin(), sorted.end());
    print("type_median", sorted[sorted.size() / 2]);
    print("type_max", sorted.back());
    qint64 longestGap = 0;
    for (size_t i = 1; i < turns.size(); ++i)
        longestGap = std::max(longestGap, turns[i] - turns[i - 1]);
    print("longest_gap_seconds", longestGap / 1e9);
    // From the first key to the first copy, and between copies: how much typing a kill could
    // take at most.
    qint64 longestWithoutCopy = copies.empty() ? clock.nsecsElapsed() : copies.front();
    for (size_t i = 1; i < copies.size(); ++i)
        longestWithoutCopy = std::max(longestWithoutCopy, copies[i] - copies[i - 1]);
    print("copies", double(copies.size()));
    print("longest_without_copy_seconds", longestWithoutCopy / 1e9);
    form.recovery().endRun();
    return copies.empty() ? 1 : 0;
}

} // namespace Phases
