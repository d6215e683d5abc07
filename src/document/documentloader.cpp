// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "documentloader.h"

#include "editorstyles.h"
#include "files/readablefile.h"
#include "system/piecequeue.h"
#include "text/utf8.h"

#include <QByteArray>
#include <QCoreApplication>
#include <Qsci/qscidocument.h>
#include <Qsci/qsciscintilla.h>
#include <algorithm>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <exception>
#include <new>
#include <system_error>
#include <thread>

namespace {

// A document goes to the editor in pieces, so that its text and colours are never held whole
// beside the editor's own copy.
constexpr qsizetype kLoadPieceSize = 64 * 1024;
// From this size the reader runs on a second thread while the editor takes in what has been
// read; below it there is too little to overlap. Pieces passed between the threads are larger,
// so that handing them over costs little.
constexpr qsizetype kReadOnSecondThreadFrom = 4 * 1024 * 1024;
constexpr qsizetype kPassedPieceSize = 128 * 1024;
// From this size the editor's buffer is made away from the window's thread.
constexpr qsizetype kAllocateAsideFrom = 32 * 1024 * 1024;

// The text is never longer than its RTF: each of its bytes comes from at least one byte there.
// Sized for the whole RTF, the editor's buffer never grows during a load; growing would hold the
// old buffer and a larger copy at once, twice the text for a document of one long line.
qsizetype largestTextSize(QByteArrayView rtf)
{
    return rtf.size();
}

Failure notEnoughMemory()
{
    return { QCoreApplication::translate("DocumentLoader",
                                         "there is not enough memory to show it") };
}

} // namespace

Result<> DocumentLoader::loadFile(const QString &path, WorkProgress &progress, double share)
{
    try {
        ReadableFile file;
        if (const Result<> opened = file.open(path); !opened)
            return opened;
        // Taking the text in costs most: the editor builds its lines as it goes.
        progress.beginStep(file.size(), share * 0.05);
        Result<QByteArray> rtf = file.readAll(progress);
        if (!rtf)
            return rtf.failure();
        progress.beginStep(rtf->size(), share * 0.95);
        const RtfDocument document = rtf->size() < kReadOnSecondThreadFrom
            ? loadRtf(*rtf, progress)
            : loadRtfReadOnSecondThread(*rtf, progress);
        // Finishing lays out the first line, which for a long line takes memory of its own.
        *rtf = QByteArray();
        if (m_sci->SendScintilla(QsciScintillaBase::SCI_GETSTATUS)
            == QsciScintillaBase::SC_STATUS_BADALLOC)
            throw std::bad_alloc();
        finishLoad(document);
    } catch (const std::bad_alloc &) { // from this thread, the reader's or the editor's own
        emptyAfterFailedLoad();
        return notEnoughMemory();
    } catch (const std::system_error &) { // no second thread could be started
        emptyAfterFailedLoad();
        return notEnoughMemory();
    } catch (const WorkCancelled &) {
        emptyAfterFailedLoad();
        throw;
    }
    giveBackFreedMemory();
    return {};
}

// What came in before the memory ran out goes, so that the slot is empty again. The editor's
// buffers are not left in a usable state by a failed allocation (a gap counted that was never
// allocated), so the whole document is replaced by a new one rather than cleared.
void DocumentLoader::emptyAfterFailedLoad()
{
    m_sci->setDocument(QsciDocument());
    m_sci->SendScintilla(QsciScintillaBase::SCI_SETSTATUS, QsciScintillaBase::SC_STATUS_OK);
    m_owner.documentReplaced();
    m_sci->setUpdatesEnabled(true);
    m_loading = false;
    giveBackFreedMemory();
}

RtfDocument DocumentLoader::loadRtf(QByteArrayView rtf, WorkProgress &progress)
{
    beginLoad(largestTextSize(rtf), progress);
    return RtfReader::read(
        rtf,
        [this, &progress](QByteArrayView text, QByteArrayView colours, qsizetype rtfRead) {
            appendLoaded(text, colours);
            progress.advanceTo(rtfRead);
        },
        kLoadPieceSize);
}

// The reader works on a second thread while the editor takes in what has been read so far: the
// two large steps of a load overlap instead of following each other.
RtfDocument DocumentLoader::loadRtfReadOnSecondThread(QByteArrayView rtf, WorkProgress &progress)
{
    PieceQueue pieces;
    RtfDocument document;
    std::exception_ptr readerFailure;
    std::thread reader([&] {
        try {
            document = RtfReader::read(
                rtf,
                [&pieces](QByteArrayView text, QByteArrayView colours, qsizetype rtfRead) {
                    if (!pieces.push(text, colours, rtfRead))
                        throw WorkCancelled(); // nobody takes the rest: reading it is waste
                },
                kPassedPieceSize);
        } catch (...) { // handed to the editor's thread, which reports it
            readerFailure = std::current_exception();
        }
        pieces.close();
    });
    try {
        beginLoad(largestTextSize(rtf), progress);
        while (const std::optional<PieceQueue::Piece> piece = pieces.pop()) {
            appendLoaded(piece->text, piece->colours);
            progress.advanceTo(piece->readTo);
        }
    } catch (...) {
        pieces.abandon(); // the reader must not wait for this thread to take more
        reader.join();
        throw;
    }
    reader.join();
    if (readerFailure)
        std::rethrow_exception(readerFailure);
    return document;
}

