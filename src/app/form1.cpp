// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form1.h"

#include "about/frmabout.h"
#include "app/workgate.h"
#include "controls/sstab.h"
#include "controls/twips.h"
#include "editor/richtextbox.h"
#include "files/filesystem.h"
#include "files/privatefolder.h"
#include "open/decompression.h"
#include "open/decompressionunderway.h"
#include "open/opencommand.h"
#include "search/search.h"
#include "system/clock.h"
#include "system/timer.h"
#include "window/filedrops.h"
#include "window/formlayout.h"
#include "window/inputcounter.h"
#include "window/screenfit.h"
#include "workspace/editorslots.h"
#include "workspace/longwork.h"
#include "workspace/recoverycopies.h"
#include "workspace/slotcommands.h"
#include "workspace/slotmodel.h"

#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSessionManager>
#include <cmath>
#include <utility>

form1::form1(QWidget *parent)
    : QMainWindow(parent), CommonDialog1(m_qtDialogs, this), m_clock(&Clock::system())
{
    setWindowTitle(DesignCaption);
    setWindowIcon(QIcon(QStringLiteral(":/morvane.svg")));
    auto *client = new QWidget(this);
    setCentralWidget(client);
    createActions();
    createMenus();
    createQuickBar(client);
    createWorkspace(client);
    createSearchRow(client);
    setTabOrder();
    QList<QWidget *> textAreas { txtSearch };
    for (RichTextBox *editor : RichTextBoxes)
        textAreas << editor->dropArea();
    connect(new FileDrops(this, textAreas), &FileDrops::dropped, this, &form1::OpenFiles);
    m_gate = new WorkGate(*this);
    connect(m_gate, &WorkGate::idle, this, &form1::OpenWaitingFiles);
    m_recovery = new RecoveryCopies(*this);
    watchEditors();
    m_inputs = new InputCounter(this);
    // A logout asks before unsaved edits go, as the window's close does.
    connect(qApp, &QGuiApplication::commitDataRequest, this, &form1::commitData);

    Timer2 = new Timer(this);
    Timer2->setInterval(DecompressionPickUpInterval);
    connect(Timer2, &Timer::Tick, this, &form1::Timer2_Timer);
    m_decompression = std::make_unique<DecompressionUnderWay>(*this);

    resize(sizeOnScreen(
        *this,
        QSize(Twips::toPixels(Design::clientWidth, this),
              Twips::toPixels(Design::clientHeight, this) + menuBar()->sizeHint().height())));
    m_fittingFrame = true;
    Form_Load();
    RichTextBoxes[0]->SetFocus(); // typing goes to the editor at once
}

form1::~form1()
{
    StopDecompression(*this);
    PrivateFolder::endThisRun(); // the window's life is the run's
    delete m_about;
}

// A slot's unsaved state shows on its tab and keeps its recovery copy; every edit puts the
// next copy in time.
void form1::watchEditors()
{
    for (int slot = 0; slot < SlotCount; ++slot) {
        connect(RichTextBoxes[slot], &RichTextBox::modifiedChanged, this,
                [this, slot] { SlotModifiedChanged(*this, slot); });
        connect(RichTextBoxes[slot], &RichTextBox::edited, this, [this, slot] {
            m_endAgreed = false;
            if (SlotIsUnsaved(*this, slot))
                m_recovery->edited(slot);
        });
    }
}

void form1::focusActiveEditor()
{
    if (const int active = ActiveSlot(*this); active >= 0)
        RichTextBoxes[active]->SetFocus();
}

void form1::OpenFiles(const QStringList &paths)
{
    m_waitingFiles.add(paths);
    OpenWaitingFiles();
}

void form1::OpenWaitingFiles()
{
    m_waitingFiles.openWhileFree(*this);
}

void form1::showMessage(const QString &text)
{
    if (LongWork *work = m_gate->current())
        work->stopShowing(); // the message is about the work, and comes instead of its progress
    m_dialogs->information(this, text);
    focusActiveEditor();
}

void form1::showWarning(const QString &text)
{
    if (LongWork *work = m_gate->current())
        work->stopShowing();
    m_dialogs->warning(this, text);
    focusActiveEditor();
}

bool form1::askYesNo(const QString &text)
{
    const bool yes = m_dialogs->question(this, text);
    focusActiveEditor();
    return yes;
}

void form1::setDialogs(Dialogs &dialogs)
{
    m_dialogs = &dialogs;
    CommonDialog1.setDialogs(dialogs);
}

double form1::WidthTwips() const
{
    return Twips::fromPixels(frameGeometry().width(), this);
}

double form1::HeightTwips() const
{
    return Twips::fromPixels(frameGeometry().height(), this);
}

