#include "sstab.h"

#include <QFrame>
#include <QResizeEvent>
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

int SSTab::Tabs() const
{
    return m_bar->count();
}

QString SSTab::TabCaption(int index) const
{
    return m_bar->tabText(index);
}

void SSTab::setTabCaption(int index, const QString &caption)
{
    m_bar->setTabText(index, caption);
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
