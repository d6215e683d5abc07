// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "interruptedsave.h"

#include "app/form1.h"
#include "files/filesystem.h"
#include "save/filewriter.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <unistd.h>

namespace {

bool putBack(form1 &form, const QString &path, const QString &copy)
{
    const Result<QByteArray> old = FileSystem::readAll(copy);
    const Result<QString> written = old ? FileWriter().write(path, *old) : old.failure();
    if (written)
        return true;
    form.showWarning(
        QCoreApplication::translate(
            "InterruptedSave",
            "Could not put the old contents of %1 back: %2. They are kept in %3.")
            .arg(FileSystem::displayPath(path), written.reason(), FileSystem::displayPath(copy)));
    return false;
}

} // namespace

void OfferContentsBeforeAnInterruptedSave(form1 &form, const QString &path)
{
    for (const QString &copy : FileWriter::copiesLeftBeside(path)) {
        const QString name = FileSystem::displayPath(QFileInfo(path).fileName());
        const bool beside = QFileInfo(copy).absolutePath() == QFileInfo(path).absolutePath();
        const bool back = form.askYesNo(
            QCoreApplication::translate(
                "InterruptedSave",
                "%1 may be incomplete: a save of it was cut short. Its contents from "
                "before that save were kept in %2. Put them back?")
                .arg(name, FileSystem::displayPath(beside ? QFileInfo(copy).fileName() : copy)));
        if (!back || putBack(form, path, copy))
            ::unlink(FileSystem::nativePath(copy).constData());
    }
}
