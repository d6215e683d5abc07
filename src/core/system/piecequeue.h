// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>

// Pieces of text passed from the thread that reads a document to the editor that takes them
// in. It holds a few pieces at most, so that memory stays bounded when the editor is slower.
class PieceQueue
{
public:
    struct Piece
    {
        QByteArray text, colours;
        qsizetype readTo = 0; // how far the reader had come when it passed the piece on
    };

    // Copies the piece in; waits while the queue is full. False once the taker has given up.
    bool push(QByteArrayView text, QByteArrayView colours, qsizetype readTo);
    // No more pieces will come.
    void close();
    // The taker gives up: pieces pushed from now on are dropped at once, so the reader never
    // waits for room that will not come.
    void abandon();
    // The next piece, waiting for it; none once the queue is closed and empty.
    std::optional<Piece> pop();

private:
    static constexpr size_t kMostPieces = 4;

    std::mutex m_mutex;
    std::condition_variable m_pieceReady, m_roomFreed;
    std::deque<Piece> m_pieces;
    bool m_closed = false;
    bool m_abandoned = false;
};
