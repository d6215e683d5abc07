// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

class QSocketNotifier;

// The system asks the program to end: SIGTERM (a logout, a shutdown, `kill`), SIGHUP (its
// terminal went away) or SIGINT (Ctrl+C). By default each ends the program where it stands,
// in the middle of a save if one is under way. Here the signal is only noted, and told on the
// event loop as `requested`, for the program to end once its work is safe.
class EndRequests final : public QObject
{
    Q_OBJECT

public:
    explicit EndRequests(QObject *parent = nullptr);
    ~EndRequests() override;
    Q_DISABLE_COPY(EndRequests)

signals:
    void requested();

private:
    static void noteSignal(int signal);
    void takeNotes();

    QSocketNotifier *m_notifier = nullptr;
};
