// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "about/frmabout.h"
#include "support/formfixture.h"
#include "system/translations.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

// Under a German desktop the window speaks German: its controls, menus, messages, progress
// windows and questions. The catalogue is the one the build made beside the program.
class TestTranslations : public QObject
{
    Q_OBJECT

    // Every text the window and its About box show, in the order the controls were made.
    static QStringList shownTexts()
    {
        FormFixture f;
        f.form.mnuAbout_Click();
        QStringList texts;
        for (QWidget *window :
             { static_cast<QWidget *>(&f.form), static_cast<QWidget *>(f.aboutDialog()) }) {
            texts << window->windowTitle();
            for (const QAbstractButton *button : window->findChildren<QAbstractButton *>())
                texts << button->text();
            for (const QLabel *label : window->findChildren<QLabel *>())
                texts << label->text();
            for (const QGroupBox *box : window->findChildren<QGroupBox *>())
                texts << box->title();
            for (const QAction *action : window->findChildren<QAction *>())
                texts << action->text();
        }
        for (int slot = 0; slot < form1::SlotCount; ++slot)
            texts << f.form.SSTab1->TabCaption(slot);
        texts.removeAll(QString());
        return texts;
    }

private slots:
    void nothingShownIsLeftInEnglish()
    {
        const QStringList english = shownTexts();
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        LoadTranslations(*QCoreApplication::instance());
        const QStringList german = shownTexts();
        QCOMPARE(german.size(), english.size());
        // Names and what reads the same in German.
        const QStringList same { "MORVANE - Thrennic.", QCoreApplication::applicationName(), "OK" };
        for (qsizetype i = 0; i < english.size(); ++i) {
            if (!same.contains(english[i]) && !english[i].startsWith("Editor ")
                && !english[i].startsWith("Version "))
                QVERIFY2(german[i] != english[i], qPrintable("untranslated: " + english[i]));
        }
        QVERIFY(german.contains("&Datei"));
        QVERIFY(german.contains("Keine Datei"));
    }

    // After the test above, which loaded the translations.
    void messagesAndQuestionsAreGerman()
    {
        FormFixture f;
        const QString missing = f.dir.filePath("fehlt.ini");
        f.open(missing);
        QCOMPARE(f.dialogs.messages,
                 QStringList { QDir::toNativeSeparators(missing) + " konnte nicht geöffnet werden: "
                               + qt_error_string(ENOENT) + "." });
        const QString path = f.write("alt.ini", "k=\xE9");
        f.open(path);
        f.typeAtStart(QString::fromUtf8("\u0142"));
        f.dialogs.encodingChoices << Dialogs::EncodingChoice::Replace;
        f.form.cmdSave_Click();
        QCOMPARE(f.dialogs.encodingQuestions,
                 QStringList { QString::fromUtf8(
                     "alt.ini wird als Windows-1252 gespeichert, das 1 der eingegebenen Zeichen "
                     "nicht aufnehmen kann (\u0142). Stattdessen als UTF-8 speichern?") });
        f.dialogs.saveChoices << Dialogs::SaveChoice::Cancel;
        f.typeAtStart("x");
        f.form.mnuClose_Click();
        QCOMPARE(f.dialogs.saveQuestions,
                 QStringList {
                     QString::fromUtf8("Änderungen an alt.ini vor dem Schließen speichern?") });
    }
};

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
