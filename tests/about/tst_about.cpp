// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "about/frmabout.h"
#include "controls/twips.h"
#include "support/formfixture.h"

#include <QApplication>
#include <QLabel>

class TestAbout : public QObject
{
    Q_OBJECT

    static int openDialogs()
    {
        int count = 0;
        for (QWidget *window : QApplication::topLevelWidgets())
            count += qobject_cast<frmAbout *>(window) && window->isVisible() ? 1 : 0;
        return count;
    }

private slots:
    void initTestCase() { QApplication::setApplicationName("Morvane"); }

    void showsTitleAndVersion()
    {
        FormFixture f;
        f.form.mnuAbout_Click();
        frmAbout *about = f.aboutDialog();
        QVERIFY(about);
        QCOMPARE(about->windowTitle(), QString("About Morvane"));
        QCOMPARE(about->lblTitle->text(), QString("Morvane"));
        QCOMPARE(about->lblVersion->text(), QString("Version 1.1.0"));
        QVERIFY(about->lblDisclaimer->text().endsWith(
            "Make sure you backup your ini files before editing!"));
        // The main window's dialog, out of the task bar, its client area at the designed place.
        QCOMPARE(about->parentWidget(), &f.form);
        QCOMPARE(about->windowType(), Qt::Dialog);
        QCOMPARE(about->geometry().topLeft(),
                 QPoint(Twips::toPixels(5505, about), Twips::toPixels(3540, about)));
        for (QLabel *label :
             { about->lblTitle, about->lblVersion, about->lblDescription, about->lblDisclaimer })
            QCOMPARE(label->font(), about->font());
    }

    // The etched separator shows both of its lines, grey above white.
    void separatorIsEtched()
    {
        FormFixture f;
        f.form.mnuAbout_Click();
        frmAbout *about = f.aboutDialog();
        const QImage shot = about->grab().toImage();
        const int x = Twips::toPixels(3000, about), grey = Twips::toPixels(2445, about);
        QCOMPARE(QColor(shot.pixel(x, grey)), QColor(128, 128, 128));
        QCOMPARE(QColor(shot.pixel(x, grey + 1)), QColor(255, 255, 255));
    }

    void atMostOneOpen()
    {
        FormFixture f;
        f.form.mnuAbout_Click();
        frmAbout *first = f.aboutDialog();
        f.form.mnuAbout_Click();
        QCOMPARE(f.aboutDialog(), first);
        QCOMPARE(openDialogs(), 1);
    }

    void enterAndEscapePressOk_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("enter") << int(Qt::Key_Return);
        QTest::newRow("escape") << int(Qt::Key_Escape);
    }

    void enterAndEscapePressOk()
    {
        QFETCH(int, key);
        FormFixture f;
        f.form.mnuAbout_Click();
        QPointer<frmAbout> about = f.aboutDialog();
        QTest::keyClick(about->focusWidget() ? about->focusWidget() : about.data(), Qt::Key(key));
        QTRY_VERIFY(!about); // closed and destroyed
        f.form.mnuAbout_Click(); // and loaded anew
        QVERIFY(f.aboutDialog());
        QCOMPARE(f.aboutDialog()->lblVersion->text(), QString("Version 1.1.0"));
    }

    void closesWithTheMainWindow()
    {
        FormFixture f;
        f.form.mnuAbout_Click();
        QPointer<frmAbout> about = f.aboutDialog();
        f.form.mnuExit_Click();
        QTRY_VERIFY(!about);
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
