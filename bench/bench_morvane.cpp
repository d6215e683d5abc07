// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Measures Morvane on big files against floors taken in the same run and prints one table:
// every figure beside its target, "ok" or "SHORT". Each phase runs in a process of its own.
//
//   QT_QPA_PLATFORM=offscreen build/bin/bench_morvane [--no-scaling]

#include "benchfile.h"
#include "phases.h"

#include <QApplication>
#include <QDate>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace {

using Figures = QMap<QByteArray, double>;

constexpr double kMB = 1e6;
constexpr int kRuns = 7;

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Runs this program again for one phase and reads back its "name value" lines. The disk is
// written out first, so that what the phase before wrote (an open's temporary document) is not
// written out during this one.
Figures runPhase(const QString &phase, const QString &path = QString())
{
    ::sync();
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), { phase, path });
    Figures figures;
    if (!child.waitForFinished(-1) || child.exitCode() != 0) {
        std::fprintf(stderr, "phase %s failed\n", qPrintable(phase));
        return figures;
    }
    for (const QByteArray &line : child.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> parts = line.split(' ');
        if (parts.size() == 2)
            figures[parts[0]] = parts[1].toDouble();
    }
    return figures;
}

// Each figure's median over `runs` runs of the phase. The machine's speed drifts from run to
// run; phases that are compared run in turn, so that a slow spell is shared, and each run starts
// with the next one, so that none always follows the same other.
QList<Figures> runPhases(const QStringList &phases, const QString &path, int runs)
{
    QList<QList<Figures>> runsOfPhase(phases.size());
    for (int run = 0; run < runs; ++run) {
        for (qsizetype turn = 0; turn < phases.size(); ++turn) {
            const qsizetype phase = (run + turn) % phases.size();
            runsOfPhase[phase] << runPhase(phases[phase], path);
        }
    }
    QList<Figures> medians;
    for (const QList<Figures> &all : runsOfPhase) {
        Figures median;
        for (const QByteArray &name : all.first().keys()) {
            QList<double> values;
            for (const Figures &figures : all)
                values << figures.value(name);
            std::sort(values.begin(), values.end());
            median[name] = values[values.size() / 2];
        }
        medians << median;
    }
    return medians;
}

void row(const char *figure, double value, const char *unit, double target, bool atMost = true)
{
    const bool ok = atMost ? value <= target : value >= target;
    std::printf("| %-52s | %10.3f %-3s | %s %8.3f | %-5s |\n", figure, value, unit,
                atMost ? "<=" : ">=", target, ok ? "ok" : "SHORT");
}

void note(const char *figure, double value, const char *unit)
{
    std::printf("| %-52s | %10.3f %-3s | %11s | %-5s |\n", figure, value, unit, "", "");
}

double spread(const QList<double> &values)
{
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    return *high / *low;
}

// An open ten times as large, long enough to show its progress: what showing it costs, how long
// the window goes without a turn of its event loop, and how quickly Cancel gives it up.
bool longWork(const QTemporaryDir &dir)
{
    const QString path = dir.filePath(QStringLiteral("long.ini"));
    const QByteArray bytes = BenchFile::ini(143'000'000);
    if (!writeFile(path, bytes))
        return false;
    const QList<Figures> opens
        = runPhases({ QStringLiteral("quietOpen"), QStringLiteral("progressOpen") }, path, kRuns);
    const Figures &quiet = opens[0], &shown = opens[1];
    const Figures cancelled = runPhases({ QStringLiteral("cancelledOpen") }, path, 3).first();
    const Figures typing = runPhases({ QStringLiteral("typingWithRecovery") }, path, 3).first();
    QFile::remove(path);
    note("Open 143 MB, its progress never shown", quiet["seconds"], "s");
    note("Open 143 MB as a user has it, progress shown", shown["seconds"], "s");
    row("Open 143 MB: progress shown / never shown", shown["seconds"] / quiet["seconds"], "x",
        1.05);
    row("longest wait for an event-loop turn, after 0.5 s", shown["longest_gap_seconds"] * 1000,
        "ms", 100);
    row("Cancel at half way: the open returns after", cancelled["cancel_seconds"] * 1000, "ms",
        100);
    row("memory after Cancel / before the open", cancelled["memory_after_over_before"], "x", 1.10);
    note("the same, the window's first Cancel", cancelled["first_memory_after_over_before"], "x");
    note("143 MB, typing 6 s: keystroke with recovery, median", typing["type_median"] * 1000, "ms");
    note("143 MB, typing 6 s: keystroke with recovery, slowest", typing["type_max"] * 1000, "ms");
    row("143 MB, typing: longest wait for an event-loop turn", typing["longest_gap_seconds"] * 1000,
        "ms", 100);
    note("143 MB, typing: longest time without a new copy", typing["longest_without_copy_seconds"],
         "s");
    return true;
}

