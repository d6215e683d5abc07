// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "hiddenprocess.h"

#include <QCoreApplication>
#include <QProcess>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>
#endif

namespace {
constexpr int kStartTimeoutMs = 10000;
}

HiddenProcess::HiddenProcess(QObject *parent) : QObject(parent), m_process(new QProcess(this))
{
    m_process->setStandardInputFile(QProcess::nullDevice());
#ifdef Q_OS_LINUX
    // A program started here dies with Morvane: killed, Morvane could no longer stop it, and it
    // would go on writing where no one removes what it writes. The signal is asked for in the
    // child before the program starts; it comes when the thread that started the program ends,
    // which is the main thread. Should Morvane end before the request is made, the child is
    // someone else's already and stops itself.
    const pid_t morvane = ::getpid();
    m_process->setChildProcessModifier([morvane] {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != morvane)
            ::_exit(127);
    });
#endif
}

Result<> HiddenProcess::start(const QString &program, const QStringList &arguments,
                              const QString &workingFolder)
{
    if (isRunning())
        stop();
    m_process->setWorkingDirectory(workingFolder);
    m_process->start(program, arguments);
    if (!m_process->waitForStarted(kStartTimeoutMs))
        return Failure { m_process->errorString() };
    return {};
}

bool HiddenProcess::isRunning() const
{
    return m_process->state() != QProcess::NotRunning;
}

bool HiddenProcess::succeeded() const
{
    return !isRunning() && m_process->exitStatus() == QProcess::NormalExit
        && m_process->exitCode() == 0 && m_process->error() == QProcess::UnknownError;
}

int HiddenProcess::exitCode() const
{
    return m_process->exitCode();
}

QByteArray HiddenProcess::readOutput()
{
    return m_process->readAllStandardOutput();
}

QString HiddenProcess::errorText() const
{
    const QString output = QString::fromLocal8Bit(m_process->readAllStandardError()).trimmed();
    if (!output.isEmpty())
        return output;
    if (m_process->exitStatus() == QProcess::CrashExit)
        return QCoreApplication::translate("HiddenProcess", "the program crashed");
    if (m_process->error() != QProcess::UnknownError)
        return m_process->errorString();
    return QString(); // it ended by itself and said nothing
}

void HiddenProcess::stop()
{
    m_process->kill();
    m_process->waitForFinished();
}
