// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "phases.h"

#include "answeringdialogs.h"
#include "app/form1.h"
#include "editor/richtextbox.h"
#include "measure.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSaveFile>
#include <QTextEdit>
#include <Qsci/qsciscintilla.h>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kWidth = 700, kHeight = 500;

void print(const char *name, double value)
{
    std::printf("%s %.6f\n", name, value);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Peak added, and kept once the phase is over, over the resident size before it.
void printMemory(qint64 before)
{
    print("peak_added_bytes", double(Measure::peakResidentBytes() - before));
    print("kept_bytes", double(Measure::residentBytes() - before));
}

struct OpenWindow
{
    AnsweringDialogs dialogs;
    form1 form;
    explicit OpenWindow(const QString &path) : dialogs(path)
    {
        form.setDialogs(dialogs);
        form.resize(kWidth, kHeight);
        form.show();
        QApplication::processEvents();
    }
};

void typeOneKey(QWidget *editor)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
    QCoreApplication::sendEvent(editor, &press);
    QCoreApplication::sendEvent(editor, &release);
    QApplication::processEvents(); // the recolouring runs here
    static_cast<QAbstractScrollArea *>(editor)->viewport()->repaint();
}

// Median and largest time of 200 keystrokes typed at `position`.
void typeAt(form1 &form, int position, const char *name)
{
    RichTextBox &editor = form.editor(0);
    editor.setSelStart(position);
    std::vector<double> times;
    for (int key = 0; key < 200; ++key) {
        QElapsedTimer timer;
        timer.start();
        typeOneKey(editor.focusProxy());
        times.push_back(Measure::seconds(timer));
        if (times.back() > 0.002)
            std::fprintf(stderr, "key %d %.3f ms\n", key, times.back() * 1000);
    }
    std::sort(times.begin(), times.end());
    print((QByteArray(name) + "_median").constData(), times[times.size() / 2]);
    print((QByteArray(name) + "_max").constData(), times.back());
}

double timeFind(form1 &form, const QString &text, bool next)
{
    form.txtSearch->setText(text);
    QElapsedTimer timer;
    timer.start();
    if (next)
        form.cmdFindNext_Click();
    else
        form.cmdFind_Click();
    return Measure::seconds(timer);
}

// Shows the editor, then times `load` and the first round of events after it, and prints
// the time and the memory it took.
int measureLoad(QWidget &editor, const std::function<void()> &load)
{
    editor.resize(kWidth, kHeight);
    editor.show();
    QApplication::processEvents();
    const qint64 before = Measure::residentBytes();
    Measure::resetPeak();
    QElapsedTimer timer;
    timer.start();
    load();
    QApplication::processEvents();
    print("seconds", Measure::seconds(timer));
    printMemory(before);
    return 0;
}

} // namespace

namespace Phases {

int floorA(const QString &path)
{
    QTextEdit editor;
    return measureLoad(editor, [&] {
        editor.setPlainText(QString::fromUtf8(readFile(path))); // the text is the editor's own
    });
}

int floorB(const QString &path)
{
    QsciScintilla editor;
    editor.SendScintilla(QsciScintillaBase::SCI_SETCODEPAGE, QsciScintillaBase::SC_CP_UTF8);
    editor.SendScintilla(QsciScintillaBase::SCI_SETUNDOCOLLECTION, 0UL);
    return measureLoad(editor, [&] {
        const QByteArray bytes = readFile(path);
        editor.SendScintilla(QsciScintillaBase::SCI_APPENDTEXT, uintptr_t(bytes.size()),
                             bytes.constData());
        const QByteArray styles(bytes.size(), '\0');
        editor.SendScintilla(QsciScintillaBase::SCI_STARTSTYLING, 0UL, 0L);
        editor.SendScintilla(QsciScintillaBase::SCI_SETSTYLINGEX, uintptr_t(styles.size()),
                             styles.constData());
    }); // what the editor keeps is its own copy
}

int open(const QString &path)
{
    AnsweringDialogs dialogs(path);
    form1 form;
    form.setDialogs(dialogs);
    measureLoad(form, [&] { form.cmdOpen_Click(); });
    return form.editor(0).hasText() ? 0 : 1;
}

int work(const QString &path)
{
    OpenWindow window(path);
    form1 &form = window.form;
    form.cmdOpen_Click();
    QApplication::processEvents();

    QElapsedTimer timer;
    timer.start();
    form.cmdSave_Click();
    print("save_seconds", Measure::seconds(timer));
    // The floor writes the same bytes from a buffer this process filled, as the editor's is. A
    // buffer the kernel filled (read back from the file) is cheaper for it to write from on some
    // virtual machines, whose first kernel access to a page the program wrote costs microseconds.
    const QByteArray bytes = form.editor(0).utf8Text();
    timer.restart();
    QSaveFile plain(path + QStringLiteral(".copy"));
    if (!plain.open(QIODevice::WriteOnly) || plain.write(bytes) != bytes.size() || !plain.commit())
        return 1;
    print("save_floor_seconds", Measure::seconds(timer));

    print("find_end_seconds", timeFind(form, QStringLiteral("LAST_MARKER"), false));
    print("find_miss_seconds", timeFind(form, QStringLiteral("no such text here"), false));
    timeFind(form, QStringLiteral("retry 12"), false);
    print("find_next_seconds", timeFind(form, QStringLiteral("retry 12"), true));
    form.searchptr = qint32(bytes.size() - 2000); // ASCII: characters are bytes
    print("find_next_end_seconds", timeFind(form, QStringLiteral("retry 12"), true));

    typeAt(form, int(bytes.size() / 2), "type_middle");
    typeAt(form, int(bytes.size() - 100), "type_end");
    return 0;
}

int startUp()
{
    QElapsedTimer timer;
    timer.start();
    form1 form;
    form.show();
    QApplication::processEvents();
    print("seconds", Measure::seconds(timer));
    return 0;
}

} // namespace Phases
