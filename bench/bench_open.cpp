// Times opening a large INI file: conversion, loading into the editor, and as the floor an
// uncoloured QTextEdit that is given the same text, shown and laid out.

#include "convert/colorizer.h"
#include "platform/richtextbox.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextEdit>
#include <cstdio>
#include <sys/resource.h>

namespace {

QByteArray generateIni(int lines)
{
    QByteArray text;
    text.reserve(qsizetype(lines) * 48);
    for (int i = 0; i < lines; ++i) {
        if (i % 25 == 0)
            text += "[Section" + QByteArray::number(i / 25) + "]\r\n";
        else if (i % 25 == 1)
            text += "; settings of ship group " + QByteArray::number(i) + " follow here\r\n";
        else if (i % 25 == 24)
            text += "\r\n";
        else
            text += "entry_" + QByteArray::number(i) + " = value " + QByteArray::number(i * 7)
                + ", speed 12" + ", 12.5, \"text\"\r\n";
    }
    return text;
}

double seconds(QElapsedTimer &timer)
{
    return timer.nsecsElapsed() / 1e9;
}

long peakMemoryMiB()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int lineCount = 300000;
    QTemporaryDir dir;
    const QString path = dir.filePath("big.ini");
    const QByteArray bytes = generateIni(lineCount);
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return 1;
    }

    QElapsedTimer timer;
    timer.start();
    RtfFragments iniLines;
    QString hunk;
    const ColorizeResult converted = ColorizeFile(path, iniLines, hunk);
    const double colorize = seconds(timer);
    if (!converted.ok)
        return 1;

    RichTextBox editor;
    editor.resize(900, 700);
    editor.show();
    timer.restart();
    const bool loaded = editor.LoadFile(converted.documentPath).ok;
    QApplication::processEvents();
    const double load = seconds(timer);
    QFile::remove(converted.documentPath);
    if (!loaded)
        return 1;
    const long peakAfterEditor = peakMemoryMiB();

    const QString plain = QString::fromUtf8(bytes);
    QTextEdit floorEditor;
    floorEditor.resize(900, 700);
    floorEditor.show();
    timer.restart();
    floorEditor.setPlainText(plain);
    QApplication::processEvents();
    floorEditor.document()->documentLayout()->documentSize(); // the whole layout is done
    const double floor = seconds(timer);

    std::printf("file: %d lines, %.1f MB\n", lineCount, bytes.size() / 1e6);
    std::printf("%-28s %8.3f s\n", "ColorizeFile", colorize);
    std::printf("%-28s %8.3f s\n", "LoadFile", load);
    std::printf("%-28s %8.3f s\n", "total", colorize + load);
    std::printf("%-28s %8.3f s\n", "floor QTextEdit::setPlainText", floor);
    std::printf("%-28s %8.2f\n", "total / floor", (colorize + load) / floor);
    std::printf("%-28s %8ld MiB (after the editor: %ld MiB)\n", "peak memory", peakMemoryMiB(),
                peakAfterEditor);
    return 0;
}
