// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "rtf/rtfreader.h"
#include "system/result.h"
#include "system/workprogress.h"

#include <QByteArrayView>
#include <QString>

class QsciScintilla;

// Takes a document into the editor component: its text and colours in pieces, read on a second
// thread while the editor takes in what has been read when the document is large, and an empty
// document again when the memory runs out. The editor control around it is told only when a
// load starts, finishes or fails, through the narrow Owner interface, so that the loader never
// reaches into the control's own state.
class DocumentLoader
{
public:
    // What the control does around a load; the loader itself only feeds the editor component.
    class Owner
    {
    public:
        // The text is about to be replaced.
        virtual void loadStarting() = 0;
        // The text is in; `ascii` says whether all of it is ASCII.
        virtual void loadFinished(const RtfDocument &document, bool ascii, int lineEndMode) = 0;
        // The editor component has a new, empty document, to be configured as a new one is.
        virtual void documentReplaced() = 0;

    protected:
        ~Owner() = default;
    };

    DocumentLoader(QsciScintilla *editor, Owner &owner) : m_sci(editor), m_owner(owner) { }

    // Reads the RTF file at `path` into the editor.
    // Reading and taking in the document take `share` of the work `progress` tells of; when the
    // work is given up the editor is left empty.
    Result<> loadFile(const QString &path, WorkProgress &progress = WorkProgress::unwatched(),
                      double share = 1);
    void loadDocument(const RtfDocument &document);
    // While a load is under way, the editor's change notices are the load's own.
    bool loading() const { return m_loading; }

private:
    // Both take in the text and colours, and return what else the document says.
    RtfDocument loadRtf(QByteArrayView rtf, WorkProgress &progress);
    RtfDocument loadRtfReadOnSecondThread(QByteArrayView rtf, WorkProgress &progress);
    void beginLoad(qsizetype largestSize, WorkProgress &progress);
    void allocateAside(qsizetype size, WorkProgress &progress);
    void appendLoaded(QByteArrayView text, QByteArrayView colours);
    void finishLoad(const RtfDocument &document);
    int firstLineEndMode() const;
    void emptyAfterFailedLoad();
    static void giveBackFreedMemory();

    QsciScintilla *m_sci;
    Owner &m_owner;
    bool m_loading = false;
    bool m_loadedAscii = true; // what has been loaded so far is ASCII
};
