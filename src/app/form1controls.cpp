// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The window's controls, menus and keys, made as the window was designed, and the order the
// keyboard goes round them. form1.cpp routes what they do.
#include "controls/captionfit.h"
#include "controls/sstab.h"
#include "controls/twips.h"
#include "convert/lineclassifier.h"
#include "convert/palette.h"
#include "editor/richtextbox.h"
#include "form1.h"
#include "window/formlayout.h"
#include "window/tabcycle.h"

#include <QAction>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

void form1::createActions()
{
    // The usual key first, so that the menu shows it, then whatever else the desktop's
    // standard binding adds (some desktops bind none for some of these).
    const auto addAction = [this](const QString &caption, const char *usual,
                                  QKeySequence::StandardKey standard, void (form1::*handler)()) {
        auto *action = new QAction(caption, this);
        QList<QKeySequence> keys { QKeySequence(QLatin1String(usual)) };
        for (const QKeySequence &key : QKeySequence::keyBindings(standard)) {
            if (!keys.contains(key))
                keys.append(key);
        }
        action->setShortcuts(keys);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    // Each item has an access key, as the desktop's other programs have: Alt+F, then O.
    mnuOpen = addAction(tr("&Open"), "Ctrl+O", QKeySequence::Open, &form1::mnuOpen_Click);
    mnuClose = addAction(tr("&Close"), "Ctrl+W", QKeySequence::Close, &form1::mnuClose_Click);
    mnuSave = addAction(tr("&Save"), "Ctrl+S", QKeySequence::Save, &form1::mnuSave_Click);
    mnuSaveAs
        = addAction(tr("Save &As"), "Ctrl+Shift+S", QKeySequence::SaveAs, &form1::mnuSaveAs_Click);
    mnuExit = addAction(tr("E&xit"), "Ctrl+Q", QKeySequence::Quit, &form1::mnuExit_Click);
    mnuAbout = new QAction(tr("&About"), this);
    connect(mnuAbout, &QAction::triggered, this, &form1::mnuAbout_Click);

    // Searching from the keyboard; these have no menu items, so the window holds them.
    addActions(
        { addAction(tr("Find"), "Ctrl+F", QKeySequence::Find, &form1::focusSearchBox),
          addAction(tr("Find Next"), "F3", QKeySequence::FindNext, &form1::cmdFindNext_Click) });
    // Ctrl+Tab leads from control to control; the tabs turn as in other tabbed programs.
    const auto addTabTurn = [this](const char *key, int step) {
        auto *action = new QAction(this);
        action->setShortcut(QKeySequence(QLatin1String(key)));
        connect(action, &QAction::triggered, this,
                [this, step] { SSTab1->setTab((SSTab1->Tab() + step + SlotCount) % SlotCount); });
        QWidget::addAction(action);
    };
    addTabTurn("Ctrl+PgDown", 1);
    addTabTurn("Ctrl+PgUp", -1);
}

void form1::focusSearchBox()
{
    txtSearch->setFocus(Qt::ShortcutFocusReason);
    txtSearch->selectAll();
}

void form1::createMenus()
{
    QMenu *mnuFile = menuBar()->addMenu(tr("&File"));
    mnuFile->addActions({ mnuOpen, mnuClose, mnuSave, mnuSaveAs, mnuExit });
    QMenu *mnuHelp = menuBar()->addMenu(tr("&Help"));
    mnuHelp->addAction(mnuAbout);
}

void form1::place(QWidget *widget, const TwipsRect &rect)
{
    widget->setGeometry(Twips::toPixels(rect.left, rect.top, rect.width, rect.height, this));
}

void form1::createQuickBar(QWidget *client)
{
    fraButtons = new QGroupBox(tr("Quick Bar"), client);
    place(fraButtons, Design::quickBar);
    const auto addButton
        = [this](const QString &caption, const TwipsRect &rect, void (form1::*handler)()) {
              auto *button = new QPushButton(caption, fraButtons);
              place(button, rect);
              connect(button, &QPushButton::clicked, this, handler);
              return button;
          };
    cmdOpen = addButton(tr("Open"), Design::openButton, &form1::cmdOpen_Click);
    cmdClose = addButton(tr("Close"), Design::closeButton, &form1::cmdClose_Click);
    cmdSave = addButton(tr("Save"), Design::saveButton, &form1::cmdSave_Click);
    //: A narrow button: a short caption, abbreviated if need be.
    cmdSaveAS = addButton(tr("Save As"), Design::saveAsButton, &form1::cmdSaveAS_Click);
    fitCaptions({ cmdOpen, cmdClose, cmdSave, cmdSaveAS });
}

void form1::createWorkspace(QWidget *client)
{
    SSTab1 = new SSTab(SlotCount, client);
    place(SSTab1, Design::tabStrip);
    SSTab1->setTabHeight(Twips::toPixels(Design::tabHeight, this));
    for (int slot = 0; slot < SlotCount; ++slot)
        SSTab1->setTabCaption(slot, noFileCaption());
    connect(SSTab1, &SSTab::Click, this, &form1::SSTab1_Click);

    for (int slot = 0; slot < SlotCount; ++slot) {
        auto *editor = new RichTextBox(client);
        editor->setAccessibleName(tr("Editor %1").arg(slot + 1));
        editor->setLineColouring(&LineClassifier::colourLine, Palette::colourTable());
        place(editor, Design::editors);
        RichTextBoxes[slot] = editor;
    }
}

void form1::createSearchRow(QWidget *client)
{
    cmdFind = new QPushButton(tr("Find"), client);
    place(cmdFind, Design::find);
    connect(cmdFind, &QPushButton::clicked, this, &form1::cmdFind_Click);
    //: A narrow button: a short caption.
    cmdFindNext = new QPushButton(tr("Find Next"), client);
    place(cmdFindNext, Design::findNext);
    fitCaptions({ cmdFind, cmdFindNext });
    connect(cmdFindNext, &QPushButton::clicked, this, &form1::cmdFindNext_Click);
    txtSearch = new QLineEdit(client);
    txtSearch->setAccessibleName(tr("Search"));
    place(txtSearch, Design::search);
    txtSearch->installEventFilter(this);
}

// The order the controls stand on the window: the Quick Bar, the tab strip, the active tab's
// editor (the others are hidden, and so skipped), the search row. Tab itself follows tabCycle.
void form1::setTabOrder()
{
    chainTabOrder({ cmdOpen, cmdClose, cmdSave, cmdSaveAS, SSTab1, RichTextBoxes[0],
                    RichTextBoxes[1], RichTextBoxes[2], RichTextBoxes[3], cmdFind, cmdFindNext,
                    txtSearch });
}

QList<QWidget *> form1::tabCycle() const
{
    return { cmdOpen,
             cmdClose,
             cmdSave,
             cmdSaveAS,
             SSTab1->focusProxy(),
             RichTextBoxes[SSTab1->Tab()]->focusProxy(),
             cmdFind,
             cmdFindNext,
             txtSearch };
}

bool form1::focusNextPrevChild(bool next)
{
    const QList<QWidget *> cycle = tabCycle();
    if (!cycle.contains(focusWidget()))
        return QMainWindow::focusNextPrevChild(next);
    return focusAlongCycle(this, cycle, next);
}
