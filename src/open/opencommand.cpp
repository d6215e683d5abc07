// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "opencommand.h"

#include "app/form1.h"
#include "bini/biniformat.h"
#include "convert/colorizer.h"
#include "decompression.h"
#include "files/filestamp.h"
#include "files/filesystem.h"
#include "files/privatefolder.h"
#include "files/readablefile.h"
#include "system/memorybudget.h"
#include "workspace/editorslots.h"
#include "workspace/interruptedsave.h"
#include "workspace/longwork.h"
#include "workspace/slotcommands.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>
#include <new>

namespace {

// The part of an open that goes to reading and converting the file, as measured on a 143 MB
// file; taking the document into the editor is the rest.
constexpr double kConvertShare = 0.45;

QString notEnoughMemory(qint64 size)
{
    return QCoreApplication::translate("OpenCommand",
                                       "it is %1, and there is not enough memory to open it")
        .arg(QLocale::system().formattedDataSize(size));
}

} // namespace

void OpenCommand(form1 &form)
{
    form.CommonDialog1.Filter = FileDialogFilter();
    if (form.CommonDialog1.ShowOpen())
        OpenFile(form, form.CommonDialog1.FileName);
}

void OpenGivenFile(form1 &form, const QString &path)
{
    // The Open dialog's filter said which files open; a name from elsewhere is told why not.
    if (!path.endsWith(QLatin1String("txt"), Qt::CaseInsensitive)
        && !path.endsWith(QLatin1String("ini"), Qt::CaseInsensitive)) {
        form.showWarning(CouldNotOpenMessage(
            path,
            QCoreApplication::translate(
                "OpenCommand", "Morvane opens .ini and .txt files (and compressed .ini files)")));
        return;
    }
    OpenFile(form, path);
}

// The file is opened once: routed by its first bytes and read through the one descriptor.
void OpenFile(form1 &form, const QString &path)
{
    OfferContentsBeforeAnInterruptedSave(form, path);
    const bool text = path.endsWith(QLatin1String("txt"), Qt::CaseInsensitive);
    if (!text && !path.endsWith(QLatin1String("ini"), Qt::CaseInsensitive)) {
        form.showMessage(QCoreApplication::translate("OpenCommand", "No file loaded."));
        return;
    }
    ReadableFile file;
    QByteArray head;
    QString error;
    if (!file.open(path, error)
        || (!text && !file.readHead(BiniFormat::signatureSize, head, error))) {
        form.showWarning(CouldNotOpenMessage(path, error));
        return;
    }
    const QString title = FileSystem::displayPath(QFileInfo(path).fileName());
    if (!text && BiniFormat::hasReadableSignature(head))
        StartDecompression(form, path);
    else
        OpenTextFile(form, file, path, title); // a plain INI file, whatever its first letters
}

bool OpenTextFile(form1 &form, const QString &path, const QString &title, const QString &savePath,
                  bool progressShownAlready, Placement placement)
{
    ReadableFile file;
    QString error;
    if (!file.open(path, error)) {
        form.showWarning(CouldNotOpenMessage(savePath.isEmpty() ? path : savePath, error));
        return false;
    }
    return OpenTextFile(form, file, path, title, savePath, progressShownAlready, placement);
}

bool OpenTextFile(form1 &form, ReadableFile &file, const QString &path, const QString &title,
                  const QString &savePath, bool progressShownAlready, Placement placement)
{
    const QString target = savePath.isEmpty() ? path : savePath;
    QString error;
    if (!FitsInMemory(file.size(), error)) {
        form.showWarning(CouldNotOpenMessage(target, error));
        return false;
    }
    form.repaint(); // shows pending caption changes while a long file is read
    // Taken before the read: a change while it is read shows as a change when it is saved.
    const FileStamp stamp = savePath.isEmpty() ? file.stamp() : FileStamp::of(target);
    LongWork work(form, QCoreApplication::translate("OpenCommand", "Opening %1").arg(title),
                  progressShownAlready);
    // A text that arrives while the user works elsewhere must not take the keyboard: it opens
    // without a progress window, and what is typed meanwhile waits for it, to be taken then.
    if (placement == Placement::Beside)
        work.stopShowing();
    ColorizeResult converted;
    try {
        converted = ColorizeFile(file, form.IniLines, form.Hunk, work, kConvertShare);
    } catch (const std::bad_alloc &) { // past the estimate: every other tab stays
        form.IniLines.clear();
        form.Hunk.clear();
        converted.error = notEnoughMemory(file.size());
    } catch (const WorkCancelled &) {
        form.IniLines.clear();
        form.Hunk.clear();
        return false;
    }
    if (!converted.ok) {
        form.showWarning(CouldNotOpenMessage(target, converted.error));
        return false;
    }
    bool placed = false;
    try {
        placed = OpenInFreeTab(form, title, converted.documentPath, target, stamp, work,
                               1 - kConvertShare, placement);
    } catch (const WorkCancelled &) { // the slot is as it was
    }
    PrivateFolder::discard(converted.documentPath);
    return placed;
}

bool FitsInMemory(qint64 size, QString &error)
{
    const QLocale locale = QLocale::system();
    if (size > LargestFileSize) {
        error = QCoreApplication::translate("OpenCommand",
                                            "the file is %1, more than the %2 Morvane can hold")
                    .arg(locale.formattedDataSize(size), locale.formattedDataSize(LargestFileSize));
        return false;
    }
    // The temporary document (about 1.6 times the file) takes memory too where the private folder
    // is a file system in memory.
    const qint64 document = PrivateFolder::holdsInMemory() ? size * 8 / 5 : 0;
    const qint64 needed = MemoryBudget::neededToOpen(size) + document,
                 available = MemoryBudget::available();
    if (needed <= available)
        return true;
    error = QCoreApplication::translate(
                "OpenCommand",
                "the file is %1 and needs about %2 of memory to open, but only %3 "
                "is available")
                .arg(locale.formattedDataSize(size), locale.formattedDataSize(needed),
                     locale.formattedDataSize(available));
    return false;
}
