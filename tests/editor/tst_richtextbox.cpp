// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "convert/colorizer.h"
#include "convert/lineclassifier.h"
#include "convert/palette.h"
#include "editor/richtextbox.h"
#include "rtf/rtfreader.h"
#include "support/addressspacelimit.h"
#include "support/screenreader.h"
#include "support/testfiles.h"
#include "support/verifyok.h"
#include "text/textcodec.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

namespace {

const QColor kBlue(5, 0, 215), kGreen(18, 158, 67), kGold(197, 168, 33), kBlack(Qt::black);

// `text` as UTF-16 in the given byte order, after its byte order mark.
QByteArray utf16(const QString &text, QSysInfo::Endian order)
{
    QByteArray bytes;
    for (const QChar unit : QChar(0xFEFF) + text) {
        const char high = char(unit.unicode() >> 8), low = char(unit.unicode() & 0xFF);
        bytes += order == QSysInfo::BigEndian ? QByteArray { high, low } : QByteArray { low, high };
    }
    return bytes;
}

// Lines as the editor counts them: CR LF, CR and LF each end one.
int lineCount(const QByteArray &bytes)
{
    return int(bytes.count('\r') + bytes.count('\n') - bytes.count("\r\n")) + 1;
}

} // namespace

class TestRichTextBox : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    RtfFragments m_lines;
    QString m_hunk;

    // Opens bytes the way the program does: file -> converter -> temporary document -> editor.
    void open(RichTextBox &editor, const QByteArray &bytes)
    {
        const QString input = m_dir.filePath("input.ini");
        TestFiles::write(input, bytes);
        RtfFragments lines;
        QString hunk;
        const Result<QString> document = ColorizeFile(input, lines, hunk);
        VERIFY_OK(document);
        const Result<> loaded = editor.LoadFile(*document);
        QFile::remove(*document);
        VERIFY_OK(loaded);
    }

    QByteArray save(RichTextBox &editor, qsizetype *replaced = nullptr)
    {
        const QString output = m_dir.filePath("output.ini");
        const Result<RichTextBox::Saved> saved = editor.SaveFile(output, 1);
        if (!saved)
            return "<save failed: " + saved.reason().toUtf8() + ">";
        if (replaced)
            *replaced = saved->replaced;
        return TestFiles::read(output);
    }

    void type(RichTextBox &editor, int position, const QString &text)
    {
        editor.setSelStart(position);
        for (const uint ch : text.toUcs4()) { // a key event per character, any character
            const QString one = QString::fromUcs4(reinterpret_cast<const char32_t *>(&ch), 1);
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, one);
            QCoreApplication::sendEvent(editor.focusProxy(), &press);
        }
        QCoreApplication::processEvents();
    }

