// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

// bini: expands a compressed INI file into its text form, or packs a text into that form.
//
//   bini NAME                reads NAME and writes its text form to NAME.txt
//   bini NAME --output FILE  the same, written to FILE
//   ... --progress           also prints how far it has come, in thousandths, line by line
//   bini --pack TEXT OUT     writes the compressed form of TEXT to OUT
//   bini --help, --version   the usage and the version, on standard output

#include "biniformat.h"
#include "files/filesystem.h"
#include "files/filewriter.h"

#include <QString>
#include <cstdio>

namespace {

// How far the work has come, in thousandths, a line on standard output each time it moves on:
// Morvane shows it while it waits for the text.
class PrintedProgress final : public WorkProgress
{
protected:
    void reached(double fraction) override
    {
        const int thousandths = int(fraction * 1000);
        if (thousandths == m_printed)
            return;
        m_printed = thousandths;
        std::printf("%d\n", thousandths);
        std::fflush(stdout);
    }

private:
    int m_printed = -1;
};

int fail(const QString &path, const QString &reason)
{
    std::fprintf(stderr, "bini: %s: %s\n", qPrintable(path), qPrintable(reason));
    return 1;
}

int convert(const QString &input, const QString &output, bool packing,
            WorkProgress &progress = WorkProgress::unwatched())
{
    QByteArray bytes;
    QString error;
    if (!FileSystem::readAll(input, bytes, error))
        return fail(input, error);
    // Writing the text takes longer than making it, as measured.
    constexpr double kDecodeShare = 0.4;
    const BiniFormat::Result result
        = packing ? BiniFormat::pack(bytes) : BiniFormat::decode(bytes, progress, kDecodeShare);
    if (!result.ok)
        return fail(input, result.error);
    // Written as the editor saves: a failure leaves no partial output.
    progress.beginStep(result.bytes.size(), 1 - kDecodeShare);
    if (!FileWriter().write(output, result.bytes, error, progress))
        return fail(output, error);
    progress.endStep();
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    const char *usage = "usage: bini NAME [--output FILE [--progress]]\n"
                        "       bini --pack TEXT OUT\n"
                        "       bini --help | --version\n";
    const auto argument = [argv](int index) { return QString::fromLocal8Bit(argv[index]); };
    const auto is = [argc, argv](int index, QByteArrayView option) {
        return index < argc && QByteArrayView(argv[index]) == option;
    };
    // Only these exact words are options: morvane hands over bare file names, which may begin
    // with a dash.
    if (argc == 2 && is(1, "--help")) {
        std::printf("%s\n"
                    "Expands a compressed INI file into its text form, or packs a text file into\n"
                    "that form.\n\n"
                    "  NAME                  writes the text form of NAME to NAME.txt\n"
                    "  NAME --output FILE    writes it to FILE instead\n"
                    "  ... --progress        also prints how far it has come, in thousandths,\n"
                    "                        a line each time it moves on\n"
                    "  --pack TEXT OUT       writes the compressed form of TEXT to OUT\n"
                    "  --help                shows this help\n"
                    "  --version             shows the version\n\n"
                    "Exit status: 0 on success, 1 when a file cannot be read, is malformed or\n"
                    "cannot be written, 2 for a wrong command line.\n",
                    usage);
        return 0;
    }
    if (argc == 2 && is(1, "--version")) {
        std::printf("bini %s\n", MORVANE_VERSION);
        return 0;
    }
    const bool packing = is(1, "--pack");
    const bool optionFirst = is(1, "--help") || is(1, "--version") || is(1, "--output");
    if (argc == 2 && !packing && !optionFirst)
        return convert(argument(1), argument(1) + QStringLiteral(".txt"), false);
    if (argc == 4 && !packing && !optionFirst && is(2, "--output"))
        return convert(argument(1), argument(3), false);
    if (argc == 5 && !packing && !optionFirst && is(2, "--output") && is(4, "--progress")) {
        PrintedProgress progress;
        return convert(argument(1), argument(3), false, progress);
    }
    if (argc == 4 && packing)
        return convert(argument(2), argument(3), true);
    std::fprintf(stderr, "%s", usage);
    return 2;
}
