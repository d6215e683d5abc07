// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "richtextbox.h"

#include "document/documentloader.h"
#include "document/editorstyles.h"
#include "editor/editoraccessible.h"
#include "rtf/rtfreader.h"
#include "save/filewriter.h"
#include "text/textcodec.h"
#include "text/textsearch.h"
#include "text/utf8.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMetaObject>
#include <QVBoxLayout>
#include <Qsci/qsciscintilla.h>
#include <algorithm>
#include <cstring>
#include <utility>

RichTextBox::RichTextBox(QWidget *parent)
    : QWidget(parent), m_sci(new QsciScintilla(this)), m_recolourer(m_sci), m_loader(m_sci, *this)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_sci);
    setFocusProxy(m_sci);
    m_sci->installEventFilter(this);
    m_sci->viewport()->installEventFilter(this); // where a context menu is asked for by mouse
    static const bool accessibleInstalled = [] {
        QAccessible::installFactory(&EditorAccessible::factory);
        return true;
    }();
    Q_UNUSED(accessibleInstalled);
    configureEditor();
    connect(m_sci, &QsciScintilla::SCN_MODIFIED, this,
            [this](int position, int type, const char *, int length, int, int, int, int, int, int) {
                onModified(position, type, length);
            });
    // The editor component tracks a save point: undoing back to it is unmodified again.
    connect(m_sci, &QsciScintilla::modificationChanged, this, &RichTextBox::tellIfModifiedChanged);
    connect(m_sci, &QsciScintillaBase::SCN_UPDATEUI, this, [this] {
        if (QAccessible::isActive()) {
            QAccessibleTextCursorEvent moved(
                m_sci,
                characterPosition(m_sci->SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS)));
            QAccessible::updateAccessibility(&moved);
        }
    });
}

QWidget *RichTextBox::dropArea() const
{
    return m_sci->viewport();
}

// Tab types a tab; Ctrl+Tab and Ctrl+Shift+Tab lead out of the editor to the next and previous
// control, as in Qt's other text editors. Alt with a letter or digit is a gesture for the menus,
// never text: where no menu takes it, it does nothing (AltGr, and Ctrl+Alt where a desktop
// sends that for it, still type their characters). Enter and the paste keys, and the context menu
// with its Paste, may insert line ends: they get one that cannot join a neighbour.
bool RichTextBox::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ContextMenu) {
        // The editor first moves the caret to the click, then shows its menu without waiting
        // for it: the menu's Paste comes after this call.
        QMetaObject::invokeMethod(this, &RichTextBox::fitLineEndToSelection, Qt::QueuedConnection);
    }
    if (watched == m_sci && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter
            || key->matches(QKeySequence::Paste))
            fitLineEndToSelection();
        const Qt::KeyboardModifiers held = key->modifiers();
        if ((held & Qt::AltModifier) && !(held & Qt::ControlModifier) && !key->text().isEmpty()
            && key->text().front().isPrint())
            return true;
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (tab && (key->modifiers() & Qt::ControlModifier)) {
            const bool backwards
                = key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier);
            focusNextPrevChild(!backwards);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void RichTextBox::configureEditor()
{
    configureDocument();
    m_sci->SendScintilla(QsciScintillaBase::SCI_STYLESETFONT, QsciScintillaBase::STYLE_DEFAULT,
                         "Arial");
    m_sci->SendScintilla(QsciScintillaBase::SCI_STYLESETSIZEFRACTIONAL,
                         QsciScintillaBase::STYLE_DEFAULT, 975L);
    keepOwnPaper();
    m_sci->SendScintilla(QsciScintillaBase::SCI_STYLECLEARALL);
    for (int margin = 0; margin < 5; ++margin)
        m_sci->SendScintilla(QsciScintillaBase::SCI_SETMARGINWIDTHN, margin, 0L);
    m_sci->SendScintilla(QsciScintillaBase::SCI_SETMARGINLEFT, 0UL, 4L);
    m_sci->SendScintilla(QsciScintillaBase::SCI_SETSCROLLWIDTH, 1UL);
    m_sci->SendScintilla(QsciScintillaBase::SCI_SETSCROLLWIDTHTRACKING, 1UL);
    // Only the notices the recolouring needs. The editor's accessibility support turns every
    // insert or delete notice into a character offset counted from the document's start,
    // which made each keystroke cost time in proportion to the text before the caret.
    m_sci->SendScintilla(QsciScintillaBase::SCI_SETMODEVENTMASK,
                         QsciScintillaBase::SC_MOD_BEFOREINSERT
                             | QsciScintillaBase::SC_MOD_BEFOREDELETE);
}

