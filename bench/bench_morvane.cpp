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

namespace {

using Figures = QMap<QByteArray, double>;

constexpr double kMB = 1e6;

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Runs this program again for one phase and reads back its "name value" lines.
Figures runPhase(const QString &phase, const QString &path = QString())
{
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

int orchestrate(bool scaling)
{
    QTemporaryDir dir;
    const QString big = dir.filePath(QStringLiteral("big.ini"));
    const QByteArray bytes = BenchFile::ini(14'300'000) + "LAST_MARKER = 1\r\n";
    if (!writeFile(big, bytes))
        return 1;
    const double size = bytes.size();

    const Figures a = runPhase(QStringLiteral("floorA"), big);
    const Figures b = runPhase(QStringLiteral("floorB"), big);
    const Figures open = runPhase(QStringLiteral("open"), big);
    const Figures work = runPhase(QStringLiteral("work"), big);
    const Figures start = runPhase(QStringLiteral("startup"));

    std::printf("Morvane benchmark, %s, file %.1f MB (%lld lines)\n\n",
                qPrintable(QDate::currentDate().toString(Qt::ISODate)), size / kMB,
                qlonglong(bytes.count('\n')));
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
    row("Save unedited / QSaveFile of the same bytes",
        work["save_seconds"] / work["save_floor_seconds"], "x", 2);
    row("start-up: main window constructed and shown", start["seconds"] * 1000, "ms", 150);

    if (scaling) {
        QList<double> timePerMB { open["seconds"] / (size / kMB) };
        QList<double> memoryPerMB { open["peak_added_bytes"] / size };
        const struct
        {
            const char *name;
            QByteArray bytes;
        } files[] = { { "1.4 MB", BenchFile::ini(1'430'000) },
                      { "140 MB", BenchFile::ini(143'000'000) },
                      { "one 20 MB line", BenchFile::singleLine(20'000'000) } };
        for (const auto &file : files) {
            const QString path = dir.filePath(QStringLiteral("scale.ini"));
            if (!writeFile(path, file.bytes))
                return 1;
            const Figures f = runPhase(QStringLiteral("open"), path);
            const double mb = file.bytes.size() / kMB;
            std::printf("| %-52s | %10.3f s   | %11s | %-5s |\n",
                        qPrintable(QStringLiteral("Open %1, %2 MB peak added")
                                       .arg(QLatin1String(file.name))
                                       .arg(f["peak_added_bytes"] / kMB, 0, 'f', 0)),
                        f["seconds"], "", "");
            timePerMB << f["seconds"] / mb;
            memoryPerMB << f["peak_added_bytes"] / file.bytes.size();
        }
        row("open time per MB, largest / smallest of 4 sizes", spread(timePerMB), "x", 1.3);
        row("open peak memory per MB, largest / smallest", spread(memoryPerMB), "x", 1.3);
    }
    return 0;
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
    return orchestrate(!args.contains(QLatin1String("--no-scaling")));
}
