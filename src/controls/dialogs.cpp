// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs.h"

#include "commondialog.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

QString QtDialogs::getOpenFileName(QWidget *parent, const QString &filter)
{
    const QString path = QFileDialog::getOpenFileName(parent, QString(), m_lastFolder, filter);
    if (!path.isEmpty())
        m_lastFolder = QFileInfo(path).absolutePath();
    return path;
}

QString QtDialogs::getSaveFileName(QWidget *parent, const QString &filter, QString &selectedFilter)
{
    QFileDialog dialog(parent, QString(), m_lastFolder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The dialog adds the chosen type's extension itself, so that it is the file of that full
    // name it asks about before replacing it.
    const auto followType = [&dialog](const QString &entry) {
        dialog.setDefaultSuffix(CommonDialog::typeExtension(entry).mid(1));
    };
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, followType);
    followType(dialog.selectedNameFilter());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    selectedFilter = dialog.selectedNameFilter();
    const QString path = dialog.selectedFiles().constFirst();
    m_lastFolder = QFileInfo(path).absolutePath();
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

bool QtDialogs::question(QWidget *parent, const QString &text)
{
    return QMessageBox::question(parent, QCoreApplication::applicationName(), text,
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes;
}
