#include "colorizer.h"

#include "../platform/textcodec.h"
#include "../platform/textlayout.h"
#include "lineclassifier.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>

const char *const kRtfHeader =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang3081\\deflangfe1033{\\fonttbl{\\f0\\froman"
        "\\fprq2\\fcharset0 Times New Roman;}{\\f1\\fnil\\fcharset0 MS Sans Serif;}}{\\colortbl "
        ";\\red5\\green0\\blue215;\\red18\\green158\\blue67;\\red197\\green168\\blue33;}";

namespace {

const QString kHexDigits = QStringLiteral("0123456789abcdef");

void appendHexEscape(QString &out, int byte)
{
    out += QLatin1String("\\'");
    out += kHexDigits[byte >> 4];
    out += kHexDigits[byte & 0xF];
}

// Appends text so that the editor shows exactly these characters. The document stays ASCII.
void appendEscaped(QString &out, QStringView text, TextEncoding encoding)
{
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        if (c == '\\' || c == '{' || c == '}') {
            out += QLatin1Char('\\');
            out += qc;
        } else if (c >= 0x20 && c < 0x7F) {
            out += qc;
        } else if (c < 0x80) {
            appendHexEscape(out, c);
        } else if (encoding == TextEncoding::Windows1252) {
            appendHexEscape(out, TextCodec::toWindows1252(c));
        } else {
            out += QLatin1String("\\u");
            out += QString::number(static_cast<qint16>(c));
            out += QLatin1Char('?');
        }
    }
}

QString fragmentFor(QStringView line, TextEncoding encoding)
{
    QString fragment;
    fragment.reserve(line.size() + 16);
    const LineClass lineClass = LineClassifier::classify(line);
    switch (lineClass.kind) {
    case LineKind::Comment:
        fragment += QLatin1String("\\cf2 ");
        appendEscaped(fragment, line, encoding);
        break;
    case LineKind::Section:
        fragment += QLatin1String("\\cf1 ");
        appendEscaped(fragment, line, encoding);
        break;
    case LineKind::Plain:
        appendEscaped(fragment, line, encoding);
        break;
    case LineKind::KeyValue:
        fragment += QLatin1String("\\cf3 ");
        appendEscaped(fragment, line.first(lineClass.keyLength), encoding);
        fragment += QLatin1String("\\cf0 ");
        appendEscaped(fragment, line.sliced(lineClass.keyLength), encoding);
        break;
    }
    fragment += QLatin1String("\\par ");
    return fragment;
}

// Splits text into lines; CR LF, a lone CR and a lone LF each end a line.
template<typename LineHandler>
void forEachLine(QStringView text, LineHandler handle)
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

} // namespace

QByteArray colorizeBytes(QByteArrayView fileBytes, QStringList &IniLines, QString &Hunk)
{
    const TextCodec::Decoded decoded = TextCodec::decode(fileBytes);
    TextLayout layout;
    layout.format = decoded.format;

    IniLines.clear();
    IniLines.reserve(decoded.text.size() / 40 + 1);
    Hunk = QLatin1String(kRtfHeader);

    forEachLine(decoded.text, [&](QStringView line, LineEnd end) {
        IniLines.append(fragmentFor(line, decoded.format.encoding));
        layout.appendLineEnd(end);
    });
    IniLines.append(QStringLiteral("}"));

    QByteArray document = Hunk.toLatin1();
    document += "{\\*\\";
    document += TextLayout::destinationWord;
    document += ' ';
    document += layout.toText();
    document += '}';
    qsizetype size = document.size();
    for (const QString &fragment : IniLines)
        size += fragment.size();
    document.reserve(size);
    for (const QString &fragment : IniLines)
        document += fragment.toLatin1();
    Hunk.clear();
    return document;
}

ColorizeResult ColorizeFile(const QString &path, QStringList &IniLines, QString &Hunk)
{
    ColorizeResult result;
    QFile input(path);
    if (!input.open(QIODevice::ReadOnly)) {
        result.error = input.errorString();
        return result;
    }
    const QByteArray bytes = input.readAll();
    if (input.error() != QFileDevice::NoError) {
        result.error = input.errorString();
        return result;
    }
    input.close();

    const QByteArray document = colorizeBytes(bytes, IniLines, Hunk);

    // A unique name in the user's temporary folder: the program folder may be read-only and
    // two running copies must not load each other's documents.
    QTemporaryFile output(QDir::tempPath() + QStringLiteral("/tmpXXXXXX.rtf"));
    if (!output.open() || output.write(document) != document.size() || !output.flush()) {
        result.error = output.errorString();
        return result; // the temporary file removes itself
    }
    output.setAutoRemove(false);
    result.ok = true;
    result.documentPath = output.fileName();
    return result;
}
