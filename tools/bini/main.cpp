// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

// bini: expands a compressed INI file into its text form, or packs a text into that form.
//
//   bini [--] NAME           reads NAME and writes its text form to NAME.txt
//   bini NAME --output FILE  the same, written to FILE
//   ... --progress           also prints how far it has come, in thousandths, line by line
//   bini --pack TEXT OUT     writes the compressed form of TEXT to OUT
//   bini --help, --version   the usage and the version, on standard output

#include "bini/biniformat.h"
#include "files/filesystem.h"
#include "save/filewriter.h"
#include "system/translations.h"

#include <QCoreApplication>
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
    const Result<QByteArray> bytes = FileSystem::readAll(input);
    if (!bytes)
        return fail(input, bytes.reason());
    // Writing the text takes longer than making it, as measured.
    constexpr double kDecodeShare = 0.4;
    const Result<QByteArray> result
        = packing ? BiniFormat::pack(*bytes) : BiniFormat::decode(*bytes, progress, kDecodeShare);
    if (!result)
        return fail(input, result.reason());
    // Written as the editor saves: a failure leaves no partial output.
    progress.beginStep(result->size(), 1 - kDecodeShare);
    if (const Result<QString> written = FileWriter().write(output, *result, progress); !written)
        return fail(output, written.reason());
    progress.endStep();
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    const char *usage = "usage: bini [--] NAME [--output FILE [--progress]]\n"
                        "       bini --pack TEXT OUT\n"
                        "       bini --help | --version\n";
    // Its messages, which Morvane shows too, in the user's language.
    QCoreApplication app(argc, argv);
    LoadTranslations(app);
    const auto argument = [argv](int index) { return FileSystem::pathFromNative(argv[index]); };
    const auto is = [argc, argv](int index, QByteArrayView option) {
        return index < argc && QByteArrayView(argv[index]) == option;
    };
    // Only these exact words are options; any other word that starts with a dash is a mistake,
    // not a file name, unless "--" comes before it.
    if (argc == 2 && is(1, "--help")) {
        std::printf("%s\n"
                    "Expands a compressed INI file into its text form, or packs a text file into\n"
                    "that form.\n\n"
                    "  NAME                  writes the text form of NAME to NAME.txt\n"
                    "  -- NAME               the same, for a NAME that starts with \"-\"\n"
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
    if (argc == 4 && is(1, "--pack"))
        return convert(argument(2), argument(3), true);
    // After "--", the next word is a name whatever it starts with.
    const int name = is(1, "--") ? 2 : 1;
    const bool bare = name == 2 || (argc > 1 && argv[1][0] != '-');
    const int rest = argc - name - 1;
    if (bare && rest == 0)
        return convert(argument(name), argument(name) + QStringLiteral(".txt"), false);
    if (bare && rest == 2 && is(name + 1, "--output"))
        return convert(argument(name), argument(name + 2), false);
    if (bare && rest == 3 && is(name + 1, "--output") && is(name + 3, "--progress")) {
        PrintedProgress progress;
        return convert(argument(name), argument(name + 2), false, progress);
    }
    const bool known = is(1, "--pack") || is(1, "--output") || is(1, "--progress")
        || is(1, "--help") || is(1, "--version");
    if (!bare && name == 1 && argc > 1 && !known)
        std::fprintf(stderr,
                     "bini: unknown option %s; put -- before a name that starts with \"-\"\n",
                     argv[1]);
    std::fprintf(stderr, "%s", usage);
    return 2;
}