// The line kinds' colours are chosen for light paper, as the saved files carry them: the editor
// keeps its paper and caret whatever the desktop's theme, which would otherwise leave dark blue
// and black text on a dark background.
void RichTextBox::keepOwnPaper()
{
    m_sci->SendScintilla(QsciScintillaBase::SCI_STYLESETBACK,
                         static_cast<unsigned long>(QsciScintillaBase::STYLE_DEFAULT),
                         QColor(Qt::white));
    m_sci->SendScintilla(QsciScintillaBase::SCI_STYLESETFORE,
                         static_cast<unsigned long>(QsciScintillaBase::STYLE_DEFAULT),
                         QColor(Qt::black));
    m_sci->SendScintilla(QsciScintillaBase::SCI_SETCARETFORE, QColor(Qt::black));
}

// The settings a document keeps, given again to each new one.
void RichTextBox::configureDocument()
{
    m_sci->SendScintilla(QsciScintillaBase::SCI_SETCODEPAGE, QsciScintillaBase::SC_CP_UTF8);
    m_sci->SendScintilla(QsciScintillaBase::SCI_SETLEXER, QsciScintillaBase::SCLEX_CONTAINER);
    m_lineEndMode = QsciScintillaBase::SC_EOL_CRLF;
    m_sci->SendScintilla(QsciScintillaBase::SCI_SETEOLMODE, m_lineEndMode);
}

void RichTextBox::applyColourTable(const QList<RtfColour> &table)
{
    m_colours.clear();
    for (const RtfColour &entry : table) {
        m_colours.append(entry.automatic ? QColor() : QColor(entry.red, entry.green, entry.blue));
        if (m_colours.size() > RtfDocument::maxColour)
            break;
    }
    for (int index = 0; index < m_colours.size(); ++index) {
        const QColor colour = m_colours[index].isValid() ? m_colours[index] : QColor(Qt::black);
        m_sci->SendScintilla(QsciScintillaBase::SCI_STYLESETFORE,
                             static_cast<unsigned char>(EditorStyles::forColour(char(index))),
                             colour);
    }
}

void RichTextBox::setLineColouring(LineColourer colourer, const QList<RtfColour> &palette)
{
    m_recolourer.setColourer(std::move(colourer));
    m_palette = palette;
    applyColourTable(palette);
}

QString RichTextBox::Text() const
{
    return TextCodec::fromUtf8(utf8Text());
}

QByteArray RichTextBox::utf8Text() const
{
    return utf8View().toByteArray();
}

bool RichTextBox::hasText() const
{
    return m_sci->SendScintilla(QsciScintillaBase::SCI_GETLENGTH) > 0;
}

void RichTextBox::setText(const QString &text)
{
    RtfDocument document;
    document.text = text.toUtf8();
    document.colours.fill(0, document.text.size());
    loadDocument(document);
    m_documentPath.clear();
    m_documentStamp = FileStamp();
}

Result<> RichTextBox::LoadFile(const QString &path, WorkProgress &progress, double share)
{
    return m_loader.loadFile(path, progress, share);
}

void RichTextBox::loadDocument(const RtfDocument &document)
{
    m_loader.loadDocument(document);
}

