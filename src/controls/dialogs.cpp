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

// The questions with buttons of their own tell the answer by the role of the button taken;
// Escape and the window's close take the Cancel button's.
QMessageBox::ButtonRole answeredRole(QMessageBox &box)
{
    box.exec();
    return box.clickedButton() ? box.buttonRole(box.clickedButton()) : QMessageBox::RejectRole;
}

} // namespace

void QtDialogs::addButtons(Box kind, QMessageBox &box)
{
    switch (kind) {
    case Information:
    case Warning:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Question:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::No);
        break;
    case AskToSave:
        box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Save);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case AskToRecover: {
        QPushButton *recover = box.addButton(QCoreApplication::translate("Dialogs", "Recover"),
                                             QMessageBox::AcceptRole);
        // Not the standard Discard button, which some desktops name for closing a document.
        box.addButton(QCoreApplication::translate("Dialogs", "Discard"),
                      QMessageBox::DestructiveRole);
        box.addButton(QMessageBox::Cancel)->hide(); // what Escape and the window's close choose
        box.setDefaultButton(recover);
        break;
    }
    case AskAboutEncoding: {
        QPushButton *utf8 = box.addButton(QCoreApplication::translate("Dialogs", "Save as UTF-8"),
                                          QMessageBox::AcceptRole);
        box.addButton(QCoreApplication::translate("Dialogs", "Replace with \"?\""),
                      QMessageBox::DestructiveRole);
        box.addButton(QMessageBox::Cancel);
        box.setDefaultButton(utf8);
        break;
    }
    case Boxes:
        break;
    }
}

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

// One message box of each kind for the window's life, as with the file dialogs: a new box loads
// its icons (the sign, the buttons') afresh, and each load takes a key in Qt's pixmap cache that
// is never found again. Each kind gets its buttons once, when it is made.
QMessageBox &QtDialogs::messageBox(Box kind, QWidget *parent, const QString &text)
{
    QPointer<QMessageBox> &kept = m_boxes[kind];
    if (kept && kept->parentWidget() != parent)
        delete kept;
    if (!kept) {
        static constexpr QMessageBox::Icon icons[Boxes]
            = { QMessageBox::Information, QMessageBox::Warning,  QMessageBox::Question,
                QMessageBox::Warning,     QMessageBox::Question, QMessageBox::Warning };
        kept = new QMessageBox(icons[kind], QCoreApplication::applicationName(), QString(),
                               QMessageBox::NoButton, parent);
        addButtons(kind, *kept);
    }
    kept->setText(text);
    // The keyboard starts on the default answer each time, not on the button the last answer
    // took: Space presses the button that has it.
    if (QPushButton *answer = kept->defaultButton())
        kept->setDefaultButton(answer);
    return *kept;
}

QtDialogs::~QtDialogs()
{
    for (const QPointer<QMessageBox> &box : m_boxes)
        delete box; // those without a parent would stay
}

void QtDialogs::information(QWidget *parent, const QString &text)
{
    messageBox(Information, parent, text).exec();
}

void QtDialogs::warning(QWidget *parent, const QString &text)
{
    messageBox(Warning, parent, text).exec();
}

std::unique_ptr<ProgressDisplay> QtDialogs::showProgress(QWidget *parent, const QString &text,
                                                         Keyboard keyboard)
{
    return std::make_unique<QtProgressDisplay>(parent, text, keyboard);
}

bool QtDialogs::question(QWidget *parent, const QString &text)
{
    return messageBox(Question, parent, text).exec() == QMessageBox::Yes;
}

Dialogs::SaveChoice QtDialogs::askToSave(QWidget *parent, const QString &text)
{
    switch (messageBox(AskToSave, parent, text).exec()) {
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
    switch (answeredRole(messageBox(AskToRecover, parent, text))) {
    case QMessageBox::AcceptRole:
        return RecoverChoice::Recover;
    case QMessageBox::DestructiveRole:
        return RecoverChoice::Discard;
    default:
        return RecoverChoice::Later;
    }
}

Dialogs::EncodingChoice QtDialogs::askAboutEncoding(QWidget *parent, const QString &text)
{
    switch (answeredRole(messageBox(AskAboutEncoding, parent, text))) {
    case QMessageBox::AcceptRole:
        return EncodingChoice::SaveAsUtf8;
    case QMessageBox::DestructiveRole:
        return EncodingChoice::Replace;
    default:
        return EncodingChoice::Cancel;
    }
}
