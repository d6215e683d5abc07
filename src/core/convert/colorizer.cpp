// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "colorizer.h"

#include "files/filesystem.h"
#include "files/privatefolder.h"
#include "files/readablefile.h"
#include "lineclassifier.h"
#include "palette.h"
#include "rtf/rtfwriter.h"
#include "text/bytewords.h"
#include "text/textcodec.h"
#include "text/textlayout.h"
#include "text/utf8.h"

#include <QCoreApplication>
#include <QFile>
#include <algorithm>
#include <array>
#include <cstring>

QByteArray rtfHeader()
{
    static const QByteArray header = RtfWriter::header(Palette::rtfColourTable());
    return header;
}

namespace {

// A line's colour words and paragraph mark: "\cf3 " "\cf0 " "\par ".
constexpr qsizetype kMostBytesPerLine = 15;

// One line's fragment: its colour words, its text, and the paragraph mark.
char *writeLine(char *out, QByteArrayView line, TextEncoding encoding)
{
    const LineClass lineClass = LineClassifier::classify(line);
    switch (lineClass.kind) {
    case LineKind::Comment:
        out = RtfWriter::writeColour(out, CommentColour);
        out = RtfWriter::writeEscaped(out, line, encoding);
        break;
    case LineKind::Section:
        out = RtfWriter::writeColour(out, SectionColour);
        out = RtfWriter::writeEscaped(out, line, encoding);
        break;
    case LineKind::Plain:
        out = RtfWriter::writeEscaped(out, line, encoding);
        break;
    case LineKind::KeyValue:
        out = RtfWriter::writeColour(out, KeyColour);
        out = RtfWriter::writeEscaped(out, line.first(lineClass.keyLength), encoding);
        out = RtfWriter::writeColour(out, DefaultColour);
        out = RtfWriter::writeEscaped(out, line.sliced(lineClass.keyLength), encoding);
        break;
    }
    return RtfWriter::writeWord(out, "\\par ");
}

// The first CR or LF from p on, or end; eight bytes at a time over the body of a line.
const char *findLineBreak(const char *p, const char *end)
{
    for (quint64 word; end - p >= 8; p += 8) {
        std::memcpy(&word, p, 8);
        if (ByteWords::hasByte(word, '\r') | ByteWords::hasByte(word, '\n'))
            break;
    }
    while (p < end && *p != '\r' && *p != '\n')
        ++p;
    return p;
}

// Splits text into lines; CR LF, a lone CR and a lone LF each end a line.
template<typename LineHandler> void forEachLine(QByteArrayView text, LineHandler handle)
{
    const char *const begin = text.data(), *const end = begin + text.size();
    const char *start = begin;
    for (const char *p = begin; p < end; ++p) {
        p = findLineBreak(p, end);
        if (p == end)
            break;
        LineEnd lineEnd = LineEnd::Lf;
        if (*p == '\r')
            lineEnd = p + 1 < end && p[1] == '\n' ? LineEnd::CrLf : LineEnd::Cr;
        handle(QByteArrayView(start, p), lineEnd);
        if (lineEnd == LineEnd::CrLf)
            ++p;
        start = p + 1;
    }
    if (start < end)
        handle(QByteArrayView(start, end), LineEnd::None);
}

// Fills IniLines and returns what goes before the fragments: the header and the layout.
QByteArray convertLines(QByteArrayView fileBytes, RtfFragments &IniLines, QString &Hunk,
                        WorkProgress &progress = WorkProgress::unwatched())
{
    TextLayout layout;
    layout.format = TextCodec::detectFormat(fileBytes);
    QByteArrayView text = TextCodec::withoutByteOrderMark(fileBytes, layout.format);
    TextEncoding encoding = layout.format.encoding;
    // UTF-16 is converted as the UTF-8 it becomes: lines, colours and escapes work on bytes.
    QByteArray utf8;
    if (encoding == TextEncoding::Utf16Le || encoding == TextEncoding::Utf16Be) {
        utf8 = TextCodec::utf16ToUtf8(text, encoding == TextEncoding::Utf16Be);
        text = utf8;
        encoding = TextEncoding::Utf8;
    }
    const double fileBytesPerByte = text.isEmpty() ? 1 : double(fileBytes.size()) / text.size();

    IniLines.clear();
    // Colour words and paragraph marks add about a fifth to a typical file.
    IniLines.reserve(text.size() + text.size() / 4 + 4096);
    Hunk = QString::fromLatin1(rtfHeader());
    forEachLine(text, [&](QByteArrayView line, LineEnd end) {
        char *out
            = IniLines.reserveFor(line.size() * RtfWriter::kMostBytesPerByte + kMostBytesPerLine);
        IniLines.closeFragment(writeLine(out, line, encoding));
        layout.appendLineEnd(end);
        progress.advanceTo(qint64(double(line.data() - text.data()) * fileBytesPerByte));
    });
    IniLines.append("}");

    QByteArray document = Hunk.toLatin1();
    document += "{\\*\\";
    document += RtfWriter::kLayoutDestination;
    document += ' ';
    document += layout.toText();
    document += '}';
    Hunk.clear();
    return document;
}

// Writes `bytes` in blocks, telling the progress between them; `before` bytes are written already.
bool writeInBlocks(QFile &output, QByteArrayView bytes, qint64 before, WorkProgress &progress)
{
    constexpr qsizetype kBlock = 4 * 1024 * 1024;
    for (qsizetype at = 0; at < bytes.size(); at += kBlock) {
        const qsizetype block = std::min(kBlock, bytes.size() - at);
        if (output.write(bytes.data() + at, block) != block)
            return false;
        progress.advanceTo(before + at + block);
    }
    return true;
}

} // namespace

