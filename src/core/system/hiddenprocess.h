// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

class QProcess;

// Starts another program without a window and without waiting for it; its state and its
// own error output can be asked for later. The program never outlives Morvane.
class HiddenProcess : public QObject
{
    Q_OBJECT

public:
    explicit HiddenProcess(QObject *parent = nullptr);

    bool Start(const QString &program, const QStringList &arguments, const QString &workingFolder,
               QString &error);
    bool IsRunning() const;
    // Ended by itself with exit code 0.
    bool Succeeded() const;
    int ExitCode() const;
    // What the program has written to its standard output since the last call.
    QByteArray ReadOutput();
    // What the program wrote to its error output, or why it could not run or crashed; empty
    // when it ended by itself without a word.
    QString ErrorText() const;
    void Stop();

private:
    QProcess *m_process;
};
