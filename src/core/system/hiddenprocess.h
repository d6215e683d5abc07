// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "result.h"

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

    Result<> start(const QString &program, const QStringList &arguments,
                   const QString &workingFolder);
    bool isRunning() const;
    // Ended by itself with exit code 0.
    bool succeeded() const;
    int exitCode() const;
    // What the program has written to its standard output since the last call.
    QByteArray readOutput();
    // What the program wrote to its error output, or why it could not run or crashed; empty
    // when it ended by itself without a word.
    QString errorText() const;
    void stop();

private:
    QProcess *m_process;
};