void form1::setOuterSizeTwips(double width, double height)
{
    // Whole pixels, rounded up so that a minimum size is never missed by a fraction.
    const QSize frame = frameGeometry().size() - size();
    const double twipsPerPixel = Twips::fromPixels(1, this);
    resize(int(std::ceil(width / twipsPerPixel)) - frame.width(),
           int(std::ceil(height / twipsPerPixel)) - frame.height());
}

// Menu items and buttons share one implementation per command.
void form1::cmdOpen_Click()
{
    mnuOpen_Click();
}

void form1::mnuOpen_Click()
{
    OpenCommand(*this);
    focusActiveEditor();
}

void form1::mnuClose_Click()
{
    cmdClose_Click();
}

void form1::cmdClose_Click()
{
    CloseActiveSlot(*this);
}

void form1::mnuSave_Click()
{
    cmdSave_Click();
}

void form1::cmdSave_Click()
{
    SaveActiveSlot(*this);
}

void form1::mnuSaveAs_Click()
{
    cmdSaveAS_Click();
}

void form1::cmdSaveAS_Click()
{
    SaveActiveSlotAs(*this);
}

void form1::mnuExit_Click()
{
    close();
}

void form1::mnuAbout_Click()
{
    if (!m_about)
        m_about = new frmAbout(*this);
    m_about->Show();
}

void form1::cmdFind_Click()
{
    FindFirst(*this);
}

void form1::cmdFindNext_Click()
{
    FindNext(*this);
}

void form1::txtSearch_KeyDown(int keyCode, int)
{
    if (keyCode == Qt::Key_Return || keyCode == Qt::Key_Enter)
        cmdFind_Click();
}

void form1::SSTab1_Click()
{
    ShowActiveSlot(*this);
}

void form1::Timer2_Timer()
{
    PickUpDecompressedFile(*this);
}

void form1::Form_Load()
{
    ShowOnlySlot(*this, 0);
}

void form1::Form_Resize()
{
    ++m_layoutPasses;
    const auto plan = FormLayout::plan(float(WidthTwips()), float(HeightTwips()), isMinimized());
    if (!plan)
        return;
    // One correction a pass, never repeated from here: a window that cannot reach the minimum
    // (a tiling window manager, a small screen) would otherwise be corrected without end. A
    // window system that applies the size later sends a resize of its own, which lays out again.
    if (plan->sizeCorrected && !m_correctingSize) {
        m_correctingSize = true;
        setOuterSizeTwips(plan->windowWidth, plan->windowHeight);
        m_correctingSize = false;
    }
    const FormLayoutPlan layout = FormLayout::arrange(float(WidthTwips()), float(HeightTwips()));
    place(SSTab1, layout.tabStrip);
    for (RichTextBox *editor : RichTextBoxes)
        place(editor, layout.editors);
    place(txtSearch, layout.search);
    place(cmdFind, layout.find);
    place(cmdFindNext, layout.findNext);
}

void form1::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    if (m_fittingFrame && fitFrameToScreen(*this))
        m_fittingFrame = false;
    Form_Resize();
}

void form1::moveEvent(QMoveEvent *event)
{
    QMainWindow::moveEvent(event);
    // A window manager tells of its frame by moving the window into it.
    if (m_fittingFrame && fitFrameToScreen(*this))
        m_fittingFrame = false;
}

void form1::closeEvent(QCloseEvent *event)
{
    // An open is given up first, a save finished; the window closes once the work has ended.
    if (m_gate->current()) {
        m_gate->closeAfterWork();
        event->ignore();
        return;
    }
    const bool asked = m_endingForTheSystem || std::exchange(m_endAgreed, false);
    if (!asked && !MayAllSlotsGo(*this)) {
        event->ignore();
        return;
    }
    m_waitingFiles.clear();
    StopDecompression(*this); // its text would have no window to go to
    if (m_about)
        m_about->close();
    if (m_endingForTheSystem)
        m_recovery->endRunKeepingCopies();
    else
        m_recovery->endRun(); // nothing is left unsaved that the user did not let go
    event->accept();
}

void form1::endAsTheSystemAsks()
{
    m_endingForTheSystem = true;
    close(); // a question open now is left unanswered, as it is ended with the rest
}

bool form1::mayEndSession(bool mayAsk)
{
    m_recovery->writeNow(); // the session may end the program at any moment from here
    if (mayAsk)
        m_endAgreed = MayAllSlotsGo(*this);
    return !mayAsk || m_endAgreed;
}

void form1::commitData(QSessionManager &manager)
{
    const bool mayEnd = mayEndSession(manager.allowsInteraction());
    if (manager.allowsInteraction())
        manager.release();
    if (!mayEnd)
        manager.cancel();
}

bool form1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtSearch && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        txtSearch_KeyDown(key->key(), int(key->modifiers()));
    }
    return QMainWindow::eventFilter(watched, event); // the key still reaches the box
}
