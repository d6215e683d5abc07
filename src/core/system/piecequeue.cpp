// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "piecequeue.h"

bool PieceQueue::push(QByteArrayView text, QByteArrayView colours, qsizetype readTo)
{
    Piece piece { text.toByteArray(), colours.toByteArray(), readTo }; // copied outside the lock
    std::unique_lock lock(m_mutex);
    m_roomFreed.wait(lock, [this] { return m_pieces.size() < kMostPieces || m_abandoned; });
    if (m_abandoned)
        return false;
    m_pieces.push_back(std::move(piece));
    m_pieceReady.notify_one();
    return true;
}

void PieceQueue::close()
{
    std::lock_guard lock(m_mutex);
    m_closed = true;
    m_pieceReady.notify_one();
}

std::optional<PieceQueue::Piece> PieceQueue::pop()
{
    std::unique_lock lock(m_mutex);
    m_pieceReady.wait(lock, [this] { return !m_pieces.empty() || m_closed; });
    if (m_pieces.empty())
        return std::nullopt;
    Piece piece = std::move(m_pieces.front());
    m_pieces.pop_front();
    m_roomFreed.notify_one();
    return piece;
}

void PieceQueue::abandon()
{
    std::lock_guard lock(m_mutex);
    m_abandoned = true;
    m_pieces.clear();
    m_roomFreed.notify_one();
}
