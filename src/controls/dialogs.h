// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPointer>
#include <QString>
#include <array>
#include <memory>

class QFileDialog;
class QMessageBox;
class QWidget;

// A window that shows how far long work has come, with a Cancel button; it goes when it is
// destroyed.
class ProgressDisplay
{
public:
    virtual ~ProgressDisplay() = default;
    // From 0 to 1.
    virtual void setFraction(double fraction) = 0;
    // The user pressed Cancel, pressed Escape or closed the window.
    virtual bool cancelRequested() const = 0;
    // The work is being undone, which cannot be given up: says `text`, and offers no Cancel.
    virtual void showUndoing(const QString &text) { Q_UNUSED(text); }
};

// The modal parts of the program: file dialogs and message boxes. The application uses the
// Qt realisation; tests answer through their own.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // The chosen file's full path, or an empty string when the user cancelled.
    // `filter` is in Qt's form ("Text (*.txt);;All Files (*)").
    virtual QString getOpenFileName(QWidget *parent, const QString &filter) = 0;
    // `selectedFilter` receives the filter entry the user chose.
    virtual QString getSaveFileName(QWidget *parent, const QString &filter, QString &selectedFilter)
        = 0;
    virtual void information(QWidget *parent, const QString &text) = 0;
    virtual void warning(QWidget *parent, const QString &text) = 0;
    // True for Yes; No is the default answer.
    virtual bool question(QWidget *parent, const QString &text) = 0;
    // Shows progress over `parent`, which stays free to be moved, resized or closed. Work that
    // holds the window gives the progress the keyboard (Escape cancels); work that goes on beside
    // the user's typing leaves the keyboard where it is.
    enum class Keyboard { Take, Leave };
    virtual std::unique_ptr<ProgressDisplay> showProgress(QWidget *parent, const QString &text,
                                                          Keyboard keyboard)
        = 0;

    // Before unsaved edits would go: Save is the default answer, Escape is Cancel.
    enum class SaveChoice { Save, Discard, Cancel };
    virtual SaveChoice askToSave(QWidget *parent, const QString &text) = 0;
    // Whether to take back what a copy kept after a run ended without saving: Recover is the
    // default answer; Escape keeps the copy for another time.
    enum class RecoverChoice { Recover, Discard, Later };
    virtual RecoverChoice askToRecover(QWidget *parent, const QString &text) = 0;
    // Before a save that the file's encoding cannot hold all of: Save as UTF-8 is the default
    // answer; Escape is Cancel.
    enum class EncodingChoice { SaveAsUtf8, Replace, Cancel };
    virtual EncodingChoice askAboutEncoding(QWidget *parent, const QString &text) = 0;
};

class QtDialogs final : public Dialogs
{
public:
    QtDialogs() = default;
    ~QtDialogs() override;
    Q_DISABLE_COPY(QtDialogs)

    QString getOpenFileName(QWidget *parent, const QString &filter) override;
    QString getSaveFileName(QWidget *parent, const QString &filter,
                            QString &selectedFilter) override;
    void information(QWidget *parent, const QString &text) override;
    void warning(QWidget *parent, const QString &text) override;
    bool question(QWidget *parent, const QString &text) override;
    std::unique_ptr<ProgressDisplay> showProgress(QWidget *parent, const QString &text,
                                                  Keyboard keyboard) override;
    SaveChoice askToSave(QWidget *parent, const QString &text) override;
    RecoverChoice askToRecover(QWidget *parent, const QString &text) override;
    EncodingChoice askAboutEncoding(QWidget *parent, const QString &text) override;

private:
    enum Box { Information, Warning, Question, AskToSave, AskToRecover, AskAboutEncoding, Boxes };

    QFileDialog &fileDialog(QPointer<QFileDialog> &kept, QWidget *parent, const QString &filter);
    QString chosenFile(QFileDialog &dialog);
    QMessageBox &messageBox(Box kind, QWidget *parent, const QString &text);
    static void addButtons(Box kind, QMessageBox &box);

    QString m_lastFolder;
    QPointer<QFileDialog> m_openDialog, m_saveDialog;
    std::array<QPointer<QMessageBox>, Boxes> m_boxes;
};
