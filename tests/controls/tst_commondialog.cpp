// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/commondialog.h"
#include "controls/dialogs.h"
#include "support/testfiles.h"

#include <QApplication>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

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

    // The next dialog starts where the last file was chosen, or in the nearest folder above that
    // exists: a name typed into a "folder" that is a file must not leave the next one empty.
    void startsInAFolderThatExists()
    {
        QTemporaryDir dir;
        TestFiles::write(dir.filePath("plain.ini"), "[a]");
        QString shownIn;
        const auto answer = [&shownIn](const QString &name) {
            QTimer::singleShot(0, [&shownIn, name] {
                auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                shownIn = dialog->directory().absolutePath();
                if (name.isEmpty())
                    return dialog->reject();
                dialog->selectFile(name);
                static_cast<QDialog *>(dialog)->accept(); // as the Save button does
            });
        };
        QtDialogs dialogs;
        QString type;
        answer(dir.filePath("plain.ini/new.ini"));
        QCOMPARE(dialogs.getSaveFileName(nullptr, "INI (*.ini)", type),
                 dir.filePath("plain.ini/new.ini"));
        answer(QString());
        QCOMPARE(dialogs.getOpenFileName(nullptr, "INI (*.ini)"), QString());
        QCOMPARE(shownIn, QFileInfo(dir.path()).canonicalFilePath());
    }
};

QTEST_MAIN(TestCommonDialog)
#include "tst_commondialog.moc"
