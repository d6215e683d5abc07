// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

class QWidget;

// Counts the keys and clicks that reach a window, whichever of its controls takes them: a
// decompressed text that arrives later must not take the keys from a user who went on working
// meanwhile.
class InputCounter final : public QObject
{
public:
    explicit InputCounter(QWidget *window);

    quint64 count() const { return m_count; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    quint64 m_count = 0;
};
