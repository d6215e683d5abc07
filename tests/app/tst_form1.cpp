#include "platform/twips.h"
#include "support/formfixture.h"

#include <QAccessible>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

class TestForm1 : public QObject
{
    Q_OBJECT

private slots:
    void startsAsDesigned()
    {
        FormFixture f;
        QCOMPARE(f.form.windowTitle(), form1::DesignCaption);
        for (int slot = 0; slot < form1::SlotCount; ++slot)
            QCOMPARE(f.caption(slot), form1::NoFileCaption);
        QCOMPARE(f.visibleSlot(), 0);
        QCOMPARE(f.form.fraButtons->title(), QString("Quick Bar"));
        QCOMPARE(f.form.cmdSaveAS->text(), QString("Save As"));
    }

    void controlsAreNamedForAccessibility()
    {
        FormFixture f;
        const QList<QWidget *> controls
            = { f.form.cmdOpen, f.form.cmdClose,    f.form.cmdSave,   f.form.cmdSaveAS,
                f.form.cmdFind, f.form.cmdFindNext, f.form.txtSearch, &f.editor(0) };
        for (QWidget *control : controls) {
            QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(control);
            QVERIFY(accessible);
            QVERIFY2(!accessible->text(QAccessible::Name).isEmpty(),
                     qPrintable(control->metaObject()->className()));
        }
        QCOMPARE(QAccessible::queryAccessibleInterface(f.form.cmdFindNext)->text(QAccessible::Name),
                 QString("Find Next"));
    }

    void searchRowFollowsTheTabStrip_data()
    {
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::addColumn<double>("laidOutWidth");
        QTest::addColumn<double>("laidOutHeight");
        QTest::newRow("large") << 12000.0 << 9000.0 << 12000.0 << 9000.0;
        QTest::newRow("too narrow") << 5000.0 << 8000.0 << 6500.0 << 8000.0;
        QTest::newRow("too low") << 8000.0 << 4000.0 << 8000.0 << 5000.0;
    }

    void searchRowFollowsTheTabStrip()
    {
        QFETCH(double, width);
        QFETCH(double, height);
        QFETCH(double, laidOutWidth);
        QFETCH(double, laidOutHeight);
        FormFixture f;
        f.form.setOuterSizeTwips(width, height);
        QCoreApplication::processEvents();
        const auto px = [&](double twips) { return Twips::toPixels(twips, &f.form); };
        // The window's size in whole pixels, back in twips, is what the layout works from.
        const double onePixel = Twips::fromPixels(1, &f.form);
        QTRY_VERIFY(qAbs(f.form.WidthTwips() - laidOutWidth) < onePixel);
        QTRY_VERIFY(qAbs(f.form.HeightTwips() - laidOutHeight) < onePixel);
        const double w = f.form.WidthTwips(), h = f.form.HeightTwips();
        QTRY_COMPARE(f.form.SSTab1->geometry(),
                     Twips::toPixels(1305, 45, w - 1490, h - 1420, &f.form));
        QCOMPARE(f.form.cmdFind->pos(), QPoint(px(w - 5010), px(h - 1320)));
        QCOMPARE(f.form.cmdFindNext->pos(), QPoint(px(w - 4290), px(h - 1320)));
        QCOMPARE(f.form.txtSearch->pos(), QPoint(px(w - 3290), px(h - 1320)));
        for (int slot = 0; slot < form1::SlotCount; ++slot)
            QCOMPARE(f.editor(slot).size(), f.editor(0).size());
        QCOMPARE(f.form.fraButtons->geometry(), Twips::toPixels(75, 105, 1215, 1560, &f.form));
    }
};

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
