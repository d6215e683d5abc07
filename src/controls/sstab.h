// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QIcon>
#include <QWidget>

class QTabBar;
class QFrame;

// A strip of tabs over a framed page area. The editors are not its children: they lie over the
// page area and the window shows the one that belongs to the active tab.
class SSTab : public QWidget
{
    Q_OBJECT

public:
    explicit SSTab(int tabCount, QWidget *parent = nullptr);

    int Tab() const;
    // Making another tab active raises Click, exactly as a user's click does.
    void setTab(int index);
    QString TabCaption(int index) const;
    void setTabCaption(int index, const QString &caption);
    void setTabToolTip(int index, const QString &toolTip);
    void setTabHeight(int pixels);

    // Marks beside a tab's caption, which is left as it is. A screen reader hears them after the
    // caption.
    enum Mark { Modified = 1, Arrived = 2 }; // unsaved edits; a document placed while away
    void setTabMark(int index, Mark mark, bool on);
    bool hasTabMark(int index, Mark mark) const;

signals:
    void Click();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void placeParts();
    void announceCurrentTab(int index);
    void showMarks(int index, int marks);
    QIcon modifiedDot();

    QTabBar *m_bar;
    QFrame *m_page;
    // Drawn once for its colour, size and scale: each new icon would take a key of its own in
    // Qt's pixmap cache, never to be found again.
    QIcon m_dot;
    QString m_dotMadeFor;
};
