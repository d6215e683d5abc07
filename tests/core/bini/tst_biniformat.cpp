// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "bini/biniformat.h"
#include "support/testfiles.h"
#include "support/verifyok.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <cstring>
#include <limits>

namespace {

// Builds compressed files by hand, independently of the packer.
struct FileBuilder
{
    QByteArray body;
    QByteArray table;

    FileBuilder &u8(quint32 v) { return put(v, 1); }
    FileBuilder &u16(quint32 v) { return put(v, 2); }
    FileBuilder &u32(quint32 v) { return put(v, 4); }
    FileBuilder &put(quint32 v, int bytes)
    {
        for (int i = 0; i < bytes; ++i)
            body.append(char((v >> (8 * i)) & 0xFF));
        return *this;
    }
    quint32 string(const QByteArray &s)
    {
        const quint32 offset = quint32(table.size());
        table += s + '\0';
        return offset;
    }
    FileBuilder &floatValue(float f)
    {
        quint32 bits;
        std::memcpy(&bits, &f, 4);
        return u8(2).u32(bits);
    }
    QByteArray file(quint32 version = 1) const
    {
        QByteArray out("BINI");
        for (quint32 v : { version, quint32(12 + body.size()) })
            for (int i = 0; i < 4; ++i)
                out.append(char((v >> (8 * i)) & 0xFF));
        return out + body + table;
    }
};

} // namespace

class TestBiniFormat : public QObject
{
    Q_OBJECT

private slots:
    void decodesEveryValueType()
    {
        FileBuilder b;
        const quint32 main = b.string("Main"), name = b.string("name"), flag = b.string("flag"),
                      alpha = b.string("alpha"), other = b.string("Other"), k = b.string("k");
        b.u16(main).u16(2);
        b.u16(name).u8(3).u8(3).u32(alpha).u8(1).u32(quint32(-42)).floatValue(12.5f);
        b.u16(flag).u8(0);
        b.u16(other).u16(1);
        b.u16(k).u8(1).u8(1).u32(quint32(std::numeric_limits<qint32>::min()));
        const Result<QByteArray> result = BiniFormat::decode(b.file());
        VERIFY_OK(result);
        QCOMPARE(*result,
                 QByteArray("[Main]\r\nname = alpha, -42, 12.5\r\nflag\r\n\r\n"
                            "[Other]\r\nk = -2147483648\r\n"));
    }

