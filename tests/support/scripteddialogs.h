// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "controls/dialogs.h"

#include <QStringList>
#include <functional>

// Answers the program's dialogs from a script instead of a modal loop, and keeps every message
// the program showed. An empty answer is a cancel.
class ScriptedDialogs final : public Dialogs
{
public:
    QStringList openAnswers;
    QStringList saveAnswers;
    QStringList messages;
    int openAsked = 0, saveAsked = 0;

    QString getOpenFileName(QWidget *, const QString &) override
    {
        ++openAsked;
        return openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
    }
    // The type chosen in the save dialog; the first one of the filter unless a test says.
    QStringList saveTypes;
    // What happens in the program while the save dialog waits for the user.
    std::function<void()> whileSaveDialogIsOpen;

    QString getSaveFileName(QWidget *, const QString &filter, QString &selectedFilter) override
    {
        ++saveAsked;
        if (whileSaveDialogIsOpen)
            whileSaveDialogIsOpen();
        selectedFilter = saveTypes.isEmpty() ? filter.section(";;", 0, 0) : saveTypes.takeFirst();
        return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
    }
    void information(QWidget *, const QString &text) override { messages.append(text); }
    void warning(QWidget *, const QString &text) override { messages.append(text); }
    // Questions asked, and the answers to give; No once the script runs out.
    QStringList questions;
    QList<bool> questionAnswers;
    bool question(QWidget *, const QString &text) override
    {
        questions.append(text);
        return !questionAnswers.isEmpty() && questionAnswers.takeFirst();
    }
};