// A load frees large buffers of its own (the RTF, its text, the pieces, on two threads' heaps);
// the C library keeps such memory unless asked to give it back.
void DocumentLoader::giveBackFreedMemory()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

void DocumentLoader::loadDocument(const RtfDocument &document)
{
    beginLoad(document.text.size(), WorkProgress::unwatched());
    appendLoaded(document.text, document.colours);
    finishLoad(document);
}

void DocumentLoader::beginLoad(qsizetype largestSize, WorkProgress &progress)
{
    m_loading = true;
    // Shown once it is all in: the window may paint while a long load goes on, and painting the
    // lines that have come in so far would cost more than the whole rest of that turn.
    m_sci->setUpdatesEnabled(false);
    m_sci->SendScintilla(QsciScintillaBase::SCI_SETUNDOCOLLECTION, 0UL);
    m_sci->SendScintilla(QsciScintillaBase::SCI_CLEARALL);
    m_owner.loadStarting();
    m_loadedAscii = true;
    // Room to type in from the start: without it the gap in the editor's buffer runs out on
    // one of the first keystrokes, and the whole document is copied into a larger buffer then.
    const qsizetype room = largestSize / 64 + 65536;
    if (largestSize + room < kAllocateAsideFrom)
        m_sci->SendScintilla(QsciScintillaBase::SCI_ALLOCATE, uintptr_t(largestSize + room));
    else
        allocateAside(largestSize + room, progress);
}

// The system hands over a large buffer a page at a time as the editor clears it, which takes
// a while (a quarter of a second for 340 MB of text and styles). The buffer is made on a second
// thread, in the document of an editor that is never shown, while the window goes on answering;
// the editor then takes that document. Nothing but the second thread touches the hidden editor
// until it is done.
void DocumentLoader::allocateAside(qsizetype size, WorkProgress &progress)
{
    QsciScintilla aside; // outlives the thread, given up or not
    progress.waitOn(
        [&aside, size] { aside.SendScintilla(QsciScintillaBase::SCI_ALLOCATE, uintptr_t(size)); });
    if (aside.SendScintilla(QsciScintillaBase::SCI_GETSTATUS)
        == QsciScintillaBase::SC_STATUS_BADALLOC)
        throw std::bad_alloc();
    m_sci->setDocument(aside.document());
    m_sci->SendScintilla(QsciScintillaBase::SCI_SETUNDOCOLLECTION, 0UL);
    m_owner.documentReplaced();
}

void DocumentLoader::appendLoaded(QByteArrayView text, QByteArrayView colours)
{
    Q_ASSERT(text.size() == colours.size());
    if (text.isEmpty())
        return;
    const long start = m_sci->SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
    m_sci->SendScintilla(QsciScintillaBase::SCI_APPENDTEXT, uintptr_t(text.size()), text.data());
    if (m_loadedAscii && Utf8::asciiPrefixLength(text) < text.size())
        m_loadedAscii = false;

    // Colours are styles as they are, unless a document brings more colours than the styles
    // below the reserved ones; only then is a mapped copy made.
    QByteArrayView styles = colours;
    QByteArray mapped;
    if (std::any_of(colours.cbegin(), colours.cend(), [](char c) {
            return static_cast<unsigned char>(c) >= EditorStyles::kFirstReserved;
        })) {
        mapped = colours.toByteArray();
        std::transform(mapped.cbegin(), mapped.cend(), mapped.begin(), EditorStyles::forColour);
        styles = mapped;
    }
    m_sci->SendScintilla(QsciScintillaBase::SCI_STARTSTYLING, uintptr_t(start), 0L);
    m_sci->SendScintilla(QsciScintillaBase::SCI_SETSTYLINGEX, uintptr_t(styles.size()),
                         styles.data());
}

void DocumentLoader::finishLoad(const RtfDocument &document)
{
    m_sci->SendScintilla(QsciScintillaBase::SCI_SETUNDOCOLLECTION, 1UL);
    m_sci->SendScintilla(QsciScintillaBase::SCI_EMPTYUNDOBUFFER);
    m_sci->SendScintilla(QsciScintillaBase::SCI_SETSAVEPOINT);
    m_owner.loadFinished(document, m_loadedAscii, firstLineEndMode());
    m_sci->SendScintilla(QsciScintillaBase::SCI_GOTOPOS, 0UL);
    m_sci->setUpdatesEnabled(true);
    m_loading = false;
}

// New lines take the document's first terminator; CR LF when it has none.
int DocumentLoader::firstLineEndMode() const
{
    const long length = m_sci->SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
    const auto *start = reinterpret_cast<const char *>(
        m_sci->SendScintilla(QsciScintillaBase::SCI_GETCHARACTERPOINTER));
    const QByteArrayView text(start, length);
    const auto firstBreak
        = std::find_if(text.cbegin(), text.cend(), [](char c) { return c == '\r' || c == '\n'; });
    if (firstBreak != text.cend() && *firstBreak == '\n')
        return QsciScintillaBase::SC_EOL_LF;
    if (firstBreak != text.cend() && (firstBreak + 1 == text.cend() || firstBreak[1] != '\n'))
        return QsciScintillaBase::SC_EOL_CR;
    return QsciScintillaBase::SC_EOL_CRLF;
}
