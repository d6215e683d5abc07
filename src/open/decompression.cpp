// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "decompression.h"

#include "app/form1.h"
#include "decompressionprogress.h"
#include "decompressionunderway.h"
#include "files/filesystem.h"
#include "files/privatefolder.h"
#include "opencommand.h"
#include "system/hiddenprocess.h"
#include "system/timer.h"
#include "workspace/editorslots.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <unistd.h>

namespace {

QString uncompressingCaption()
{
    return QCoreApplication::translate("Decompression",
                                       "Morvane - Uncompressing File . . . . . . . .");
}
const QString kOutputName = QStringLiteral("decompressed.txt");

// The decompressor's folder goes with everything in it: a decompressor stopped halfway may
// leave its scratch file beside the text.
void discardOutput(form1 &form)
{
    if (!form.decompression().outputFile.isEmpty())
        PrivateFolder::discard(QFileInfo(form.decompression().outputFile).absolutePath());
    form.decompression().outputFile.clear();
}

void giveUp(form1 &form, const QString &reason)
{
    form.Timer2->setEnabled(false);
    form.decompression().progress->stop();
    discardOutput(form);
    form.setWindowTitle(form1::RunCaption);
    form.showWarning(CouldNotOpenMessage(form.Timer2OpenFile, reason));
    form.OpenWaitingFiles(); // files named after this one
}

} // namespace

QString DecompressorPath()
{
    return FileSystem::programFolder() + QStringLiteral("/bini");
}

QString DecompressorFailure(const HiddenProcess &decompressor, bool wroteText,
                            const QString &output, const QString &compressed)
{
    QString said = decompressor.errorText();
    // It names the file it could not write, which is Morvane's own and means nothing to the
    // user; the failure is the compressed file's, named as the decompressor names its input.
    if (!said.isEmpty())
        return said.replace(output, QFileInfo(compressed).fileName());
    return (wroteText ? QCoreApplication::translate("Decompression",
                                                    "the decompressor failed (exit code %1)")
                      : QCoreApplication::translate(
                          "Decompression", "the decompressor wrote no text (exit code %1)"))
        .arg(decompressor.exitCode());
}

void StartDecompression(form1 &form, const QString &path)
{
    if (form.Timer2->Enabled()) {
        form.showMessage(QCoreApplication::translate(
                             "Decompression",
                             "Please wait until %1 is uncompressed before opening another "
                             "compressed file.")
                             .arg(QFileInfo(form.Timer2OpenFile).fileName()));
        return;
    }
    // The text goes into a folder of its own in Morvane's private folder, never beside the
    // user's file, where a file of the same name may be the user's.
    const Result<PrivateFolder *> run = PrivateFolder::ofThisRun();
    const Result<QString> made = run ? (*run)->newFolder(QStringLiteral("bini-")) : run.failure();
    if (!made) {
        form.showWarning(CouldNotOpenMessage(path, made.reason()));
        return;
    }
    const QString &folder = *made;
    const QFileInfo file(path);
    form.setWindowTitle(uncompressingCaption());
    // Always our own decompressor by its full path: never a program that lies beside the file.
    const QString output = folder + u'/' + kOutputName;
    // A process's arguments and folder go out as UTF-8: a name that is not UTF-8 is handed over
    // as a link to the file, made in the private folder, which the decompressor runs in.
    const QString link = folder + QStringLiteral("/compressed.ini");
    const bool byLink = FileSystem::nativePath(path) != path.toUtf8()
        && ::symlink(FileSystem::nativePath(FileSystem::absolutePath(path)).constData(),
                     FileSystem::nativePath(link).constData())
            == 0;
    const QStringList arguments
        = { QStringLiteral("--"), byLink ? link : file.fileName(), QStringLiteral("--output"),
            output, QStringLiteral("--progress") };
    const Result<> started = form.decompression().process->start(
        DecompressorPath(), arguments, byLink ? folder : file.absolutePath());
    if (!started) {
        (*run)->remove(folder);
        form.setWindowTitle(form1::RunCaption);
        form.showWarning(
            CouldNotOpenMessage(path,
                                QCoreApplication::translate(
                                    "Decompression", "the decompressor could not be started (%1)")
                                    .arg(started.reason())));
        return;
    }
    form.Timer2OpenFile = path;
    form.decompression().outputFile = output;
    form.decompression().ticks = 0;
    form.decompression().inputMark = form.userInputs();
    form.Timer2->setEnabled(true);
    form.decompression().progress->start();
    form.setWindowTitle(form1::RunCaption);
    form.CurrentFile = path;
}

void StopDecompression(form1 &form)
{
    if (form.decompression().process->isRunning())
        form.decompression().process->stop();
    form.Timer2->setEnabled(false);
    form.decompression().progress->stop();
    discardOutput(form);
}

void CancelDecompression(form1 &form)
{
    StopDecompression(form);
    form.setWindowTitle(form1::RunCaption);
    form.OpenWaitingFiles(); // files named after this one
}

void PickUpDecompressedFile(form1 &form)
{
    if (!form.Timer2->Enabled())
        return; // picked up already
    if (form.busy())
        return; // looked at again once the work under way is over; the wait does not count
    if (form.decompression().process->isRunning()) {
        if (++form.decompression().ticks < DecompressionTimeoutSeconds)
            return; // look again in a second
        form.decompression().process->stop();
        giveUp(form,
               QCoreApplication::translate("Decompression",
                                           "the decompressor did not finish within %1 seconds")
                   .arg(DecompressionTimeoutSeconds));
        return;
    }
    const QString output = form.decompression().outputFile;
    const bool wroteText = FileSystem::exists(output);
    if (!form.decompression().process->succeeded() || !wroteText) {
        giveUp(form,
               DecompressorFailure(*form.decompression().process, wroteText, output,
                                   form.Timer2OpenFile));
        return;
    }
    form.Timer2->setEnabled(false);
    const bool progressShown = form.decompression().progress->shown();
    form.decompression().progress->stop();
    const QString compressed = form.Timer2OpenFile;
    // A user who went on working meanwhile keeps the tab and the keys; one who waited sees it.
    const Placement placement = form.userInputs() == form.decompression().inputMark
        ? Placement::Activate
        : Placement::Beside;
    OpenTextFile(form, output, QFileInfo(compressed).fileName(), compressed, progressShown,
                 placement);
    discardOutput(form); // the text lives in the editor now
    form.OpenWaitingFiles();
}