// The big file's figures, against the two floors taken in the same run; the open's figures go
// on to the scaling table.
Figures bigFileTable(const QString &big, const QByteArray &bytes)
{
    const double size = bytes.size();
    const Figures a = runPhase(QStringLiteral("floorA"), big);
    const QList<Figures> openAndB
        = runPhases({ QStringLiteral("open"), QStringLiteral("floorB") }, big, kRuns);
    const Figures &open = openAndB[0], &b = openAndB[1];
    const Figures work = runPhase(QStringLiteral("work"), big);
    const Figures typing = runPhases({ QStringLiteral("typingWithRecovery") }, big, 3).first();
    const Figures start = runPhase(QStringLiteral("startup"));

    std::printf("Morvane benchmark, %s, file %.1f MB (%lld lines); opens and floor B: medians "
                "of %d runs\n\n",
                qPrintable(QDate::currentDate().toString(Qt::ISODate)), size / kMB,
                qlonglong(bytes.count('\n')), kRuns);
    std::printf("| %-52s | %14s | %11s | %-5s |\n|%s|%s|%s|%s|\n", "figure", "measured", "target",
                "", QByteArray(54, '-').constData(), QByteArray(16, '-').constData(),
                QByteArray(13, '-').constData(), QByteArray(7, '-').constData());
    note("floor A: QTextEdit::setPlainText, shown", a["seconds"], "s");
    note("floor B: QsciScintilla, text and styles, shown", b["seconds"], "s");
    note("Open through the window", open["seconds"], "s");
    row("Open / floor B", open["seconds"] / b["seconds"], "x", 1.25);
    row("Open / floor A", open["seconds"] / a["seconds"], "x", 0.45);
    row("peak memory the open adds / file size", open["peak_added_bytes"] / size, "x", 5);
    row("memory kept after the open / floor B's", open["kept_bytes"] / b["kept_bytes"], "x", 1.10);
    row("Find, only match at the very end", work["find_end_seconds"] * 1000, "ms", 40);
    row("Find of text that is not there", work["find_miss_seconds"] * 1000, "ms", 40);
    row("Find Next to the next line, at the start", work["find_next_seconds"] * 1000, "ms", 2);
    row("Find Next to the next line, near the end", work["find_next_end_seconds"] * 1000, "ms", 2);
    row("keystroke in the middle, median", work["type_middle_median"] * 1000, "ms", 2);
    row("keystroke in the middle, slowest of 200", work["type_middle_max"] * 1000, "ms", 5);
    row("keystroke near the end, median", work["type_end_median"] * 1000, "ms", 2);
    row("keystroke near the end, slowest of 200", work["type_end_max"] * 1000, "ms", 5);
    row("keystroke near the end, copies written, median", typing["type_median"] * 1000, "ms", 2);
    row("the same, slowest of 300 in 6 s", typing["type_max"] * 1000, "ms", 5);
    row("typing: longest wait for an event-loop turn", typing["longest_gap_seconds"] * 1000, "ms",
        50);
    row("typing: longest time without a new copy", typing["longest_without_copy_seconds"], "s",
        2.5);
    row("Save unedited / QSaveFile of the same bytes",
        work["save_seconds"] / work["save_floor_seconds"], "x", 2);
    row("start-up: main window constructed and shown", start["seconds"] * 1000, "ms", 150);
    return open;
}

using PerMB = std::pair<double, double>; // seconds and peak memory, a MB of file

PerMB perMB(const Figures &f, qsizetype bytes)
{
    return { f["seconds"] / (bytes / kMB), f["peak_added_bytes"] / bytes };
}

