// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rtf/rtfreader.h"

#include <QElapsedTimer>
#include <QTest>

namespace {

QString textOf(const QByteArray &rtf)
{
    return QString::fromUtf8(RtfReader::read(rtf).text);
}

} // namespace

class TestRtfReader : public QObject
{
    Q_OBJECT

private slots:
    void readsText_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("text");

        QTest::newRow("plain") << QByteArray("{\\rtf1 hello}") << "hello";
        QTest::newRow("delimiter space is not text") << QByteArray("{\\rtf1\\cf1  x}") << " x";
        QTest::newRow("paragraph without layout is CR LF")
            << QByteArray("{\\rtf1 a\\par b\\par }") << "a\r\nb\r\n";
        QTest::newRow("escaped symbols") << QByteArray("{\\rtf1 \\\\ \\{ \\}}") << "\\ { }";
        QTest::newRow("hex escape is Windows-1252")
            << QByteArray("{\\rtf1 caf\\'e9 \\'80}") << QString::fromUtf8("caf\u00E9 \u20AC");
        QTest::newRow("unicode with fallback")
            << QByteArray("{\\rtf1 \\u20013?x}") << QString::fromUtf8("\u4E2Dx");
        QTest::newRow("negative unicode")
            << QByteArray("{\\rtf1 \\u-3?}") << QString(QChar(0xFFFD));
        QTest::newRow("surrogate pair")
            << QByteArray("{\\rtf1 \\u-10179?\\u-8704?}") << QString::fromUtf8("\xF0\x9F\x98\x80");
        QTest::newRow("uc2 skips two")
            << QByteArray("{\\rtf1\\uc2 \\u233ab c}") << QString::fromUtf8("\u00E9 c");
        QTest::newRow("font table skipped")
            << QByteArray("{\\rtf1{\\fonttbl{\\f0 Arial;}}x}") << "x";
        QTest::newRow("starred destination skipped")
            << QByteArray("{\\rtf1{\\*\\generator Foo;}{\\*\\unknown {nested} y}x}") << "x";
        QTest::newRow("unknown words ignored") << QByteArray("{\\rtf1\\foo12\\bar x}") << "x";
        QTest::newRow("raw line breaks ignored") << QByteArray("{\\rtf1 a\r\nb}") << "ab";
        QTest::newRow("layout terminators")
            << QByteArray("{\\rtf1{\\*\\morvanelayout utf-8;0;1n1r1w1x}a\\par b\\par c\\par "
                          "d\\par }")
            << "a\nb\rc\r\nd";
    }

    void readsText()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, text);
        QCOMPARE(textOf(rtf), text);
    }

    void readsColourTableAndRuns()
    {
        const RtfDocument doc = RtfReader::read(
            "{\\rtf1{\\colortbl ;\\red5\\green0\\blue215;\\red18\\green158\\blue67;}"
            "\\cf1 ab\\cf0 c{\\cf2 d}e}");
        QCOMPARE(doc.colourTable.size(), 3);
        QVERIFY(doc.colourTable[0].automatic);
        QCOMPARE(doc.colourTable[1].blue, 215);
        QCOMPARE(doc.colourTable[2].green, 158);
        QCOMPARE(doc.text, QByteArray("abcde"));
        QCOMPARE(doc.colours, QByteArray("\1\1\0\2\0", 5));
    }

    void readsLayoutFormat()
    {
        const RtfDocument doc
            = RtfReader::read("{\\rtf1{\\*\\morvanelayout windows-1252;1;1x}x\\par }");
        QCOMPARE(doc.format.encoding, TextEncoding::Windows1252);
        QVERIFY(doc.format.byteOrderMark);
    }

    // Whatever arrives, the reader ends, and quickly.
    void survivesMalformedInput_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("truncated word") << QByteArray("{\\rtf1\\par");
        QTest::newRow("truncated hex") << QByteArray("{\\rtf1 \\'4");
        QTest::newRow("bad hex") << QByteArray("{\\rtf1 \\'zz}");
        QTest::newRow("lone backslash") << QByteArray("\\");
        QTest::newRow("extra closes") << QByteArray("}}}{\\rtf1 x}}}}");
        QTest::newRow("unclosed groups") << QByteArray("{{{{{{\\rtf1 x");
        QTest::newRow("deep nesting") << QByteArray(200000, '{') + QByteArray(200000, '}');
        QTest::newRow("deep nesting unclosed") << QByteArray(300000, '{');
        QTest::newRow("huge parameter")
            << QByteArray("{\\rtf1\\cf99999999999999999999 x\\uc999999999 "
                          "\\u99999999999 y\\bin99999999999}");
        QTest::newRow("binary") << QByteArray("{\\rtf1 \x00\xff\x01\\\x00 z}", 15);
        QTest::newRow("hostile layout")
            << QByteArray("{\\rtf1{\\*\\morvanelayout utf-8;0;99999999999999999999999w}x\\par }");
        QTest::newRow("long word") << QByteArray("{\\rtf1\\") + QByteArray(100000, 'a') + "}";
        QTest::newRow("lone surrogates") << QByteArray("{\\rtf1\\u-10179?\\u-10179?x\\u-8704?}");
    }

    void survivesMalformedInput()
    {
        QFETCH(QByteArray, rtf);
        const RtfDocument doc = RtfReader::read(rtf);
        QCOMPARE(doc.colours.size(), doc.text.size());
        QVERIFY(QString::fromUtf8(doc.text).toUtf8() == doc.text); // always valid UTF-8
        for (char colour : doc.colours)
            QVERIFY(static_cast<unsigned char>(colour) <= RtfDocument::maxColour);
    }
};

QTEST_APPLESS_MAIN(TestRtfReader)
#include "tst_rtfreader.moc"
