// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/formlayout.h"

#include <QTest>

class TestFormLayout : public QObject
{
    Q_OBJECT

private slots:
    void laysOutForTheOuterSize_data()
    {
        QTest::addColumn<float>("width");
        QTest::addColumn<float>("height");
        QTest::addColumn<float>("laidOutWidth");
        QTest::addColumn<float>("laidOutHeight");
        QTest::addColumn<TwipsRect>("tabStrip");
        QTest::addColumn<TwipsRect>("editors");
        QTest::addColumn<float>("searchTop");
        QTest::addColumn<float>("findLeft");
        QTest::addColumn<float>("findNextLeft");
        QTest::addColumn<float>("searchLeft");

        QTest::newRow("exact minimum")
            << 6500.f << 5000.f << 6500.f << 5000.f << TwipsRect { 1305, 45, 5010, 3580 }
            << TwipsRect { 1380, 375, 4850, 3190 } << 3680.f << 1490.f << 2210.f << 3210.f;
        QTest::newRow("too narrow")
            << 5000.f << 8000.f << 6500.f << 8000.f << TwipsRect { 1305, 45, 5010, 6580 }
            << TwipsRect { 1380, 375, 4850, 6190 } << 6680.f << 1490.f << 2210.f << 3210.f;
        QTest::newRow("too low") << 8000.f << 4000.f << 8000.f << 5000.f
                                 << TwipsRect { 1305, 45, 6510, 3580 }
                                 << TwipsRect { 1380, 375, 6350, 3190 } << 3680.f << 2990.f
                                 << 3710.f << 4710.f;
        QTest::newRow("too small both ways")
            << 100.f << 100.f << 6500.f << 5000.f << TwipsRect { 1305, 45, 5010, 3580 }
            << TwipsRect { 1380, 375, 4850, 3190 } << 3680.f << 1490.f << 2210.f << 3210.f;
        QTest::newRow("large") << 12000.f << 9000.f << 12000.f << 9000.f
                               << TwipsRect { 1305, 45, 10510, 7580 }
                               << TwipsRect { 1380, 375, 10350, 7190 } << 7680.f << 6990.f << 7710.f
                               << 8710.f;
    }

    void laysOutForTheOuterSize()
    {
        QFETCH(float, width);
        QFETCH(float, height);
        const auto plan = FormLayout::plan(width, height, false);
        QVERIFY(plan);
        QTEST(plan->windowWidth, "laidOutWidth");
        QTEST(plan->windowHeight, "laidOutHeight");
        QCOMPARE(plan->sizeCorrected, plan->windowWidth != width || plan->windowHeight != height);
        QTEST(plan->tabStrip, "tabStrip");
        QTEST(plan->editors, "editors");
        QTEST(plan->find.top, "searchTop");
        QCOMPARE(plan->findNext.top, plan->find.top);
        QCOMPARE(plan->search.top, plan->find.top);
        QTEST(plan->find.left, "findLeft");
        QTEST(plan->findNext.left, "findNextLeft");
        QTEST(plan->search.left, "searchLeft");
        QCOMPARE(plan->search.left + plan->search.width, plan->windowWidth - 275);
        QCOMPARE(plan->search.width, 3015.f);
        QCOMPARE(plan->find.height, 255.f);
    }

    void minimizedWindowIsLeftAlone() { QVERIFY(!FormLayout::plan(100, 100, true)); }
};

QTEST_APPLESS_MAIN(TestFormLayout)
#include "tst_formlayout.moc"
