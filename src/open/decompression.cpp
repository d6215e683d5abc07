#include "decompression.h"

#include "app/form1.h"
#include "opencommand.h"
#include "platform/filesystem.h"
#include "platform/hiddenprocess.h"
#include "platform/timer.h"
#include "workspace/editorslots.h"

#include <QFileInfo>
#include <QTemporaryDir>

namespace {

const QString kUncompressingCaption
    = QStringLiteral("Morvane - Uncompressing File . . . . . . . .");
const QString kOutputName = QStringLiteral("decompressed.txt");

QString outputPath(const form1 &form)
{
    return form.Timer2OutputFolder->filePath(kOutputName);
}

void giveUp(form1 &form, const QString &reason)
{
    form.Timer2->setEnabled(false);
    form.Timer2OutputFolder.reset();
    form.setWindowTitle(form1::RunCaption);
    form.Warning(CouldNotOpenMessage(form.Timer2OpenFile, reason));
}

} // namespace

QString DecompressorPath()
{
#ifdef Q_OS_WIN
    return FileSystem::programFolder() + QStringLiteral("/bini.exe");
#else
    return FileSystem::programFolder() + QStringLiteral("/bini");
#endif
}

QString DecompressorFailure(const HiddenProcess &decompressor, bool wroteText)
{
    const QString said = decompressor.ErrorText();
    if (!said.isEmpty())
        return said;
    return (wroteText ? QStringLiteral("the decompressor failed (exit code %1)")
                      : QStringLiteral("the decompressor wrote no text (exit code %1)"))
        .arg(decompressor.ExitCode());
}

void StartDecompression(form1 &form, const QString &path)
{
    if (form.Timer2->Enabled()) {
        form.MsgBox(QStringLiteral("Please wait until %1 is uncompressed before opening another "
                                   "compressed file.")
                        .arg(QFileInfo(form.Timer2OpenFile).fileName()));
        return;
    }
    // The text goes into a private folder of its own, never beside the user's file, where a
    // file of the same name may be the user's.
    auto output
        = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/morvane-XXXXXX"));
    if (!output->isValid()) {
        form.Warning(CouldNotOpenMessage(
            path, FileSystem::temporaryFolderProblem(QDir::tempPath(), output->errorString())));
        return;
    }
    const QFileInfo file(path);
    form.setWindowTitle(kUncompressingCaption);
    // Always our own decompressor by its full path: never a program that lies beside the file.
    QString error;
    const QStringList arguments
        = { file.fileName(), QStringLiteral("--output"), output->filePath(kOutputName) };
    if (!form.Decompressor->Start(DecompressorPath(), arguments, file.absolutePath(), error)) {
        form.setWindowTitle(form1::RunCaption);
        form.Warning(CouldNotOpenMessage(
            path, QStringLiteral("the decompressor could not be started (%1)").arg(error)));
        return;
    }
    form.Timer2OpenFile = path;
    form.Timer2OutputFolder = std::move(output);
    form.Timer2Ticks = 0;
    form.Timer2->setInterval(DecompressionPickUpInterval);
    form.Timer2->setEnabled(true);
    form.setWindowTitle(form1::RunCaption);
    form.CurrentFile = path;
}

void PickUpDecompressedFile(form1 &form)
{
    if (!form.Timer2->Enabled())
        return; // picked up already
    if (form.Decompressor->IsRunning()) {
        if (++form.Timer2Ticks < DecompressionTimeoutSeconds)
            return; // look again in a second
        form.Decompressor->Stop();
        giveUp(form,
               QStringLiteral("the decompressor did not finish within %1 seconds")
                   .arg(DecompressionTimeoutSeconds));
        return;
    }
    const QString output = outputPath(form);
    const bool wroteText = FileSystem::exists(output);
    if (!form.Decompressor->Succeeded() || !wroteText) {
        giveUp(form, DecompressorFailure(*form.Decompressor, wroteText));
        return;
    }
    form.Timer2->setEnabled(false);
    form.Timer2->setInterval(DecompressionPickUpInterval);
    const QString compressed = form.Timer2OpenFile;
    OpenTextFile(form, output, QFileInfo(compressed).fileName(), compressed);
    form.Timer2OutputFolder.reset(); // the text lives in the editor now
}
