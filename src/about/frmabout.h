// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class form1;

// Help > About: the program's title and version, what it is for, and a warning to keep a backup.
// Modeless, owned by the main window; it is destroyed when closed.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    explicit frmAbout(form1 &mainWindow);

    void Show();

    QLabel *lblTitle, *lblVersion, *lblDescription, *lblDisclaimer;
    QPushButton *cmdOK;

public slots:
    void cmdOK_Click();
    void reject() override; // Esc, like Enter, presses OK

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void Form_Load();
    QLabel *addLabel(double left, double top, double width, double height);

    form1 &m_mainWindow;
};
