// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "document/documentloader.h"
#include "files/filestamp.h"
#include "linerecolourer.h"
#include "rtf/rtfreader.h"
#include "text/textformat.h"

#include <QByteArrayView>
#include <QColor>
#include <QString>
#include <QWidget>

class QsciScintilla;

// One of the four editors. It loads colour-coded RTF documents, saves plain text in the
// document's own encoding and terminators, finds text, and keeps the colours of edited lines
// up to date through a line colourer supplied by the application.
class RichTextBox : public QWidget, private DocumentLoader::Owner
{
    Q_OBJECT

public:
    struct Saved
    {
        QString note; // for the user: what the save left behind, where it left something
        qsizetype replaced = 0; // characters the file's encoding could not hold, written as '?'
    };

    using LineColourer = LineRecolourer::Colourer;

    explicit RichTextBox(QWidget *parent = nullptr);

    QString Text() const;
    void setText(const QString &text);
    bool hasText() const;
    QByteArray utf8Text() const;
    // The editor's own buffer, valid until the next change to the text.
    QByteArrayView utf8View() const;
    int characterCount() const;
    // Conversions between character positions (code points from 0) and bytes of the buffer.
    qsizetype bytePosition(int characterPosition) const;
    int characterPosition(qsizetype bytePosition) const;

    // Both tell their progress in bytes; given up, a load leaves the editor empty and a save
    // leaves the file as it was, and both throw WorkCancelled.
    Result<> LoadFile(const QString &path, WorkProgress &progress = WorkProgress::unwatched(),
                      double share = 1);
    void loadDocument(const RtfDocument &document);
    Result<Saved> SaveFile(const QString &path, int type = 1,
                           WorkProgress &progress = WorkProgress::unwatched());
    // After a failed SaveFile: whether the file holds its old contents (else the message names
    // the copy that does).
    bool failedSaveLeftFileAsBefore() const { return m_failedSaveLeftFileAsBefore; }

    struct Match
    {
        int position = -1; // in characters; -1 when there is none
        int length = 0;
    };
    // The first match of `text` at or after character `start`, ignoring the case of every
    // letter. Selecting it is the caller's business.
    Match Find(const QString &text, int start) const;
    int SelStart() const;
    void setSelStart(int position);
    int SelLength() const;
    void setSelLength(int length);
    void SetFocus();

    // The file the document came from, and how it is stored there.
    QString documentPath() const { return m_documentPath; }
    void setDocumentPath(const QString &path) { m_documentPath = path; }
    // How that file stood when it was read or last saved.
    FileStamp documentStamp() const { return m_documentStamp; }
    void setDocumentStamp(const FileStamp &stamp) { m_documentStamp = stamp; }
    TextFormat documentFormat() const { return m_format; }
    void setDocumentFormat(const TextFormat &format) { m_format = format; }

    // Whether the text differs from the file's as it was last read or written: edited since,
    // and not undone back to there, or taken from somewhere other than that file.
    bool isModified() const;
    // The text is now what the file holds: it was just written there.
    void markSaved();
    // The text is not what the file holds, though nothing was typed: it came from a copy.
    void markUnsaved();
    // Copies the whole text into `buffer`, which keeps its memory when it is large enough,
    // without moving the editor's gap: the copy is all it costs.
    void copyTextInto(QByteArray &buffer) const;
    qsizetype textLength() const;

    // The widget that receives what is dragged over the editor.
    QWidget *dropArea() const;

    // How typed lines are coloured, and the colours a document without its own table shows.
    void setLineColouring(LineColourer colourer, const QList<RtfColour> &palette);
    QColor textColourAt(int position) const;

signals:
    // The text became modified, or saved again.
    void modifiedChanged(bool modified);
    // The user, or undo, is about to change the text; the change follows at once.
    void edited();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void configureEditor();
    void keepOwnPaper();
    void configureDocument();
    void loadStarting() override;
    void loadFinished(const RtfDocument &document, bool ascii, int lineEndMode) override;
    void documentReplaced() override;
    void setCharactersAreBytes(bool ascii);
    void checkInsertedText() const;
    void applyColourTable(const QList<RtfColour> &table);
    void onModified(int position, int type, int length);
    // The first line whose text or terminator an edit at `position`, on `line`, can change.
    qsizetype firstTouchedLine(qsizetype position, qsizetype line) const;
    // Sets the terminator that a new line typed or pasted over the selection gets.
    void fitLineEndToSelection();
    void markEdited(qsizetype first, qsizetype last, qsizetype linesAdded);
    // Recolours the lines edited since the last call, once control is back in the event loop.
    void recolourEditedLines();
    void tellIfModifiedChanged();

    QsciScintilla *m_sci;
    QString m_documentPath;
    FileStamp m_documentStamp;
    TextFormat m_format;
    LineRecolourer m_recolourer;
    QList<QColor> m_colours; // by colour index; invalid for the editor's default
    QList<RtfColour> m_palette;
    DocumentLoader m_loader;
    bool m_charactersAreBytes = true; // ASCII text: no character index is kept
    // Text inserted since the last look, which may end the ASCII time.
    mutable qsizetype m_uncheckedStart = 0, m_uncheckedLength = 0;
    bool m_recolourQueued = false;
    int m_lineEndMode = 0; // the document's terminator for new lines, an SC_EOL_ value
    bool m_notFromFile = false; // the text came from a copy, not from the file
    bool m_failedSaveLeftFileAsBefore = true;
    bool m_toldModified = false; // what modifiedChanged last told
};
