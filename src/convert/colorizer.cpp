#include "colorizer.h"

#include "lineclassifier.h"
#include "platform/filesystem.h"
#include "platform/textcodec.h"
#include "platform/textlayout.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>

const char *const kRtfHeader
    = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang3081\\deflangfe1033{\\fonttbl{\\f0\\froman"
      "\\fprq2\\fcharset0 Times New Roman;}{\\f1\\fnil\\fcharset0 MS Sans Serif;}}{\\colortbl "
      ";\\red5\\green0\\blue215;\\red18\\green158\\blue67;\\red197\\green168\\blue33;}";

namespace {

constexpr char kHexDigits[] = "0123456789abcdef";
// The longest escape of one UTF-16 unit: \u-32768?
constexpr qsizetype kLongestEscape = 9;

char *writeHexEscape(char *out, int byte)
{
    *out++ = '\\';
    *out++ = '\'';
    *out++ = kHexDigits[byte >> 4];
    *out++ = kHexDigits[byte & 0xF];
    return out;
}

char *writeUnicodeEscape(char *out, char16_t unit)
{
    int value = static_cast<qint16>(unit);
    *out++ = '\\';
    *out++ = 'u';
    if (value < 0) {
        *out++ = '-';
        value = -value;
    }
    char digits[6];
    int count = 0;
    do {
        digits[count++] = char('0' + value % 10);
        value /= 10;
    } while (value > 0);
    while (count > 0)
        *out++ = digits[--count];
    *out++ = '?';
    return out;
}

// Appends text so that the editor shows exactly these characters. The document stays ASCII.
void appendEscaped(QByteArray &buffer, QStringView text, TextEncoding encoding)
{
    const qsizetype start = buffer.size();
    buffer.resize(start + text.size() * kLongestEscape);
    char *out = buffer.data() + start;
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        if (c == '\\' || c == '{' || c == '}') {
            *out++ = '\\';
            *out++ = char(c);
        } else if (c >= 0x20 && c < 0x7F) {
            *out++ = char(c);
        } else if (c < 0x80) {
            out = writeHexEscape(out, c);
        } else if (encoding == TextEncoding::Windows1252) {
            out = writeHexEscape(out, TextCodec::toWindows1252(c));
        } else {
            out = writeUnicodeEscape(out, c);
        }
    }
    buffer.truncate(out - buffer.constData());
}

void appendFragment(QByteArray &out, QStringView line, TextEncoding encoding)
{
    const LineClass lineClass = LineClassifier::classify(line);
    switch (lineClass.kind) {
    case LineKind::Comment:
        out += "\\cf2 ";
        appendEscaped(out, line, encoding);
        break;
    case LineKind::Section:
        out += "\\cf1 ";
        appendEscaped(out, line, encoding);
        break;
    case LineKind::Plain:
        appendEscaped(out, line, encoding);
        break;
    case LineKind::KeyValue:
        out += "\\cf3 ";
        appendEscaped(out, line.first(lineClass.keyLength), encoding);
        out += "\\cf0 ";
        appendEscaped(out, line.sliced(lineClass.keyLength), encoding);
        break;
    }
    out += "\\par ";
}

// Splits text into lines; CR LF, a lone CR and a lone LF each end a line.
template<typename LineHandler> void forEachLine(QStringView text, LineHandler handle)
{
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c != '\r' && c != '\n')
            continue;
        LineEnd end = LineEnd::Lf;
        if (c == '\r') {
            const bool crlf = i + 1 < text.size() && text[i + 1] == u'\n';
            end = crlf ? LineEnd::CrLf : LineEnd::Cr;
        }
        handle(text.sliced(start, i - start), end);
        if (end == LineEnd::CrLf)
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        handle(text.sliced(start), LineEnd::None);
}

// Fills IniLines and returns what goes before the fragments: the header and the layout.
QByteArray convertLines(QByteArrayView fileBytes, RtfFragments &IniLines, QString &Hunk)
{
    const TextCodec::Decoded decoded = TextCodec::decode(fileBytes);
    TextLayout layout;
    layout.format = decoded.format;

    IniLines.clear();
    IniLines.reserve(fileBytes.size() + fileBytes.size() / 4 + 64, fileBytes.size() / 32 + 1);
    Hunk = QLatin1String(kRtfHeader);
    forEachLine(decoded.text, [&](QStringView line, LineEnd end) {
        appendFragment(IniLines.buffer(), line, decoded.format.encoding);
        IniLines.closeFragment();
        layout.appendLineEnd(end);
    });
    IniLines.append("}");

    QByteArray document = Hunk.toLatin1();
    document += "{\\*\\";
    document += TextLayout::destinationWord;
    document += ' ';
    document += layout.toText();
    document += '}';
    Hunk.clear();
    return document;
}

} // namespace

QByteArray colorizeBytes(QByteArrayView fileBytes, RtfFragments &IniLines, QString &Hunk)
{
    return convertLines(fileBytes, IniLines, Hunk).append(IniLines.joined());
}

ColorizeResult ColorizeFile(const QString &path, RtfFragments &IniLines, QString &Hunk)
{
    ColorizeResult result;
    QFile input(path);
    if (!input.open(QIODevice::ReadOnly)) {
        result.error = FileSystem::reason(input);
        return result;
    }
    const QByteArray bytes = input.readAll();
    if (input.error() != QFileDevice::NoError) {
        result.error = FileSystem::reason(input);
        return result;
    }
    input.close();

    const QByteArray head = convertLines(bytes, IniLines, Hunk);
    const QByteArrayView fragments = IniLines.joined();

    // A unique name in the user's temporary folder: the program folder may be read-only and
    // two running copies must not load each other's documents.
    QTemporaryFile output(QDir::tempPath() + QStringLiteral("/tmpXXXXXX.rtf"));
    if (!output.open() || output.write(head) != head.size()
        || output.write(fragments.data(), fragments.size()) != fragments.size()
        || !output.flush()) {
        result.error = FileSystem::temporaryFolderProblem(FileSystem::reason(output));
        return result; // the temporary file removes itself
    }
    output.setAutoRemove(false);
    result.ok = true;
    result.documentPath = output.fileName();
    return result;
}
