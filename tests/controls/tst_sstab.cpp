// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/sstab.h"

#include <QAccessible>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>

class TestSSTab : public QObject
{
    Q_OBJECT

private slots:
    void writingTabRaisesClickOnlyOnChange()
    {
        SSTab strip(4);
        QSignalSpy clicks(&strip, &SSTab::Click);
        QCOMPARE(strip.Tab(), 0);
        strip.setTab(2);
        QCOMPARE(strip.Tab(), 2);
        QCOMPARE(clicks.count(), 1);
        strip.setTab(2);
        QCOMPARE(clicks.count(), 1);
    }

    void userClickRaisesClick()
    {
        SSTab strip(4);
        strip.resize(400, 200);
        strip.show();
        QVERIFY(QTest::qWaitForWindowExposed(&strip));
        QSignalSpy clicks(&strip, &SSTab::Click);
        auto *bar = strip.findChild<QTabBar *>();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(3).center());
        QCOMPARE(strip.Tab(), 3);
        QCOMPARE(clicks.count(), 1);
    }

    // A long caption is shortened on screen only: every tab stays in sight, and screen
    // readers get the whole caption.
    void longCaptionsKeepEveryTabInSight()
    {
        SSTab strip(4);
        strip.resize(400, 200);
        strip.show();
        const QString longName = QString(120, 'x') + ".ini";
        strip.setTabCaption(1, longName);
        QCOMPARE(strip.TabCaption(1), longName);
        auto *bar = strip.findChild<QTabBar *>();
        QVERIFY(bar->tabRect(3).right() <= bar->width());
        QAccessibleInterface *list = QAccessible::queryAccessibleInterface(bar);
        QCOMPARE(list->child(1)->text(QAccessible::Name), longName);
    }

    // Screen readers can tell the current tab and select another one.
    void currentTabIsSelectedForScreenReaders()
    {
        SSTab strip(4);
        strip.setTab(1);
        QAccessibleInterface *list
            = QAccessible::queryAccessibleInterface(strip.findChild<QTabBar *>());
        QCOMPARE(list->role(), QAccessible::PageTabList);
        QCOMPARE(list->childCount(), 4);
        for (int tab = 0; tab < 4; ++tab) {
            QCOMPARE(list->child(tab)->role(), QAccessible::PageTab);
            QCOMPARE(bool(list->child(tab)->state().selected), tab == 1);
        }
        QSignalSpy clicks(&strip, &SSTab::Click);
        list->child(3)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(strip.Tab(), 3);
        QCOMPARE(clicks.count(), 1);
        QVERIFY(list->child(3)->state().selected);
    }
};

QTEST_MAIN(TestSSTab)
#include "tst_sstab.moc"
