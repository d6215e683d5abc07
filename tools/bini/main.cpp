// bini: expands a compressed INI file into its text form, or packs a text into that form.
//
//   bini NAME                reads NAME and writes its text form to NAME.txt
//   bini NAME --output FILE  the same, written to FILE
//   bini --pack TEXT OUT     writes the compressed form of TEXT to OUT

#include "biniformat.h"
#include "platform/filesystem.h"
#include "platform/filewriter.h"

#include <QString>
#include <cstdio>

namespace {

int fail(const QString &path, const QString &reason)
{
    std::fprintf(stderr, "bini: %s: %s\n", qPrintable(path), qPrintable(reason));
    return 1;
}

int convert(const QString &input, const QString &output, bool packing)
{
    QByteArray bytes;
    QString error;
    if (!FileSystem::readAll(input, bytes, error))
        return fail(input, error);
    const BiniFormat::Result result = packing ? BiniFormat::pack(bytes) : BiniFormat::decode(bytes);
    if (!result.ok)
        return fail(input, result.error);
    // Written as the editor saves: a failure leaves no partial output.
    if (!FileWriter().write(output, result.bytes, error))
        return fail(output, error);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    const QString usage = QStringLiteral("usage: bini NAME [--output FILE] | bini --pack TEXT OUT");
    const auto argument = [argv](int index) { return QString::fromLocal8Bit(argv[index]); };
    const bool packing = argc > 1 && QByteArrayView(argv[1]) == "--pack";
    if (argc == 2 && !packing)
        return convert(argument(1), argument(1) + QStringLiteral(".txt"), false);
    if (argc == 4 && !packing && QByteArrayView(argv[2]) == "--output")
        return convert(argument(1), argument(3), false);
    if (argc == 4 && packing)
        return convert(argument(2), argument(3), true);
    std::fprintf(stderr, "%s\n", qPrintable(usage));
    return 2;
}
