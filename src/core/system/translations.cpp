// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

bool install(QCoreApplication &app, const QString &name, const QStringList &folders)
{
    auto *translator = new QTranslator(&app);
    for (const QString &folder : folders) {
        if (translator->load(QLocale(), name, QStringLiteral("_"), folder)) {
            app.installTranslator(translator);
            return true;
        }
    }
    delete translator;
    return false;
}

} // namespace

void LoadTranslations(QCoreApplication &app)
{
    const QStringList qtFolders { QLibraryInfo::path(QLibraryInfo::TranslationsPath) };
    install(app, QStringLiteral("qtbase"), qtFolders);
    install(app, QStringLiteral("qscintilla"), qtFolders);
    // Beside the program in the build tree; installed, under the prefix's share folder, the
    // program being in lib/morvane.
    const QString programFolder = QCoreApplication::applicationDirPath();
    install(app, QStringLiteral("morvane"),
            { programFolder + QStringLiteral("/translations"),
              programFolder + QStringLiteral("/../../share/morvane/translations") });
}
