// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "endrequests.h"

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kSignals[] = { SIGTERM, SIGHUP, SIGINT };
int g_pipe[2] = { -1, -1 }; // the handler writes, the event loop reads

} // namespace

EndRequests::EndRequests(QObject *parent) : QObject(parent)
{
    if (::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return; // the signals keep their usual effect
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &EndRequests::takeNotes);
    struct sigaction action = {};
    action.sa_handler = &EndRequests::noteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART; // a save's system calls go on where they were
    for (const int signal : kSignals)
        ::sigaction(signal, &action, nullptr);
}

EndRequests::~EndRequests()
{
    for (const int signal : kSignals)
        ::signal(signal, SIG_DFL);
    delete m_notifier;
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

// Only what a signal handler may do: one write.
void EndRequests::noteSignal(int)
{
    const int saved = errno;
    const char note = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &note, 1);
    errno = saved;
}

void EndRequests::takeNotes()
{
    char notes[16];
    while (::read(g_pipe[0], notes, sizeof notes) > 0) { }
    emit requested();
}