private slots:
    void initTestCase() { ScreenReader::startIfAsked(); }

    // Room for the document read whole but not for everything the editor builds from it: the
    // load runs out on its way, inside the editor component, and must leave a usable editor;
    // whether the editor's buffer is its own or made apart. First of all, while the process
    // holds little memory that it freed and could use again within the limit.
    void loadThatRunsOutOfMemoryEmptiesTheEditor_data()
    {
        QTest::addColumn<int>("megabytes");
        QTest::newRow("the editor's own buffer") << 10;
        QTest::newRow("a buffer made apart") << 24;
    }

    void loadThatRunsOutOfMemoryEmptiesTheEditor()
    {
        QFETCH(int, megabytes);
        if (!AddressSpaceLimit::possible)
            QSKIP("the sanitizer reserves address space of its own");
        QByteArray lines;
        for (int i = 0; lines.size() < megabytes << 20; ++i)
            lines += "[section" + QByteArray::number(i) + "]\r\nkey=value\r\n; note\r\n";
        const QByteArray rtf = colorizeBytes(lines, m_lines, m_hunk);
        const QString document = m_dir.filePath("big.rtf");
        TestFiles::write(document, rtf);
        RichTextBox editor;
        Result<> loaded;
        {
            const AddressSpaceLimit limit(rtf.size() + lines.size() / 2);
            loaded = editor.LoadFile(document);
        }
        QVERIFY(!loaded);
        QVERIFY2(loaded.reason().contains("memory"), qPrintable(loaded.reason()));
        QVERIFY(!editor.hasText());
        type(editor, 0, "é=1");
        QCOMPARE(save(editor), QByteArray("é=1"));
    }

    void roundTripIsByteExact_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QByteArray every1252;
        for (int byte = 0; byte < 256; ++byte)
            every1252.append(char(byte));

        QTest::newRow("CR LF") << QByteArray("[a]\r\nk = v\r\n; c\r\nplain\r\n");
        QTest::newRow("LF") << QByteArray("[a]\nk = v\n\nplain\n");
        QTest::newRow("CR") << QByteArray("[a]\rk = v\r");
        QTest::newRow("mixed") << QByteArray("a\r\nb\nc\rd\n\r\n\r\re");
        QTest::newRow("no final terminator") << QByteArray("[a]\r\nk=v");
        QTest::newRow("only terminators") << QByteArray("\r\n\n\r");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("utf-8") << QByteArray(
            "name = caf\xC3\xA9 \xE4\xB8\xAD \xF0\x9F\x98\x80\r\n");
        QTest::newRow("utf-8 with bom") << QByteArray("\xEF\xBB\xBF[\xC3\xA9]\r\n");
        QTest::newRow("two byte order marks") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFx");
        QTest::newRow("windows-1252, every byte") << every1252;
        QTest::newRow("every byte, twice, with lines") << every1252 + "\r\n" + every1252;
        QTest::newRow("braces and backslashes") << QByteArray("x = {a}\\{b\\}\\\\\r\n}{\r\n");
        QTest::newRow("rtf-looking text")
            << QByteArray("{\\rtf1\\ansi{\\colortbl ;\\red1;}\\cf1 x\\par }\r\n\\'e9\\u233?\r\n");
        QTest::newRow("nul and controls") << QByteArray("a\0b\tc\x1b\x7f", 8);
        QTest::newRow("1 MB line") << QByteArray(1 << 20, 'k') + "=" + QByteArray(1000, 'v');
        const QString lines = QString::fromUtf8("[\u00E9]\r\nk = v ; \xF0\x9F\x98\x80\nx\ry");
        QTest::newRow("utf-16le") << utf16(lines, QSysInfo::LittleEndian);
        QTest::newRow("utf-16be") << utf16(lines + "\r\n", QSysInfo::BigEndian);
        QTest::newRow("utf-16, odd length") << utf16(lines, QSysInfo::LittleEndian) + 'x';
    }

    void roundTripIsByteExact()
    {
        QFETCH(QByteArray, bytes);
        RichTextBox editor;
        open(editor, bytes);
        qsizetype replaced = -1;
        QCOMPARE(save(editor, &replaced), bytes);
        QCOMPARE(replaced, 0);
    }

    // Random files, heavy in what the conversion treats specially, come back byte for byte.
    void randomFilesRoundTrip()
    {
        static const QByteArray pieces[] = { "\r",
                                             "\n",
                                             "\r\n",
                                             "{",
                                             "}",
                                             "\\",
                                             ";",
                                             "=",
                                             "[",
                                             "\xC3\xA9",
                                             "\xE4\xB8\xAD",
                                             "\xF0\x9F\x98\x80",
                                             "\xEF\xBB\xBF",
                                             "a",
                                             " " };
        QRandomGenerator random(20261207); // seeded: a failure can be run again
        RichTextBox editor;
        for (int round = 0; round < 2000; ++round) {
            const bool utf8Only = round % 2 == 0; // else raw bytes make it Windows-1252
            const bool asUtf16 = round % 4 == 0; // the same text as UTF-16, in either order
            const int length = random.bounded(4096);
            QByteArray bytes;
            while (bytes.size() < length) {
                if (!utf8Only && random.bounded(4) == 0)
                    bytes += char(random.bounded(3) == 0 ? random.bounded(256)
                                                         : 0x80 + random.bounded(0x20));
                else
                    bytes += pieces[random.bounded(int(std::size(pieces)))];
            }
            if (asUtf16)
                bytes = utf16(QString::fromUtf8(bytes),
                              round % 8 == 0 ? QSysInfo::BigEndian : QSysInfo::LittleEndian);
            RtfFragments lines;
            QString hunk;
            editor.loadDocument(RtfReader::read(colorizeBytes(bytes, lines, hunk)));
            const TextCodec::Encoded saved
                = TextCodec::encodeUtf8Text(editor.utf8View(), editor.documentFormat());
            if (saved.bytes != bytes || saved.replaced != 0)
                QFAIL(qPrintable("round " + QString::number(round) + ": " + bytes.toHex()));
        }
    }

    // A large document is taken in piece by piece while it is read: every byte and every
    // colour lands where it belongs, also across the pieces' seams. A larger one comes in a
    // document made apart, which the editor takes: it is set up as the editor's own.
    void largeDocumentRoundTripsAndKeepsItsColours_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("read on a second thread") << 6'000'000;
        QTest::newRow("its buffer made apart") << 30'000'000;
    }

    void largeDocumentRoundTripsAndKeepsItsColours()
    {
        QFETCH(int, size);
        QByteArray bytes;
        for (int line = 0; bytes.size() < size; ++line) {
            switch (line % 4) {
            case 0:
                bytes += "[section " + QByteArray::number(line) + "]\r\n";
                break;
            case 1:
                bytes += "; caf\xC3\xA9 note " + QByteArray::number(line) + "\n";
                break;
            case 2:
                bytes += "key" + QByteArray::number(line) + " = {value}\\x\r\n";
                break;
            default:
                bytes += "plain line " + QByteArray::number(line) + "\r";
                break;
            }
        }
        RichTextBox editor;
        open(editor, bytes);
        QCOMPARE(save(editor), bytes);
        const QString text = editor.Text();
        const int lastComment = int(text.lastIndexOf("; caf"));
        QCOMPARE(editor.textColourAt(lastComment), kGreen);
        QCOMPARE(editor.textColourAt(int(text.lastIndexOf("[section"))), kBlue);
        QCOMPARE(editor.textColourAt(int(text.lastIndexOf(" = {value}")) - 1), kGold);
        QCOMPARE(editor.Find("NOTE", lastComment).position, lastComment + 7);
        type(editor, 0, "\u00e9");
        QVERIFY(save(editor) == "\xC3\xA9" + bytes);
    }

    void showsTheConverterColours()
    {
        RichTextBox editor;
        open(editor, "[Main]\r\nname = alpha\r\n; note\r\nflag\r\n");
        const auto colourAt = [&](const char *needle) {
            return editor.textColourAt(editor.Text().indexOf(QLatin1String(needle)));
        };
        QCOMPARE(colourAt("[Main]"), kBlue);
        QCOMPARE(colourAt("name ="), kGold);
        QCOMPARE(colourAt("="), kGold);
        QCOMPARE(colourAt("alpha"), kBlack);
        QCOMPARE(colourAt("; note"), kGreen);
        QCOMPARE(colourAt("flag"), kGreen); // a plain line carries the colour before it
    }

    // The line colours are made for light paper: a dark desktop theme, given before or after
    // the editor is made, must not turn the paper dark under them.
    void keepsLightPaperUnderADarkTheme_data()
    {
        QTest::addColumn<bool>("themeFirst");
        QTest::newRow("theme before the editor") << true;
        QTest::newRow("theme changed later") << false;
    }

    void keepsLightPaperUnderADarkTheme()
    {
        QFETCH(bool, themeFirst);
        const QPalette usual = QGuiApplication::palette();
        QPalette dark = usual;
        for (const auto role : { QPalette::Window, QPalette::Base, QPalette::Button })
            dark.setColor(role, QColor(45, 45, 45));
        for (const auto role : { QPalette::WindowText, QPalette::Text, QPalette::ButtonText })
            dark.setColor(role, QColor(230, 230, 230));
        if (themeFirst)
            QApplication::setPalette(dark);
        {
            RichTextBox editor;
            editor.resize(300, 200);
            open(editor, "[Main]\r\nname = alpha\r\n");
            if (!themeFirst)
                QApplication::setPalette(dark);
            const QImage shot = editor.grab().toImage();
            QCOMPARE(QColor(shot.pixel(shot.width() / 2, shot.height() * 3 / 4)),
                     QColor(Qt::white));
            QCOMPARE(editor.textColourAt(editor.Text().indexOf("alpha")), kBlack);
        }
        QApplication::setPalette(usual);
    }

    void recoloursEditedLinesAndTheirFollowers()
    {
        RichTextBox editor;
        editor.setLineColouring(&LineClassifier::colourLine, Palette::colourTable());
        open(editor, "key\r\nplain\r\nmore\r\n[s]\r\nafter\r\n");
        QCOMPARE(editor.textColourAt(editor.Text().indexOf("plain")), kBlack);

        type(editor, 0, ";"); // the first line becomes a comment, carried by the plain lines
        QCOMPARE(editor.textColourAt(0), kGreen);
        QCOMPARE(editor.textColourAt(editor.Text().indexOf("plain")), kGreen);
        QCOMPARE(editor.textColourAt(editor.Text().indexOf("more")), kGreen);
        QCOMPARE(editor.textColourAt(editor.Text().indexOf("[s]")), kBlue);
        QCOMPARE(editor.textColourAt(editor.Text().indexOf("after")), kBlue);

        type(editor, editor.Text().indexOf("plain") + 5, "=1"); // a key/value line now
        QCOMPARE(editor.textColourAt(editor.Text().indexOf("plain")), kGold);
        QCOMPARE(editor.textColourAt(editor.Text().indexOf("1")), kBlack);
        QCOMPARE(editor.textColourAt(editor.Text().indexOf("more")), kBlack);
    }

    void newLinesTakeTheFirstTerminator_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("saved");
        QTest::newRow("LF file") << QByteArray("a\nb\r\n") << QByteArray("\na\nb\r\n");
        QTest::newRow("CR file") << QByteArray("a\r") << QByteArray("\ra\r");
        QTest::newRow("no terminator") << QByteArray("a") << QByteArray("\r\na");
    }

    void newLinesTakeTheFirstTerminator()
    {
        QFETCH(QByteArray, bytes);
        RichTextBox editor;
        open(editor, bytes);
        editor.show();
        editor.setSelStart(0);
        QTest::keyClick(editor.focusProxy(), Qt::Key_Return);
        QTEST(save(editor), "saved");
    }

    // Enter and paste never join a lone CR or LF beside them into one CR LF: a new line appears.
    // Every edit leaves the lines around it in the colours a fresh open of the saved file shows,
    // also where it turns the terminator of the line above from CR into CR LF.
    void lineEndsStayApartAndColoured_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("pasted"); // none: `key` is pressed
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("linesAdded");

        const int enter = Qt::Key_Return;
        QTest::newRow("Enter after a lone CR")
            << QByteArray("a\nb\rc\n") << 4 << 0 << QString() << enter << 1;
        QTest::newRow("paste beginning with LF after CR")
            << QByteArray("a\nb\rc\n") << 4 << 0 << QString("\nd") << 0 << 1;
        QTest::newRow("Enter before a lone LF")
            << QByteArray("a\rb\nc") << 3 << 0 << QString() << enter << 1;
        QTest::newRow("paste ending in CR before a lone LF")
            << QByteArray("a\rb\nc") << 3 << 0 << QString("d\r") << 0 << 1;
        QTest::newRow("Enter over a selection between CR and LF")
            << QByteArray("a\rX\nb") << 2 << 1 << QString() << enter << 1;
        QTest::newRow("Enter before a line following CR")
            << QByteArray("[s]\n; comment\rplain one\n") << 14 << 0 << QString() << enter << 1;
        // The two line ends become one: the bytes say so, and a fresh open shows one line less.
        QTest::newRow("delete between CR and LF")
            << QByteArray("; c\r[X]\nplain") << 4 << 3 << QString() << int(Qt::Key_Delete) << -1;
    }

    void lineEndsStayApartAndColoured()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, start);
        QFETCH(int, selected);
        QFETCH(QString, pasted);
        QFETCH(int, key);
        QFETCH(int, linesAdded);
        RichTextBox editor;
        editor.setLineColouring(&LineClassifier::colourLine, Palette::colourTable());
        open(editor, bytes);
        editor.show();
        editor.setSelStart(start);
        editor.setSelLength(selected);
        if (pasted.isEmpty()) {
            QTest::keyClick(editor.focusProxy(), Qt::Key(key));
        } else {
            QGuiApplication::clipboard()->setText(pasted);
            QTest::keyClick(editor.focusProxy(), Qt::Key_V, Qt::ControlModifier);
        }
        QCoreApplication::processEvents();

        const QByteArray saved = save(editor);
        QCOMPARE(lineCount(saved), lineCount(bytes) + linesAdded);
        RichTextBox fresh;
        open(fresh, saved);
        for (int at = 0; at < fresh.characterCount(); ++at) {
            QVERIFY2(editor.textColourAt(at) == fresh.textColourAt(at),
                     qPrintable(QString::number(at) + " in " + saved.toPercentEncoding()));
        }
    }

    void windows1252SaveCountsReplacements()
    {
        RichTextBox editor;
        open(editor, "caf\xE9\r\n");
        type(editor, 0, QString::fromUtf8("\u20AC\u4E2D"));
        qsizetype replaced = 0;
        QCOMPARE(save(editor, &replaced), QByteArray("\x80?caf\xE9\r\n"));
        QCOMPARE(replaced, 1);
    }

    void findCountsCharactersAndIgnoresCase_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("needle");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("found");

        QTest::newRow("at zero") << QByteArray("abc") << "a" << 0 << 0;
        QTest::newRow("from one skips zero") << QByteArray("abc") << "a" << 1 << -1;
        QTest::newRow("ascii case") << QByteArray("x alpha") << "ALPHA" << 0 << 2;
        QTest::newRow("after multibyte") << QByteArray("\xC3\xA9\xE4\xB8\xAD=b") << "b" << 0 << 3;
        QTest::newRow("non-ascii case")
            << QByteArray("x \xC3\xA9t\xC3\xA9") << QString::fromUtf8("\u00C9T\u00C9") << 0 << 2;
        QTest::newRow("after astral") << QByteArray("\xF0\x9F\x98\x80 ab") << "B" << 1 << 3;
        QTest::newRow("kelvin sign folds to k") << QByteArray("x \xE2\x84\xAA=1") << "k=" << 0 << 2;
        QTest::newRow("past the end") << QByteArray("abc") << "c" << 10 << -1;
        QTest::newRow("empty needle") << QByteArray("abc") << "" << 0 << -1;
    }

    void findCountsCharactersAndIgnoresCase()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, needle);
        QFETCH(int, start);
        RichTextBox editor;
        open(editor, bytes);
        QTEST(editor.Find(needle, start).position, "found");
    }

    // Screen readers read and move through the text in characters, also after astral ones.
    void accessibleTextCountsCharacters()
    {
        RichTextBox editor;
        open(editor, "\xF0\x9F\x98\x80\xC3\xA9\r\nab");
        QAccessibleInterface *accessible
            = QAccessible::queryAccessibleInterface(editor.focusProxy());
        QVERIFY(accessible && accessible->textInterface());
        QAccessibleTextInterface *text = accessible->textInterface();
        QCOMPARE(text->characterCount(), 6);
        QCOMPARE(text->text(1, 5), QString::fromUtf8("\u00E9\r\na"));
        text->setCursorPosition(4);
        QCOMPARE(editor.SelStart(), 4);
        QCOMPARE(text->cursorPosition(), 4);
    }

    // An ASCII document counts characters as bytes until a character outside ASCII comes in.
    void positionsCountCharactersOnceTextIsNoLongerAscii()
    {
        RichTextBox editor;
        open(editor, "abc def");
        QCOMPARE(editor.Find("DEF", 0).position, 4);
        type(editor, 1, QString::fromUtf8("\u00E9\u4E2D"));
        QCOMPARE(editor.Find("def", 0).position, 6);
        editor.setSelStart(6);
        editor.setSelLength(3);
        QCOMPARE(editor.SelStart(), 6);
        QCOMPARE(editor.SelLength(), 3);
    }

    // A screen reader hears of every edit, which must leave the positions in characters: in an
    // editor that never held a file and in an ASCII one, Find counts the typed characters, and
    // a caret the screen reader places after a character types after all of it.
    void screenReaderSeesCharacters_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // none: the editor never held a file
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("found");
        QTest::addColumn<QByteArray>("saved");
        QTest::newRow("never held a file") << QByteArray() << QString::fromUtf8("\u00E9\u00E9xyz=2")
                                           << 2 << QByteArray("\xC3\xA9x\xC3\xA9xyz=2");
        QTest::newRow("ASCII file")
            << QByteArray("abc=1\r\nxyz=2") << QString::fromUtf8("\u00E9\u00E9") << 9
            << QByteArray("\xC3\xA9x\xC3\xA9"
                          "abc=1\r\nxyz=2");
    }

    void screenReaderSeesCharacters()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, typed);
        const ScreenReader reader;
        RichTextBox editor;
        if (!bytes.isEmpty())
            open(editor, bytes);
        type(editor, 0, typed);
        const RichTextBox::Match found = editor.Find("XYZ", 0);
        QTEST(found.position, "found");
        QCOMPARE(found.length, 3);

        QAccessibleInterface *accessible
            = QAccessible::queryAccessibleInterface(editor.focusProxy());
        QVERIFY(accessible && accessible->textInterface());
        accessible->textInterface()->setCursorPosition(1);
        QTest::keyClicks(editor.focusProxy(), "x");
        QCoreApplication::processEvents();
        QTEST(save(editor), "saved");
    }

    void selectionInCharacters()
    {
        RichTextBox editor;
        open(editor, "\xC3\xA9\xC3\xA9xyz");
        editor.setSelStart(2);
        editor.setSelLength(2);
        QCOMPARE(editor.SelStart(), 2);
        QCOMPARE(editor.SelLength(), 2);
    }

    void failedSaveLeavesTheOldFileWhole()
    {
        RichTextBox editor;
        open(editor, "new text");
        const QString folder = m_dir.filePath("locked");
        QVERIFY(QDir().mkpath(folder));
        const QString target = folder + "/file.ini";
        TestFiles::write(target, "old text");
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        const Result<RichTextBox::Saved> saved = editor.SaveFile(target, 1);
        QFile::setPermissions(
            folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        if (saved && getuid() == 0)
            QSKIP("root writes into read-only folders");
        QVERIFY(!saved);
        QVERIFY(!saved.reason().isEmpty());
        QCOMPARE(TestFiles::read(target), QByteArray("old text"));
    }

    void saveIntoAMissingFolderFails()
    {
        RichTextBox editor;
        open(editor, "x");
        const QString notAFolder = m_dir.filePath("plain.txt");
        TestFiles::write(notAFolder, "old");
        const Result<RichTextBox::Saved> saved = editor.SaveFile(notAFolder + "/file.ini", 1);
        QVERIFY(!saved);
        QVERIFY(!saved.reason().isEmpty());
        QCOMPARE(TestFiles::read(notAFolder), QByteArray("old"));
    }

    void saveKeepsPermissions()
    {
        RichTextBox editor;
        open(editor, "x");
        const QString target = m_dir.filePath("script.ini");
        TestFiles::write(target, "old");
        const auto permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner
            | QFileDevice::ExeOwner | QFileDevice::ReadGroup;
        QFile::setPermissions(target, permissions);
        VERIFY_OK(editor.SaveFile(target, 1));
        QCOMPARE(QFile::permissions(target)
                     & ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser),
                 permissions);
    }

    void loadFailureLeavesTheEditorAlone()
    {
        RichTextBox editor;
        open(editor, "keep");
        QVERIFY(!editor.LoadFile(m_dir.filePath("missing.rtf")));
        QCOMPARE(editor.Text(), QString("keep"));
    }
};

QTEST_MAIN(TestRichTextBox)
#include "tst_richtextbox.moc"
