// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/commondialog.h"

#include <QTest>

class TestCommonDialog : public QObject
{
    Q_OBJECT

private slots:
    void convertsFilters_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("qtFilter");
        QTest::newRow("open") << "Morvane (*.ini;*.txt)|*.ini;*.txt;|INI (*.ini)|*.ini|Text "
                                 "(*.txt)|*.txt|All Files (*.*)|*.*"
                              << "Morvane (*.ini *.txt);;INI (*.ini);;Text (*.txt);;All Files (*)";
        QTest::newRow("no pattern in the description") << "Plain|*.txt"
                                                       << "Plain (*.txt)";
        QTest::newRow("odd part ignored") << "Plain|*.txt|Dangling"
                                          << "Plain (*.txt)";
    }

    void convertsFilters()
    {
        QFETCH(QString, filter);
        QTEST(CommonDialog::toQtFilter(filter), "qtFilter");
    }
};

QTEST_APPLESS_MAIN(TestCommonDialog)
#include "tst_commondialog.moc"