void RichTextBox::loadStarting()
{
    // A character index is built once over the whole text, which costs half of keeping it up
    // to date line by line while the text comes in; ASCII text needs none.
    m_uncheckedLength = 0;
    setCharactersAreBytes(true);
}

void RichTextBox::loadFinished(const RtfDocument &document, bool ascii, int lineEndMode)
{
    if (!ascii)
        setCharactersAreBytes(false);
    applyColourTable(document.colourTable.isEmpty() ? m_palette : document.colourTable);
    m_lineEndMode = lineEndMode;
    m_sci->SendScintilla(QsciScintillaBase::SCI_SETEOLMODE, lineEndMode);
    m_format = document.format;
    m_recolourer.forgetEdits();
    m_notFromFile = false;
    tellIfModifiedChanged();
}

void RichTextBox::documentReplaced()
{
    configureDocument();
    setCharactersAreBytes(true);
    m_recolourer.forgetEdits();
}

Result<RichTextBox::Saved> RichTextBox::SaveFile(const QString &path, int type,
                                                 WorkProgress &progress)
{
    Q_ASSERT(type == 1); // the editor only ever writes plain text
    Q_UNUSED(type);
    const TextCodec::Encoded encoded = TextCodec::encodeUtf8Text(utf8View(), m_format);
    progress.beginStep(encoded.bytes.size(), 1);
    FileWriter writer;
    const Result<QString> written = writer.write(path, encoded.bytes, progress);
    m_failedSaveLeftFileAsBefore = writer.leftOldContents();
    if (!written)
        return written.failure();
    return Saved { *written, encoded.replaced };
}

bool RichTextBox::isModified() const
{
    return m_notFromFile || m_sci->SendScintilla(QsciScintillaBase::SCI_GETMODIFY) != 0;
}

void RichTextBox::markSaved()
{
    m_notFromFile = false;
    m_sci->SendScintilla(QsciScintillaBase::SCI_SETSAVEPOINT);
    tellIfModifiedChanged();
}

void RichTextBox::markUnsaved()
{
    m_notFromFile = true;
    tellIfModifiedChanged();
}

void RichTextBox::tellIfModifiedChanged()
{
    const bool modified = isModified();
    if (modified != std::exchange(m_toldModified, modified))
        emit modifiedChanged(modified);
}

// The text lies in two runs, before and after the gap where typing goes. Asking for it in one
// piece would move the gap to the end, which in a large document costs as much as the copy.
qsizetype RichTextBox::textLength() const
{
    return m_sci->SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
}

void RichTextBox::copyTextInto(QByteArray &copy) const
{
    const qsizetype length = textLength();
    const qsizetype gap = m_sci->SendScintilla(QsciScintillaBase::SCI_GETGAPPOSITION);
    copy.resize(length);
    const auto run = [this](qsizetype start, qsizetype size) {
        return reinterpret_cast<const char *>(m_sci->SendScintilla(
            QsciScintillaBase::SCI_GETRANGEPOINTER, uintptr_t(start), long(size)));
    };
    if (gap > 0)
        std::memcpy(copy.data(), run(0, gap), size_t(gap));
    if (length > gap)
        std::memcpy(copy.data() + gap, run(gap, length - gap), size_t(length - gap));
}

void RichTextBox::SetFocus()
{
    m_sci->setFocus(Qt::OtherFocusReason);
}

QColor RichTextBox::textColourAt(int position) const
{
    const int style = int(
        m_sci->SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, uintptr_t(bytePosition(position))));
    const int colour = EditorStyles::colourOf(style);
    if (colour < 0 || colour >= m_colours.size() || !m_colours[colour].isValid())
        return QColor(Qt::black);
    return m_colours[colour];
}

