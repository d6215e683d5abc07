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

    // Questions before unsaved edits go, and the answers to give; Cancel once the script runs
    // out, which loses nothing.
    QStringList saveQuestions;
    QList<SaveChoice> saveChoices;
    SaveChoice askToSave(QWidget *, const QString &text) override
    {
        saveQuestions.append(text);
        return saveChoices.isEmpty() ? SaveChoice::Cancel : saveChoices.takeFirst();
    }
    // Offers of recovered text, and the answers; Later once the script runs out.
    QStringList encodingQuestions;
    QList<EncodingChoice> encodingChoices;
    EncodingChoice askAboutEncoding(QWidget *, const QString &text) override
    {
        encodingQuestions.append(text);
        return encodingChoices.isEmpty() ? EncodingChoice::Cancel : encodingChoices.takeFirst();
    }

    QStringList recoverQuestions;
    QList<RecoverChoice> recoverChoices;
    RecoverChoice askToRecover(QWidget *, const QString &text) override
    {
        recoverQuestions.append(text);
        return recoverChoices.isEmpty() ? RecoverChoice::Later : recoverChoices.takeFirst();
    }

    // Progress windows shown, by their text, and the fractions they showed. Once one shows
    // `cancelAt` or more, Cancel is pressed, or `instead` is done where a test gives it; once.
    QStringList progressShown;
    QList<double> fractionsShown;
    QStringList undoingShown; // what progress windows said while their work was undone
    double cancelAt = 2; // never
    std::function<void()> instead;
    std::unique_ptr<ProgressDisplay> showProgress(QWidget *, const QString &text, Keyboard) override
    {
        progressShown.append(text);
        return std::make_unique<Progress>(*this);
    }

private:
    class Progress final : public ProgressDisplay
    {
    public:
        explicit Progress(ScriptedDialogs &script) : m_script(script) { }
        void setFraction(double fraction) override
        {
            m_script.fractionsShown.append(fraction);
            if (fraction < m_script.cancelAt || m_pressed)
                return;
            m_pressed = true;
            m_script.cancelAt = 2;
            if (m_script.instead)
                return m_script.instead();
            m_cancelled = true;
        }
        bool cancelRequested() const override { return m_cancelled; }
        void showUndoing(const QString &text) override { m_script.undoingShown.append(text); }

    private:
        ScriptedDialogs &m_script;
        bool m_pressed = false, m_cancelled = false;
    };
};