QByteArray colorizeBytes(QByteArrayView fileBytes, RtfFragments &IniLines, QString &Hunk)
{
    return convertLines(fileBytes, IniLines, Hunk).append(IniLines.joined());
}

Result<QString> ColorizeFile(const QString &path, RtfFragments &IniLines, QString &Hunk,
                             WorkProgress &progress, double share)
{
    ReadableFile file;
    if (const Result<> opened = file.open(path); !opened)
        return opened.failure();
    return ColorizeFile(file, IniLines, Hunk, progress, share);
}

Result<QString> ColorizeFile(ReadableFile &file, RtfFragments &IniLines, QString &Hunk,
                             WorkProgress &progress, double share)
{
    // Converting costs most; reading the file and writing the document are bulk copies, of which
    // the read may come from the disk.
    const double readShare = share * 0.2, convertShare = share * 0.7,
                 writeShare = share - readShare - convertShare;
    QByteArray head;
    {
        progress.beginStep(file.size(), readShare);
        const Result<QByteArray> bytes = file.readAll(progress);
        if (!bytes)
            return bytes.failure();
        // Shown byte by byte, such a file would go back as single bytes at its first edited save.
        if (TextCodec::startsAsUtf16(*bytes)
            && TextCodec::detectFormat(*bytes).encoding == TextEncoding::Windows1252)
            return Failure { QCoreApplication::translate(
                "ColorizeFile",
                "it begins as UTF-16 text but is not valid UTF-16 "
                "(it is cut short, or a character is missing its pair)") };
        progress.beginStep(bytes->size(), convertShare);
        head = convertLines(*bytes, IniLines, Hunk, progress);
    } // the file's bytes are not needed any more

    // In Morvane's private folder: the program folder may be read-only, two running copies must
    // not load each other's documents, and no one else may swap the document, which is read
    // back by name.
    QFile output;
    const QByteArrayView fragments = IniLines.joined();
    const Result<PrivateFolder *> folder
        = PrivateFolder::withRoomFor(head.size() + fragments.size());
    const Result<QString> document = folder
        ? (*folder)->newFile(QStringLiteral("tmp"), QStringLiteral(".rtf"), output)
        : folder.failure();
    if (!document) {
        IniLines.clear();
        return document;
    }
    bool written = false;
    try {
        progress.beginStep(head.size() + fragments.size(), writeShare);
        written = output.write(head) == head.size()
            && writeInBlocks(output, fragments, head.size(), progress) && output.flush();
    } catch (const WorkCancelled &) { // only a document being written can be given up
        output.close();
        (*folder)->remove(*document);
        throw;
    }
    IniLines.clear(); // the document holds the fragments now
    if (!written) {
        const Failure failure = (*folder)->problem(FileSystem::reason(output));
        output.close();
        (*folder)->remove(*document);
        return failure;
    }
    return document;
}
