// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "frmabout.h"

#include "app/form1.h"
#include "controls/twips.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

frmAbout::frmAbout(form1 &mainWindow)
    // The main window's own dialog: kept above it and out of the task bar.
    : QDialog(&mainWindow,
              Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                  | Qt::MSWindowsFixedSizeDialogHint),
      m_mainWindow(mainWindow)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(mainWindow.windowIcon()); // the same icon as the main window
    setFixedSize(Twips::toPixels(5730, this), Twips::toPixels(3555, this));
    // The designed place is the client area's; the title bar goes above it.
    setGeometry(QRect(QPoint(Twips::toPixels(5505, this), Twips::toPixels(3540, this)), size()));

    lblTitle = addLabel(1050, 240, 3885, 480);
    lblVersion = addLabel(1050, 780, 3885, 225);
    lblDescription = addLabel(1050, 1125, 3885, 1170);
    lblDescription->setText(
        tr("A front end for bini, the decompressor of compressed INI files: Morvane shows INI "
           "files colour-coded and saves them as plain text. Morvane and bini are made by the "
           "Morvane project."));
    lblDisclaimer = addLabel(255, 2625, 3870, 825);
    lblDisclaimer->setText(tr("Warning: saving a compressed INI file writes it as plain text. "
                              "Make sure you backup your ini files before editing!"));

    cmdOK = new QPushButton(tr("OK"), this);
    cmdOK->setGeometry(Twips::toPixels(4320, 3000, 1260, 345, this));
    cmdOK->setDefault(true);
    cmdOK->setAutoDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    Form_Load();
}

QLabel *frmAbout::addLabel(double left, double top, double width, double height)
{
    auto *label = new QLabel(this);
    label->setGeometry(Twips::toPixels(left, top, width, height, this));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setFocusPolicy(Qt::NoFocus);
    return label;
}

void frmAbout::Form_Load()
{
    const QString title = QCoreApplication::applicationName();
    setWindowTitle(tr("About %1").arg(title));
    lblVersion->setText(tr("Version %1.%2.%3")
                            .arg(MORVANE_VERSION_MAJOR)
                            .arg(MORVANE_VERSION_MINOR)
                            .arg(MORVANE_VERSION_PATCH));
    lblTitle->setText(title);
}

void frmAbout::Show()
{
    show();
    raise();
    activateWindow();
    cmdOK->setFocus();
}

void frmAbout::cmdOK_Click()
{
    m_mainWindow.activateWindow();
    m_mainWindow.focusActiveEditor();
    accept(); // closes, and the dialog deletes itself
}

void frmAbout::reject()
{
    cmdOK_Click();
}

void frmAbout::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    // An etched separator between the description and the warning: a grey line with a white
    // one on the pixel rows just below it, so that neither paints over the other.
    QPainter painter(this);
    const auto px = [this](double twips) { return Twips::toPixels(twips, this); };
    const int greyRow = px(2445);
    painter.fillRect(QRect(QPoint(px(90), greyRow), QPoint(px(5654), greyRow)),
                     QColor(128, 128, 128));
    painter.fillRect(QRect(px(105), greyRow + 1, px(5654) - px(105) + 1, 2), QColor(255, 255, 255));
}
