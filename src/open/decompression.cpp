#include "decompression.h"

#include "app/form1.h"
#include "opencommand.h"
#include "platform/filesystem.h"
#include "platform/hiddenprocess.h"
#include "platform/timer.h"
#include "workspace/editorslots.h"

#include <QFileInfo>

namespace {

const QString kUncompressingCaption
    = QStringLiteral("Morvane - Uncompressing File . . . . . . . .");

void giveUp(form1 &form, const QString &reason)
{
    form.Timer2->setEnabled(false);
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

void StartDecompression(form1 &form, const QString &path)
{
    if (form.Timer2->Enabled()) {
        form.MsgBox(QStringLiteral("Please wait until %1 is uncompressed before opening another "
                                   "compressed file.")
                        .arg(QFileInfo(form.Timer2OpenFile).fileName()));
        return;
    }
    const QFileInfo file(path);
    form.setWindowTitle(kUncompressingCaption);
    // Always our own decompressor by its full path: never a program that lies beside the file.
    QString error;
    if (!form.Decompressor->Start(DecompressorPath(), { file.fileName() }, file.absolutePath(),
                                  error)) {
        form.setWindowTitle(form1::RunCaption);
        form.Warning(CouldNotOpenMessage(
            path, QStringLiteral("the decompressor could not be started (%1)").arg(error)));
        return;
    }
    form.Timer2OpenFile = path;
    form.Timer2Ticks = 0;
    form.Timer2->setInterval(1000);
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
    const QString output = form.Timer2OpenFile + QStringLiteral(".txt");
    if (!form.Decompressor->Succeeded() || !FileSystem::exists(output)) {
        const QString reason = form.Decompressor->ErrorText();
        giveUp(form, reason.isEmpty() ? QStringLiteral("the decompressor wrote no text") : reason);
        return;
    }
    form.Timer2->setEnabled(false);
    form.Timer2->setInterval(1000);
    const QString compressed = form.Timer2OpenFile;
    OpenTextFile(form, output, QFileInfo(compressed).fileName(), compressed);
}
