// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tabstripaccessible.h"

#include "controls/sstab.h"

#include <QCoreApplication>
#include <QTabBar>

TabStripAccessible::TabStripAccessible(QTabBar *bar)
    : QAccessibleWidget(bar, QAccessible::PageTabList)
{
}

TabStripAccessible::~TabStripAccessible()
{
    for (const QAccessible::Id id : std::as_const(m_tabs))
        QAccessible::deleteAccessibleInterface(id);
}

QAccessibleInterface *TabStripAccessible::factory(const QString &className, QObject *object)
{
    if (className != QLatin1String("QTabBar") || !qobject_cast<SSTab *>(object->parent()))
        return nullptr;
    return new TabStripAccessible(static_cast<QTabBar *>(object));
}

QTabBar *TabStripAccessible::bar() const
{
    return static_cast<QTabBar *>(object());
}

int TabStripAccessible::childCount() const
{
    return bar()->count();
}

QAccessibleInterface *TabStripAccessible::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    while (m_tabs.size() <= index) {
        auto *tab = new TabAccessible(bar(), int(m_tabs.size()));
        m_tabs.append(QAccessible::registerAccessibleInterface(tab));
    }
    return QAccessible::accessibleInterface(m_tabs[index]);
}

int TabStripAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    const int index
        = int(m_tabs.indexOf(QAccessible::uniqueId(const_cast<QAccessibleInterface *>(child))));
    return index < childCount() ? index : -1;
}

bool TabAccessible::isValid() const
{
    return m_bar && m_index < m_bar->count();
}

QAccessibleInterface *TabAccessible::parent() const
{
    return QAccessible::queryAccessibleInterface(m_bar.data());
}

QString TabAccessible::text(QAccessible::Text kind) const
{
    if (!isValid())
        return QString();
    if (kind == QAccessible::Name) {
        // Whole, however the strip elides it on screen; then what the marks beside it show.
        QString name = m_bar->tabText(m_index);
        const int marks = m_bar->tabData(m_index).toInt();
        if (marks & SSTab::Modified)
            name += QCoreApplication::translate("SSTab", ", modified");
        if (marks & SSTab::Arrived)
            name += QCoreApplication::translate("SSTab", ", new");
        return name;
    }
    if (kind == QAccessible::Description)
        return m_bar->tabToolTip(m_index);
    return QString();
}

QRect TabAccessible::rect() const
{
    if (!isValid())
        return QRect();
    const QRect local = m_bar->tabRect(m_index);
    return QRect(m_bar->mapToGlobal(local.topLeft()), local.size());
}

QAccessible::State TabAccessible::state() const
{
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    state.selectable = true;
    state.focusable = true;
    state.selected = m_bar->currentIndex() == m_index;
    state.focused = state.selected && m_bar->hasFocus();
    state.invisible = !m_bar->isVisible();
    return state;
}

void *TabAccessible::interface_cast(QAccessible::InterfaceType type)
{
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface *>(this)
                                                : nullptr;
}

QStringList TabAccessible::actionNames() const
{
    return { pressAction() };
}

// Selecting a tab makes it the current one, as a click does.
void TabAccessible::doAction(const QString &actionName)
{
    if (isValid() && actionName == pressAction())
        m_bar->setCurrentIndex(m_index);
}
