// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "controls/dialogs.h"

#include <cstdio>

// Answers the open dialog with one file, every message box with OK and every question with Yes,
// unsaved edits are discarded and recovered text left for later;
// warnings go to standard error, and progress shows as it does for a user.
class AnsweringDialogs : public Dialogs
{
public:
    explicit AnsweringDialogs(QString path) : m_path(std::move(path)) { }
    QString getOpenFileName(QWidget *, const QString &) override { return m_path; }
    QString getSaveFileName(QWidget *, const QString &, QString &) override { return QString(); }
    void information(QWidget *, const QString &) override { }
    void warning(QWidget *, const QString &text) override
    {
        std::fprintf(stderr, "%s\n", qPrintable(text));
    }
    bool question(QWidget *, const QString &) override { return true; }
    std::unique_ptr<ProgressDisplay> showProgress(QWidget *parent, const QString &text,
                                                  Keyboard keyboard) override
    {
        return m_shown.showProgress(parent, text, keyboard);
    }
    SaveChoice askToSave(QWidget *, const QString &) override { return SaveChoice::Discard; }
    RecoverChoice askToRecover(QWidget *, const QString &) override { return RecoverChoice::Later; }
    EncodingChoice askAboutEncoding(QWidget *, const QString &) override
    {
        return EncodingChoice::Replace;
    }

private:
    QtDialogs m_shown;
    QString m_path;
};
