// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/workgate.h"
#include "controls/commondialog.h"
#include "controls/dialogs.h"
#include "open/openqueue.h"
#include "rtf/rtffragments.h"
#include "window/formlayout.h"
#include "window/inputcounter.h"

#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <array>
#include <memory>

class QAction;
class QGroupBox;
class QLineEdit;
class QMimeData;
class QPushButton;
class RichTextBox;
class SSTab;
class Timer;
class frmAbout;
class Clock;
class DecompressionUnderWay;
class LongWork;
class RecoveryCopies;
class QSessionManager;

// The main window: its controls, the fields the commands share, and the routing of every
// menu item, button, key and notification to the command that handles it.
class form1 : public QMainWindow
{
    Q_OBJECT

public:
    explicit form1(QWidget *parent = nullptr);
    ~form1() override;

    static constexpr int SlotCount = 4;
    // The caption of an empty slot.
    static QString noFileCaption() { return tr("No File"); }
    static inline const QString DesignCaption = QStringLiteral("MORVANE - Thrennic.");
    static inline const QString RunCaption = QStringLiteral("Morvane - Thrennic.");

    // Fields shared by the commands.
    QString CurrentFile; // caption of the active tab
    QString Timer2OpenFile; // compressed file whose text is awaited
    qint32 searchptr = 0; // where the last match was found
    QString Hunk; // the RTF header while a conversion runs
    RtfFragments IniLines; // the converter's fragments

    // Controls.
    QGroupBox *fraButtons;
    QPushButton *cmdOpen, *cmdClose, *cmdSave, *cmdSaveAS;
    SSTab *SSTab1;
    std::array<RichTextBox *, SlotCount> RichTextBoxes;
    QPushButton *cmdFind, *cmdFindNext;
    QLineEdit *txtSearch;
    CommonDialog CommonDialog1;
    Timer *Timer2;
    QAction *mnuOpen, *mnuClose, *mnuSave, *mnuSaveAs, *mnuExit, *mnuAbout;

    RichTextBox &editor(int slot) const { return *RichTextBoxes.at(slot); }
    DecompressionUnderWay &decompression() const { return *m_decompression; }
    void showMessage(const QString &text);
    void showWarning(const QString &text);
    bool askYesNo(const QString &text);
    void setDialogs(Dialogs &dialogs);
    Dialogs &dialogs() const { return *m_dialogs; }
    // When long work shows its progress.
    void setClock(Clock &clock) { m_clock = &clock; }
    Clock &clock() const { return *m_clock; }
    // Long work under way (an open or a save): one at a time. Files waiting to be opened, the
    // pick-up of a decompressed file and the closing of the window wait for it to end.
    void beginWork(LongWork &work) { m_gate->begin(work); }
    void endWork(LongWork &work) { m_gate->end(work); }
    bool busy() const { return m_gate->current() != nullptr; }
    // While work shows its progress, the window takes no clicks, keys or commands; it can still
    // be moved, resized and closed.
    void holdForWork(bool hold) { m_gate->hold(hold); }
    // Opens files given on the command line or dropped on the window, in order, as the Open
    // command opens a chosen file. A compressed file holds back the ones after it until its
    // text is shown or given up; OpenWaitingFiles then goes on with them.
    void OpenFiles(const QStringList &paths);
    void OpenWaitingFiles();
    // Where the keyboard goes back to after an open, a message or the About box.
    void focusActiveEditor();
    // Keys pressed and clicks made in the window so far: whether the user did anything since.
    quint64 userInputs() const { return m_inputs->count(); }
    // The copies that keep unsaved edits safe from a crash.
    RecoveryCopies &recovery() const { return *m_recovery; }
    // The desktop session is ending: unsaved edits are kept in their recovery copies whatever
    // happens, and asked about where the session lets the program ask. False when the user
    // keeps one, which holds the session's end up.
    bool mayEndSession(bool mayAsk);
    void commitData(QSessionManager &manager);
    // The system asks the program to end (SIGTERM and the like), and no one is there to answer a
    // question: work under way ends first (a save is finished, an open given up), and unsaved
    // edits stay in their recovery copies for the next start.
    void endAsTheSystemAsks();

    // Outer window size (frame, title and menu bar included), in twips.
    double WidthTwips() const;
    double HeightTwips() const;
    void setOuterSizeTwips(double width, double height);

public slots:
    void mnuOpen_Click();
    void cmdOpen_Click();
    void mnuClose_Click();
    void cmdClose_Click();
    void mnuSave_Click();
    void cmdSave_Click();
    void mnuSaveAs_Click();
    void cmdSaveAS_Click();
    void mnuExit_Click();
    void mnuAbout_Click();
    void cmdFind_Click();
    void cmdFindNext_Click();
    void txtSearch_KeyDown(int keyCode, int shift);
    void SSTab1_Click();
    void Timer2_Timer();
    void Form_Load();
    void Form_Resize();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    friend struct FormFixture; // the tests' one look inside: the About box, the layout passes

    void createActions();
    void createMenus();
    void createQuickBar(QWidget *client);
    void createWorkspace(QWidget *client);
    void createSearchRow(QWidget *client);
    void setTabOrder();
    QList<QWidget *> tabCycle() const;
    void place(QWidget *widget, const TwipsRect &rect);
    void focusSearchBox();
    void watchEditors();

    QtDialogs m_qtDialogs;
    Dialogs *m_dialogs = &m_qtDialogs;
    Clock *m_clock;
    WorkGate *m_gate;
    std::unique_ptr<DecompressionUnderWay> m_decompression;
    bool m_endAgreed = false; // the user let unsaved edits go as the session ends; until typing
    bool m_endingForTheSystem = false;
    RecoveryCopies *m_recovery;
    InputCounter *m_inputs;
    QPointer<frmAbout> m_about;
    OpenQueue m_waitingFiles;
    bool m_correctingSize = false;
    bool m_fittingFrame = false; // until the frame's size is known, after the first show
    int m_layoutPasses = 0; // how often Form_Resize ran
};