    void formatsFloats_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("whole") << 90.0f << QByteArray("90.0");
        QTest::newRow("half") << 0.5f << QByteArray("0.5");
        QTest::newRow("small fixed") << 0.0001f << QByteArray("0.0001");
        QTest::newRow("negative zero") << -0.0f << QByteArray("-0.0");
        QTest::newRow("zero") << 0.0f << QByteArray("0.0");
        QTest::newRow("large") << 1e20f << QByteArray("1e+20");
        QTest::newRow("tiny") << -3.5e-07f << QByteArray("-3.5e-07");
        QTest::newRow("below fixed") << 0.00001f << QByteArray("1e-05");
        QTest::newRow("last fixed") << 1e15f << QByteArray("1000000000000000.0");
        QTest::newRow("first scientific") << 1e16f << QByteArray("1e+16");
        QTest::newRow("shortest of a third") << 1.0f / 3 << QByteArray("0.33333334");
        QTest::newRow("one tenth") << 0.1f << QByteArray("0.1");
        QTest::newRow("max") << std::numeric_limits<float>::max() << QByteArray("3.4028235e+38");
        QTest::newRow("denormal") << std::numeric_limits<float>::denorm_min()
                                  << QByteArray("1e-45");
        QTest::newRow("nan") << std::numeric_limits<float>::quiet_NaN() << QByteArray("nan");
        QTest::newRow("inf") << std::numeric_limits<float>::infinity() << QByteArray("inf");
        QTest::newRow("-inf") << -std::numeric_limits<float>::infinity() << QByteArray("-inf");
    }

    void formatsFloats()
    {
        QFETCH(float, value);
        QTEST(BiniFormat::formatFloat(value), "text");
    }

    void packThenDecodeGivesTheTextBack_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("kinds") << QByteArray(
            "[Main]\r\nname = alpha, -3, 12.5, 1e+20, nan\r\nflag\r\n"
            "\r\n[Two]\r\nname = alpha\r\n");
        QTest::newRow("look-alikes stay strings")
            << QByteArray("[s]\r\na = 007, +5, 1.10, 2147483648, 1e5, , x y\r\n");
        QTest::newRow("empty section") << QByteArray("[a]\r\n\r\n[b]\r\nk = v\r\n");
        QTest::newRow("nothing") << QByteArray();
    }

    void packThenDecodeGivesTheTextBack()
    {
        QFETCH(QByteArray, text);
        const Result<QByteArray> packed = BiniFormat::pack(text);
        VERIFY_OK(packed);
        const Result<QByteArray> decoded = BiniFormat::decode(*packed);
        VERIFY_OK(decoded);
        QCOMPARE(*decoded, text);
    }

    void packSharesEqualStrings()
    {
        const Result<QByteArray> packed = BiniFormat::pack("[s]\na = same, same\nb = same\n");
        VERIFY_OK(packed);
        QCOMPARE(packed->count("same"), 1);
    }

    void packRefusesEntriesOutsideSections() { QVERIFY(!BiniFormat::pack("k = v\n[s]\n")); }

    void refusesMalformedFiles_data()
    {
        QTest::addColumn<QByteArray>("file");
        FileBuilder good;
        good.u16(good.string("s")).u16(1).u16(good.string("k")).u8(1).u8(3).u32(0);
        const QByteArray valid = good.file();

        QTest::newRow("wrong magic") << QByteArray("BINX") + valid.mid(4);
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("truncated header") << valid.left(10);
        QTest::newRow("version 2") << FileBuilder(good).file(2);
        QTest::newRow("table past the end")
            << valid.left(8) + QByteArray("\xff\xff\x00\x00", 4) + valid.mid(12);
        QTest::newRow("table inside the header")
            << valid.left(8) + QByteArray("\x04\x00\x00\x00", 4) + valid.mid(12);
        QTest::newRow("truncated entry") << [] {
            FileBuilder b;
            b.u16(b.string("s")).u16(5).u16(0).u8(0);
            return b.file();
        }();
        QTest::newRow("count beyond the data") << [] {
            FileBuilder b;
            b.u16(b.string("s")).u16(0xFFFF);
            return b.file();
        }();
        QTest::newRow("value count beyond the data") << [] {
            FileBuilder b;
            b.u16(b.string("s")).u16(1).u16(0).u8(255).u8(1).u32(1);
            return b.file();
        }();
        QTest::newRow("name offset outside the table") << [] {
            FileBuilder b;
            b.string("s");
            b.u16(900).u16(0);
            return b.file();
        }();
        QTest::newRow("string offset outside the table") << [] {
            FileBuilder b;
            b.u16(b.string("s")).u16(1).u16(0).u8(1).u8(3).u32(0xFFFFFFF0);
            return b.file();
        }();
        QTest::newRow("string without NUL") << valid.left(valid.size() - 1);
        QTest::newRow("unknown value type") << [] {
            FileBuilder b;
            b.u16(b.string("s")).u16(1).u16(0).u8(1).u8(9).u32(0);
            return b.file();
        }();
    }

    void refusesMalformedFiles()
    {
        QFETCH(QByteArray, file);
        const Result<QByteArray> result = BiniFormat::decode(file);
        QVERIFY(!result);
        QVERIFY(!result.reason().isEmpty());
        QVERIFY(!result.reason().contains('\n'));
    }

    void repeatedStringsCannotExhaustMemory()
    {
        FileBuilder b;
        const quint32 big = b.string(QByteArray(60000, 'x'));
        // 20 entries of 255 references to a 60,000-byte string: some 300 MB of text.
        b.u16(b.string("s")).u16(20);
        for (int entry = 0; entry < 20; ++entry) {
            b.u16(0).u8(255);
            for (int v = 0; v < 255; ++v)
                b.u8(3).u32(big);
        }
        QVERIFY(!BiniFormat::decode(b.file()));
    }

    void commandLine()
    {
        QTemporaryDir dir;
        const QString text = dir.filePath("t.txt"), packed = dir.filePath("c.ini");
        TestFiles::write(text, "[s]\r\nk = 1, 2.5, v\r\n");
        QProcess bini;
        bini.setWorkingDirectory(dir.path());
        bini.start(BINI_PATH, { "--pack", text, packed });
        QVERIFY(bini.waitForFinished());
        QCOMPARE(bini.exitCode(), 0);
        bini.start(BINI_PATH, { "c.ini" });
        QVERIFY(bini.waitForFinished());
        QCOMPARE(bini.exitCode(), 0);
        QFile out(packed + ".txt");
        QVERIFY(out.open(QIODevice::ReadOnly));
        QCOMPARE(out.readAll(), QByteArray("[s]\r\nk = 1, 2.5, v\r\n"));
        out.close();
        QVERIFY(out.remove());
        bini.start(BINI_PATH, { "c.ini", "--output", "elsewhere.txt" });
        QVERIFY(bini.waitForFinished());
        QCOMPARE(bini.exitCode(), 0);
        QVERIFY(QFile::exists(dir.filePath("elsewhere.txt")));
        QVERIFY(!out.exists());

        TestFiles::write(dir.filePath("broken.ini"), "BINI\x01\x00");
        bini.start(BINI_PATH, { "broken.ini" });
        QVERIFY(bini.waitForFinished());
        QVERIFY(bini.exitCode() != 0);
        const QByteArray message = bini.readAllStandardError();
        QCOMPARE(message.count('\n'), 1);
        QVERIFY(message.startsWith("bini: broken.ini: "));
        QVERIFY(!QFile::exists(dir.filePath("broken.ini.txt")));
    }

    // Answers go to standard output with status 0; a wrong command line gets the usage on
    // standard error with status 2, and is never taken for a file name.
    void commandLineConventions_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<QByteArray>("err");
        QTest::newRow("--help") << QStringList { "--help" } << 0 << QByteArray("usage: bini")
                                << QByteArray();
        QTest::newRow("--version") << QStringList { "--version" } << 0
                                   << QByteArray("bini " MORVANE_VERSION "\n") << QByteArray();
        QTest::newRow("nothing") << QStringList {} << 2 << QByteArray()
                                 << QByteArray("usage: bini");
        QTest::newRow("--help with more")
            << QStringList { "--help", "x" } << 2 << QByteArray() << QByteArray("usage: bini");
        QTest::newRow("--output first") << QStringList { "--output", "x", "y" } << 2 << QByteArray()
                                        << QByteArray("usage: bini");
        QTest::newRow("--pack one name")
            << QStringList { "--pack", "x" } << 2 << QByteArray() << QByteArray("usage: bini");
        QTest::newRow("unknown option after the name")
            << QStringList { "x", "--out", "y" } << 2 << QByteArray() << QByteArray("usage: bini");
        QTest::newRow("unknown option") << QStringList { "--no-such-option" } << 2 << QByteArray()
                                        << QByteArray("bini: unknown option --no-such-option");
        QTest::newRow("a name after --") << QStringList { "--", "-x.ini" } << 1 << QByteArray()
                                         << QByteArray("bini: -x.ini: No such file");
    }

    void commandLineConventions()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, out);
        QFETCH(QByteArray, err);
        QTemporaryDir dir;
        QProcess bini;
        bini.setWorkingDirectory(dir.path());
        bini.start(BINI_PATH, arguments);
        QVERIFY(bini.waitForFinished());
        QCOMPARE(bini.exitStatus(), QProcess::NormalExit);
        QTEST(bini.exitCode(), "status");
        const QByteArray stdOut = bini.readAllStandardOutput(),
                         stdErr = bini.readAllStandardError();
        QVERIFY2(out.isEmpty() ? stdOut.isEmpty() : stdOut.startsWith(out), stdOut.constData());
        QVERIFY2(err.isEmpty() ? stdErr.isEmpty() : stdErr.startsWith(err), stdErr.constData());
        QVERIFY(QDir(dir.path()).isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestBiniFormat)
#include "tst_biniformat.moc"
