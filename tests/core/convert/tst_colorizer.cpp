// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "convert/colorizer.h"
#include "convert/lineclassifier.h"
#include "support/testfiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QStringList fragmentsOf(const QByteArray &fileBytes)
{
    RtfFragments fragments;
    QString hunk;
    colorizeBytes(fileBytes, fragments, hunk);
    QStringList lines;
    for (qsizetype i = 0; i < fragments.size(); ++i)
        lines.append(QString::fromLatin1(fragments.at(i)));
    return lines;
}

} // namespace

class TestColorizer : public QObject
{
    Q_OBJECT

private slots:
    void fragments_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("fragments");

        QTest::newRow("empty file") << QByteArray() << QStringList { "}" };
        QTest::newRow("the four kinds")
            << QByteArray("[Main]\r\nname = alpha\r\n; a comment\r\nflag\r\n")
            << QStringList { "\\cf1 [Main]\\par ", "\\cf3 name =\\cf0  alpha\\par ",
                             "\\cf2 ; a comment\\par ", "flag\\par ", "}" };
        QTest::newRow("comment wins over key")
            << QByteArray("a = b ; note") << QStringList { "\\cf2 a = b ; note\\par ", "}" };
        QTest::newRow("section wins over key")
            << QByteArray("[x] = 1") << QStringList { "\\cf1 [x] = 1\\par ", "}" };
        QTest::newRow("empty key")
            << QByteArray("=x") << QStringList { "\\cf3 =\\cf0 x\\par ", "}" };
        QTest::newRow("backslash in value")
            << QByteArray("path = a\\b") << QStringList { "\\cf3 path =\\cf0  a\\\\b\\par ", "}" };
        QTest::newRow("backslash in key")
            << QByteArray("a\\b=c") << QStringList { "\\cf3 a\\\\b=\\cf0 c\\par ", "}" };
        QTest::newRow("indented section is plain")
            << QByteArray(" [Main]") << QStringList { " [Main]\\par ", "}" };
        QTest::newRow("braces escaped")
            << QByteArray("x = {a}") << QStringList { "\\cf3 x =\\cf0  \\{a\\}\\par ", "}" };
        QTest::newRow("rtf-looking text")
            << QByteArray("{\\rtf1 \\par}") << QStringList { "\\{\\\\rtf1 \\\\par\\}\\par ", "}" };
        QTest::newRow("lone LF and CR end lines")
            << QByteArray("a\nb\rc") << QStringList { "a\\par ", "b\\par ", "c\\par ", "}" };
        QTest::newRow("empty lines")
            << QByteArray("\r\n\r\n") << QStringList { "\\par ", "\\par ", "}" };
        QTest::newRow("windows-1252 stays ascii")
            << QByteArray("caf\xE9\t\x80") << QStringList { "caf\\'e9\\'09\\'80\\par ", "}" };
        QTest::newRow("utf-8 as unicode escapes")
            << QByteArray("caf\xC3\xA9 \xE4\xB8\xAD")
            << QStringList { "caf\\u233? \\u20013?\\par ", "}" };
    }

    void fragments()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, fragments);
        QCOMPARE(fragmentsOf(file), fragments);
    }

    void documentIsHeaderLayoutAndFragments()
    {
        RtfFragments lines;
        QString hunk;
        const QByteArray document = colorizeBytes("a=b\nc", lines, hunk);
        QCOMPARE(document,
                 QByteArray("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang3081\\deflangfe1033"
                            "{\\fonttbl{\\f0\\froman\\fprq2\\fcharset0 Times New Roman;}{\\f1\\fnil"
                            "\\fcharset0 MS Sans Serif;}}{\\colortbl ;\\red5\\green0\\blue215;"
                            "\\red18\\green158\\blue67;\\red197\\green168\\blue33;}")
                     + "{\\*\\morvanelayout utf-8;0;1n1x}\\cf3 a=\\cf0 b\\par "
                       "c\\par }");
        QVERIFY(hunk.isEmpty());
        for (char c : document)
            QVERIFY(static_cast<unsigned char>(c) < 0x80);
    }

    void colourLineCarriesPlainLines_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<char>("carried");
        QTest::addColumn<QByteArray>("colours");
        QTest::addColumn<char>("carriedOut");

        QTest::newRow("plain after section") << QByteArray("ab") << char(SectionColour)
                                             << QByteArray("\1\1\1\1", 4) << char(SectionColour);
        QTest::newRow("key value") << QByteArray("k=v") << char(CommentColour)
                                   << QByteArray("\3\3\0\0\0", 5) << char(DefaultColour);
        QTest::newRow("comment") << QByteArray(";x") << char(DefaultColour)
                                 << QByteArray("\2\2\2\2", 4) << char(CommentColour);
        QTest::newRow("section") << QByteArray("[s]") << char(DefaultColour)
                                 << QByteArray("\1\1\1\1\1", 5) << char(SectionColour);
    }

    void colourLineCarriesPlainLines()
    {
        QFETCH(QByteArray, line);
        QFETCH(char, carried);
        QFETCH(QByteArray, colours);
        QFETCH(char, carriedOut);
        QByteArray out(line.size() + 2, 'x'); // two terminator bytes
        QCOMPARE(LineClassifier::colourLine(line, 2, carried, out.data()), carriedOut);
        QCOMPARE(out, colours);
    }

    void colorizeFileWritesAUniqueTemporaryDocument()
    {
        QTemporaryDir dir;
        const QString input = dir.filePath("in.ini");
        TestFiles::write(input, "[a]\r\n");
        RtfFragments lines;
        QString hunk;
        const Result<QString> first = ColorizeFile(input, lines, hunk);
        const Result<QString> second = ColorizeFile(input, lines, hunk);
        QVERIFY(first && second);
        QVERIFY(*first != *second);
        QVERIFY(QFileInfo(*first).fileName().startsWith("tmp"));
        QVERIFY(first->endsWith(".rtf"));
        QFile::remove(*first);
        QFile::remove(*second);
    }

    void colorizeFileReportsAMissingFile()
    {
        RtfFragments lines;
        QString hunk;
        const Result<QString> result = ColorizeFile("/nonexistent/x.ini", lines, hunk);
        QVERIFY(!result);
        QVERIFY(!result.reason().isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestColorizer)
#include "tst_colorizer.moc"
