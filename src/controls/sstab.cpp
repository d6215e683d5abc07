// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sstab.h"

#include "controls/tabstripaccessible.h"

#include <QAccessible>
#include <QFrame>
#include <QPainter>
#include <QResizeEvent>
#include <QStyle>
#include <QTabBar>

SSTab::SSTab(int tabCount, QWidget *parent)
    : QWidget(parent), m_bar(new QTabBar(this)), m_page(new QFrame(this))
{
    m_bar->setExpanding(true);
    m_bar->setDrawBase(false);
    for (int i = 0; i < tabCount; ++i)
        m_bar->addTab(QString());
    m_page->setFrameShape(QFrame::StyledPanel);
    m_page->lower();
    setFocusProxy(m_bar); // the strip takes its own place in the window's tab order
    // A long file name is shortened in the middle on screen instead of pushing tabs away.
    m_bar->setElideMode(Qt::ElideMiddle);
    m_bar->setUsesScrollButtons(false);
    static const bool accessibleInstalled = [] {
        QAccessible::installFactory(&TabStripAccessible::factory);
        return true;
    }();
    Q_UNUSED(accessibleInstalled);
    connect(m_bar, &QTabBar::currentChanged, this, &SSTab::announceCurrentTab);
    connect(m_bar, &QTabBar::currentChanged, this, &SSTab::Click);
}

int SSTab::Tab() const
{
    return m_bar->currentIndex();
}

void SSTab::setTab(int index)
{
    m_bar->setCurrentIndex(index);
}

QString SSTab::TabCaption(int index) const
{
    return m_bar->tabText(index);
}

void SSTab::setTabCaption(int index, const QString &caption)
{
    m_bar->setTabText(index, caption);
}

void SSTab::setTabToolTip(int index, const QString &toolTip)
{
    m_bar->setTabToolTip(index, toolTip);
}

void SSTab::announceCurrentTab(int index)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleInterface *strip = QAccessible::queryAccessibleInterface(m_bar);
    if (QAccessibleInterface *tab = strip ? strip->child(index) : nullptr) {
        QAccessible::State changed;
        changed.selected = true;
        QAccessibleStateChangeEvent event(tab, changed);
        QAccessible::updateAccessibility(&event);
    }
}

void SSTab::setTabMark(int index, Mark mark, bool on)
{
    const int marks = m_bar->tabData(index).toInt();
    const int changed = on ? marks | mark : marks & ~mark;
    if (changed == marks)
        return;
    m_bar->setTabData(index, changed); // where the tab's accessible interface reads them
    showMarks(index, changed);
    if (!QAccessible::isActive())
        return;
    QAccessibleInterface *strip = QAccessible::queryAccessibleInterface(m_bar);
    if (QAccessibleInterface *tab = strip ? strip->child(index) : nullptr) {
        QAccessibleEvent event(tab, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

bool SSTab::hasTabMark(int index, Mark mark) const
{
    return m_bar->tabData(index).toInt() & mark;
}

// Unsaved edits show as a dot before the caption, in the caption's colour; a document that
// arrived while the user worked elsewhere shows its caption in the colour of a link until its
// tab is visited.
void SSTab::showMarks(int index, int marks)
{
    m_bar->setTabIcon(index, (marks & Modified) ? modifiedDot() : QIcon());
    m_bar->setTabTextColor(index, (marks & Arrived) ? palette().color(QPalette::Link) : QColor());
}

QIcon SSTab::modifiedDot()
{
    const qreal scale = devicePixelRatioF();
    const int side = m_bar->style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, m_bar);
    const QColor colour = palette().color(QPalette::WindowText);
    const QString madeFor
        = QStringLiteral("%1 %2 %3").arg(colour.name(QColor::HexArgb)).arg(side).arg(scale);
    if (madeFor == m_dotMadeFor)
        return m_dot;
    QPixmap pixmap(QSize(side, side) * scale);
    pixmap.setDevicePixelRatio(scale);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawEllipse(QRectF(side * 0.25, side * 0.25, side * 0.5, side * 0.5));
    painter.end();
    m_dot = QIcon(pixmap);
    m_dotMadeFor = madeFor;
    return m_dot;
}

void SSTab::setTabHeight(int pixels)
{
    m_bar->setFixedHeight(pixels);
    placeParts();
}

void SSTab::resizeEvent(QResizeEvent *)
{
    placeParts();
}

// The tabs across the top; the page frame below them, its top edge under the tabs' base.
void SSTab::placeParts()
{
    const int barHeight = m_bar->height();
    m_bar->setGeometry(0, 0, width(), barHeight);
    m_page->setGeometry(0, barHeight - 1, width(), height() - barHeight + 1);
}