// One long line is laid out whole by the editor component; its floor shows its share.
bool longLineTable(const QString &path, QList<double> &timePerMB, QList<double> &memoryPerMB)
{
    const QByteArray line = BenchFile::singleLine(20'000'000);
    if (!writeFile(path, line))
        return false;
    const Figures lineOpen = runPhase(QStringLiteral("open"), path);
    const Figures lineFloor = runPhase(QStringLiteral("floorB"), path);
    note("Open one 20 MB line", lineOpen["seconds"], "s");
    note("floor B for the same line", lineFloor["seconds"], "s");
    note("peak memory / size: the line's open", lineOpen["peak_added_bytes"] / line.size(), "x");
    note("peak memory / size: floor B for the line", lineFloor["peak_added_bytes"] / line.size(),
         "x");
    row("Open one 20 MB line / floor B for it", lineOpen["seconds"] / lineFloor["seconds"], "x",
        1.25);
    // The editor component lays the line out in the first paint, after the open, where no
    // progress can show: the window waits for it.
    const Figures lineShown = runPhase(QStringLiteral("progressOpen"), path);
    note("the line, progress shown: longest wait in the open",
         lineShown["longest_gap_seconds"] * 1000, "ms");
    note("the line: the first paint after the open", lineShown["first_paint_seconds"], "s");
    const auto [lineTime, lineMemory] = perMB(lineOpen, line.size());
    timePerMB << lineTime;
    memoryPerMB << lineMemory;
    row("open time/MB, largest / smallest, the line too", spread(timePerMB), "x", 1.3);
    row("open peak/MB, largest / smallest, the line too", spread(memoryPerMB), "x", 1.3);
    return true;
}

// How the open's cost grows with the file's size: per MB, from 1.4 to 143 MB, and for one long
// line.
bool scalingTable(QTemporaryDir &dir, const Figures &open, qsizetype bigSize)
{
    const auto [bigTime, bigMemory] = perMB(open, bigSize);
    QList<double> timePerMB { bigTime }, memoryPerMB { bigMemory };
    const QString path = dir.filePath(QStringLiteral("scale.ini"));
    // What any open costs whatever the file's size (the window's repaints, the temporary
    // document, the first paint of the text), to tell it from the cost that grows.
    if (!writeFile(path, BenchFile::ini(10'000)))
        return false;
    const double fixedSeconds
        = runPhases({ QStringLiteral("open") }, path, kRuns).first()["seconds"];
    note("Open 10 KB: what any open costs", fixedSeconds, "s");
    const auto growingPerMB
        = [&](double seconds, qsizetype bytes) { return (seconds - fixedSeconds) / (bytes / kMB); };
    QList<double> growingTimePerMB { growingPerMB(open["seconds"], bigSize) };
    for (const qsizetype size : { 1'430'000, 143'000'000 }) {
        if (!writeFile(path, BenchFile::ini(size)))
            return false;
        const Figures f = runPhases({ QStringLiteral("open") }, path, kRuns).first();
        const auto [time, memory] = perMB(f, size);
        std::printf("| %-52s | %10.3f s   | %11s | %-5s |\n",
                    qPrintable(QStringLiteral("Open %1 MB (%2 ms/MB, peak %3 x its size)")
                                   .arg(size / kMB, 0, 'f', 1)
                                   .arg(time * 1000, 0, 'f', 1)
                                   .arg(memory, 0, 'f', 1)),
                    f["seconds"], "", "");
        timePerMB << time;
        memoryPerMB << memory;
        growingTimePerMB << growingPerMB(f["seconds"], size);
    }
    row("open time/MB, largest / smallest, 1.4 to 140 MB", spread(timePerMB), "x", 1.3);
    row("the same beyond what a 10 KB open costs", spread(growingTimePerMB), "x", 1.3);
    row("open peak/MB, largest / smallest, 1.4 to 140 MB", spread(memoryPerMB), "x", 1.3);

    return longLineTable(path, timePerMB, memoryPerMB);
}

int orchestrate(bool scaling)
{
    QTemporaryDir dir;
    const QString big = dir.filePath(QStringLiteral("big.ini"));
    const QByteArray bytes = BenchFile::ini(14'300'000) + "LAST_MARKER = 1\r\n";
    if (!writeFile(big, bytes))
        return 1;
    const Figures open = bigFileTable(big, bytes);
    if (!longWork(dir))
        return 1;
    return !scaling || scalingTable(dir, open, bytes.size()) ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    const QString phase = args.value(0), path = args.value(1);
    if (phase == QLatin1String("floorA"))
        return Phases::floorA(path);
    if (phase == QLatin1String("floorB"))
        return Phases::floorB(path);
    if (phase == QLatin1String("open"))
        return Phases::open(path);
    if (phase == QLatin1String("work"))
        return Phases::work(path);
    if (phase == QLatin1String("startup"))
        return Phases::startUp();
    if (phase == QLatin1String("quietOpen"))
        return Phases::quietOpen(path);
    if (phase == QLatin1String("progressOpen"))
        return Phases::progressOpen(path);
    if (phase == QLatin1String("cancelledOpen"))
        return Phases::cancelledOpen(path);
    if (phase == QLatin1String("typingWithRecovery"))
        return Phases::typingWithRecovery(path);
    return orchestrate(!args.contains(QLatin1String("--no-scaling")));
}
