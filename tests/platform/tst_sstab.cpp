#include "platform/sstab.h"

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

    void captions()
    {
        SSTab strip(4);
        strip.setTabCaption(1, "a.ini");
        QCOMPARE(strip.TabCaption(1), QString("a.ini"));
        QCOMPARE(strip.Tabs(), 4);
    }
};

QTEST_MAIN(TestSSTab)
#include "tst_sstab.moc"
