// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "text/textcodec.h"

#include <QTest>

class TestTextCodec : public QObject
{
    Q_OBJECT

private slots:
    void detectsEncoding_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("utf8");
        QTest::addColumn<bool>("bom");
        QTest::addColumn<QString>("text");

        QTest::newRow("ascii") << QByteArray("a=b") << true << false << "a=b";
        QTest::newRow("utf-8") << QByteArray("caf\xC3\xA9") << true << false << "café";
        QTest::newRow("utf-8 with bom") << QByteArray("\xEF\xBB\xBFx") << true << true << "x";
        QTest::newRow("second bom is text")
            << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF") << true << true << QString(QChar(0xFEFF));
        QTest::newRow("lone bom") << QByteArray("\xEF\xBB\xBF") << true << true << "";
        QTest::newRow("latin byte")
            << QByteArray("caf\xE9") << false << false << QString::fromUtf8("caf\u00E9");
        QTest::newRow("euro") << QByteArray("\x80") << false << false
                              << QString::fromUtf8("\u20AC");
        QTest::newRow("undefined 0x81 kept as C1")
            << QByteArray("\x81") << false << false << QString(QChar(0x81));
        QTest::newRow("overlong slash")
            << QByteArray("\xC0\xAF") << false << false << QString::fromUtf8("\u00C0\u00AF");
        QTest::newRow("encoded surrogate") << QByteArray("\xED\xA0\x80") << false << false
                                           << QString::fromUtf8("\u00ED\u00A0\u20AC");
        QTest::newRow("beyond U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << false << false
                                         << QString::fromUtf8("\u00F4\u0090\u20AC\u20AC");
        QTest::newRow("truncated sequence")
            << QByteArray("a\xE2\x82") << false << false << QString::fromUtf8("a\u00E2\u201A");
        QTest::newRow("four-byte emoji") << QByteArray("\xF0\x9F\x98\x80") << true << false
                                         << QString::fromUtf8("\xF0\x9F\x98\x80");
    }

    void detectsEncoding()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, utf8);
        QFETCH(bool, bom);
        QFETCH(QString, text);
        const TextCodec::Decoded decoded = TextCodec::decode(bytes);
        QCOMPARE(decoded.format.encoding == TextEncoding::Utf8, utf8);
        QCOMPARE(decoded.format.byteOrderMark, bom);
        QCOMPARE(decoded.text, text);
    }

    void everyWindows1252ByteSurvives()
    {
        QByteArray all;
        for (int byte = 0; byte < 256; ++byte)
            all.append(char(byte));
        const TextCodec::Decoded decoded = TextCodec::decode(all);
        QCOMPARE(decoded.format.encoding, TextEncoding::Windows1252);
        const TextCodec::Encoded encoded
            = TextCodec::encodeUtf8Text(decoded.text.toUtf8(), decoded.format);
        QCOMPARE(encoded.bytes, all);
        QCOMPARE(encoded.replaced, 0);
    }

    void countsWhatWindows1252CannotHold()
    {
        const TextFormat format { TextEncoding::Windows1252, false };
        const TextCodec::Encoded encoded = TextCodec::encodeUtf8Text(
            QString::fromUtf8("a€中\xF0\x9F\x98\x80\u0080b").toUtf8(), format);
        QCOMPARE(encoded.bytes, QByteArray("a\x80???b"));
        QCOMPARE(encoded.replaced, 3);
    }

    // UTF-16 with its byte order mark is read in that order and written back the same; bytes that
    // only begin like it are kept byte by byte.
    void utf16KeepsItsByteOrder_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("encoding");
        QTest::addColumn<QString>("text");
        const auto le = TextEncoding::Utf16Le, be = TextEncoding::Utf16Be;
        QTest::newRow("LE, CR LF") << QByteArray("\xFF\xFEk\0=\0\xE9\0\r\0\n\0", 12) << int(le)
                                   << QString::fromUtf8("k=\u00E9\r\n");
        QTest::newRow("BE, no final line end")
            << QByteArray("\xFE\xFF\0k\x01\x42", 6) << int(be) << QString::fromUtf8("k\u0142");
        QTest::newRow("surrogate pair") << QByteArray("\xFF\xFE\x3D\xD8\x00\xDE", 6) << int(le)
                                        << QString::fromUtf8("\xF0\x9F\x98\x80");
        QTest::newRow("only the mark") << QByteArray("\xFF\xFE") << int(le) << QString();
        QTest::newRow("odd trailing byte")
            << QByteArray("\xFF\xFEk\0=", 5) << int(TextEncoding::Windows1252)
            << QString::fromUtf8("\u00FF\u00FEk") + QChar(0) + "=";
        QTest::newRow("lone high surrogate")
            << QByteArray("\xFF\xFE\x3D\xD8k\0", 6) << int(TextEncoding::Windows1252)
            << QString::fromUtf8("\u00FF\u00FE=\u00D8k") + QChar(0);
        QTest::newRow("lone low surrogate")
            << QByteArray("\xFE\xFF\xDC\x00", 4) << int(TextEncoding::Windows1252)
            << QString::fromUtf8("\u00FE\u00FF\u00DC") + QChar(0);
    }

    void utf16KeepsItsByteOrder()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, encoding);
        QFETCH(QString, text);
        const TextCodec::Decoded decoded = TextCodec::decode(bytes);
        QCOMPARE(int(decoded.format.encoding), encoding);
        QCOMPARE(decoded.text, text);
        const TextCodec::Encoded encoded
            = TextCodec::encodeUtf8Text(decoded.text.toUtf8(), decoded.format);
        QCOMPARE(encoded.bytes, bytes);
        QCOMPARE(encoded.replaced, 0);
        // What is typed goes in as UTF-16 too, in the file's byte order.
        if (decoded.format.encoding == TextEncoding::Utf16Be)
            QCOMPARE(TextCodec::encodeUtf8Text("\xC5\x82", decoded.format).bytes,
                     QByteArray("\xFE\xFF\x01\x42"));
    }

    void utf8KeepsItsBom()
    {
        const TextCodec::Encoded encoded
            = TextCodec::encodeUtf8Text("x\r\n", TextFormat { TextEncoding::Utf8, true });
        QCOMPARE(encoded.bytes, QByteArray("\xEF\xBB\xBFx\r\n"));
    }
};

QTEST_APPLESS_MAIN(TestTextCodec)
#include "tst_textcodec.moc"