void RichTextBox::onModified(int position, int type, int length)
{
    if (m_loader.loading())
        return;
    const qsizetype line
        = m_sci->SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION, uintptr_t(position));
    qsizetype linesAdded = 0;
    checkInsertedText(); // before positions move again
    const bool inserting = type & QsciScintillaBase::SC_MOD_BEFOREINSERT;
    if (inserting) {
        // The text is not there yet, and this notice does not carry it: every byte may be a
        // line break.
        linesAdded = length;
    } else if (type & QsciScintillaBase::SC_MOD_BEFOREDELETE) {
        const qsizetype lastDeleted = m_sci->SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION,
                                                           uintptr_t(position + length));
        linesAdded = line - lastDeleted;
    } else {
        return;
    }
    markEdited(firstTouchedLine(position, line), line + std::max<qsizetype>(linesAdded, 0),
               linesAdded);
    emit edited();
    if (QAccessible::isActive())
        EditorAccessible::announceEdit(*this, m_sci, position, type, length);
    if (inserting) {
        // What the insert brings is looked at once it is in, on the next notice or position
        // asked for. Noted only now: announcing asks for a position, and a look then would read
        // text that is not there yet and count it as seen.
        m_uncheckedStart = position;
        m_uncheckedLength = length;
    }
}

// An edit at the start of a line that follows a lone CR can change that CR into a CR LF: text
// inserted there may begin with an LF, a delete may bring one next to the CR. The line above
// is then edited too: its terminator takes its colour, which the edited line may carry on.
qsizetype RichTextBox::firstTouchedLine(qsizetype position, qsizetype line) const
{
    if (line == 0
        || position
            != m_sci->SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, uintptr_t(line)))
        return line;
    const char before
        = char(m_sci->SendScintilla(QsciScintillaBase::SCI_GETCHARAT, uintptr_t(position - 1)));
    return before == '\r' ? line - 1 : line;
}

// Enter and paste insert the document's own terminator, which joins a lone CR before it or a
// lone LF after it into one CR LF: no new line would appear. CR LF joins neither, and is used
// there instead.
void RichTextBox::fitLineEndToSelection()
{
    const long start = m_sci->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONSTART);
    const long end = m_sci->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONEND);
    const char before = start > 0
        ? char(m_sci->SendScintilla(QsciScintillaBase::SCI_GETCHARAT, uintptr_t(start - 1)))
        : '\0';
    const char after = char(m_sci->SendScintilla(QsciScintillaBase::SCI_GETCHARAT, uintptr_t(end)));
    const bool joins = (m_lineEndMode == QsciScintillaBase::SC_EOL_LF && before == '\r')
        || (m_lineEndMode == QsciScintillaBase::SC_EOL_CR && after == '\n');
    m_sci->SendScintilla(QsciScintillaBase::SCI_SETEOLMODE,
                         joins ? int(QsciScintillaBase::SC_EOL_CRLF) : m_lineEndMode);
}

// Inserted text outside ASCII ends the time when a character is a byte.
void RichTextBox::checkInsertedText() const
{
    if (m_uncheckedLength == 0)
        return;
    const qsizetype length = std::exchange(m_uncheckedLength, 0);
    if (!m_charactersAreBytes)
        return;
    const auto *inserted = reinterpret_cast<const char *>(m_sci->SendScintilla(
        QsciScintillaBase::SCI_GETRANGEPOINTER, uintptr_t(m_uncheckedStart), long(length)));
    if (Utf8::asciiPrefixLength(QByteArrayView(inserted, length)) < length)
        const_cast<RichTextBox *>(this)->setCharactersAreBytes(false);
}

void RichTextBox::markEdited(qsizetype first, qsizetype last, qsizetype linesAdded)
{
    m_recolourer.markEdited(first, last, linesAdded);
    if (!m_recolourQueued) {
        m_recolourQueued = true;
        QMetaObject::invokeMethod(this, &RichTextBox::recolourEditedLines, Qt::QueuedConnection);
    }
}

void RichTextBox::recolourEditedLines()
{
    m_recolourQueued = false;
    checkInsertedText();
    m_recolourer.recolourEditedLines();
}
