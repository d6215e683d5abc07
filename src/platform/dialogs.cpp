#include "dialogs.h"

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
    const QString path
        = QFileDialog::getSaveFileName(parent, QString(), m_lastFolder, filter, &selectedFilter);
    if (!path.isEmpty())
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
