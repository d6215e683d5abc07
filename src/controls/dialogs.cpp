// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs.h"

#include "commondialog.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>

namespace {

class QtProgressDisplay final : public ProgressDisplay
{
public:
    QtProgressDisplay(QWidget *parent, const QString &text, Dialogs::Keyboard keyboard)
        : m_dialog(text, QCoreApplication::translate("Dialogs", "Cancel"), 0, kSteps, parent)
    {
        // A key meant for the editor, a space above all, would press Cancel.
        m_dialog.setAttribute(Qt::WA_ShowWithoutActivating, keyboard == Dialogs::Keyboard::Leave);
        m_dialog.setWindowTitle(QCoreApplication::applicationName());
        // Not modal: a window blocked by a modal one could not be closed, and closing it is one
        // way to give the work up. Whoever shows the progress keeps the window from input.
        m_dialog.setWindowModality(Qt::NonModal);
        // Shown at once and kept until the work is over: the caller decides both.
        m_dialog.setMinimumDuration(0);
        m_dialog.setAutoClose(false);
        m_dialog.setAutoReset(false);
        // Escape rejects the dialog, which is a Cancel too.
        QObject::connect(&m_dialog, &QDialog::rejected, &m_dialog, [this] { m_rejected = true; });
        // Room for a path of some length, and centred over the window, where the eye is.
        m_dialog.setMinimumWidth(m_dialog.fontMetrics().averageCharWidth() * 60);
        m_dialog.setValue(0);
        m_dialog.adjustSize();
        if (parent)
            m_dialog.move(parent->window()->geometry().center() - m_dialog.rect().center());
        m_dialog.show();
    }

    void setFraction(double fraction) override
    {
        const int value = int(fraction * kSteps);
        if (value != m_dialog.value())
            m_dialog.setValue(value);
    }
    bool cancelRequested() const override { return m_dialog.wasCanceled() || m_rejected; }
    void showUndoing(const QString &text) override
    {
        m_dialog.setLabelText(text);
        m_dialog.setCancelButton(nullptr);
    }

private:
    static constexpr int kSteps = 1000;
    QProgressDialog m_dialog;
    bool m_rejected = false;
};

// `folder`, or the nearest folder above it that exists: a name typed into a folder that is not
// there (or a file), or a folder removed since, would show an empty dialog.
QString existingFolder(QString folder)
{
    while (!folder.isEmpty() && !QFileInfo(folder).isDir()) {
        const QString above = QFileInfo(folder).absolutePath();
        if (above == folder)
            return QString();
        folder = above;
    }
    return folder;
}

} // namespace

// One dialog of each kind for the window's life: a new one each time loads its icons afresh,
// and Qt's pixmap cache keeps a key for each for good. Each use starts in the last folder, with
// an empty name box and no completion list left on screen from the last use (it would take the
// first key typed afterwards).
QFileDialog &QtDialogs::fileDialog(QPointer<QFileDialog> &kept, QWidget *parent,
                                   const QString &filter)
{
    if (!kept)
        kept = new QFileDialog(parent);
    kept->setNameFilters(filter.split(QStringLiteral(";;")));
    const QString folder = existingFolder(m_lastFolder);
    if (!folder.isEmpty()) // else the working folder, where a new dialog starts
        kept->setDirectory(folder);
    // The name box of Qt's own dialog (a desktop's native one starts empty anyway).
    if (auto *name = kept->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
        name->clear();
    return *kept;
}

QString QtDialogs::chosenFile(QFileDialog &dialog)
{
    const bool chosen = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    for (QCompleter *completer : dialog.findChildren<QCompleter *>())
        completer->popup()->hide();
    if (!chosen)
        return QString();
    const QString path = dialog.selectedFiles().constFirst();
    m_lastFolder = QFileInfo(path).absolutePath();
    return path;
}

QString QtDialogs::getOpenFileName(QWidget *parent, const QString &filter)
{
    QFileDialog &dialog = fileDialog(m_openDialog, parent, filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return chosenFile(dialog);
}

QString QtDialogs::getSaveFileName(QWidget *parent, const QString &filter, QString &selectedFilter)
{
    const bool made = !m_saveDialog;
    QFileDialog &dialog = fileDialog(m_saveDialog, parent, filter);
    if (made) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        // The dialog adds the chosen type's extension itself, so that it is the file of that
        // full name it asks about before replacing it.
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog](const QString &entry) {
                             dialog.setDefaultSuffix(CommonDialog::typeExtension(entry).mid(1));
                         });
    }
    dialog.setDefaultSuffix(CommonDialog::typeExtension(dialog.selectedNameFilter()).mid(1));
    const QString path = chosenFile(dialog);
    if (!path.isEmpty())
        selectedFilter = dialog.selectedNameFilter();
    return path;
}

void QtDialogs::information(QWidget *parent, const QString &text)
{
    QMessageBox::information(parent, QCoreApplication::applicationName(), text);
}

void QtDialogs::warning(QWidget *parent, const QString &text)
{
    QMessageBox::warning(parent, QCoreApplication::applicationName(), text);
}

std::unique_ptr<ProgressDisplay> QtDialogs::showProgress(QWidget *parent, const QString &text,
                                                         Keyboard keyboard)
{
    return std::make_unique<QtProgressDisplay>(parent, text, keyboard);
}

bool QtDialogs::question(QWidget *parent, const QString &text)
{
    return QMessageBox::question(parent, QCoreApplication::applicationName(), text,
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes;
}

Dialogs::SaveChoice QtDialogs::askToSave(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::Warning, QCoreApplication::applicationName(), text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        return SaveChoice::Save;
    case QMessageBox::Discard:
        return SaveChoice::Discard;
    default:
        return SaveChoice::Cancel;
    }
}

Dialogs::RecoverChoice QtDialogs::askToRecover(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::Question, QCoreApplication::applicationName(), text,
                    QMessageBox::NoButton, parent);
    QPushButton *recover
        = box.addButton(QCoreApplication::translate("Dialogs", "Recover"), QMessageBox::AcceptRole);
    // Not the standard Discard button, which some desktops name for closing a document.
    QPushButton *discard = box.addButton(QCoreApplication::translate("Dialogs", "Discard"),
                                         QMessageBox::DestructiveRole);
    box.addButton(QMessageBox::Cancel)->hide(); // what Escape and the window's close choose
    box.setDefaultButton(recover);
    box.exec();
    if (box.clickedButton() == recover)
        return RecoverChoice::Recover;
    return box.clickedButton() == discard ? RecoverChoice::Discard : RecoverChoice::Later;
}

Dialogs::EncodingChoice QtDialogs::askAboutEncoding(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::Warning, QCoreApplication::applicationName(), text,
                    QMessageBox::NoButton, parent);
    QPushButton *utf8 = box.addButton(QCoreApplication::translate("Dialogs", "Save as UTF-8"),
                                      QMessageBox::AcceptRole);
    QPushButton *replace = box.addButton(
        QCoreApplication::translate("Dialogs", "Replace with \"?\""), QMessageBox::DestructiveRole);
    box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(utf8);
    box.exec();
    if (box.clickedButton() == utf8)
        return EncodingChoice::SaveAsUtf8;
    return box.clickedButton() == replace ? EncodingChoice::Replace : EncodingChoice::Cancel;
}
