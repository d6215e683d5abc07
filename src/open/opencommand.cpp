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

Failure notEnoughMemory(qint64 size)
{
    return { QCoreApplication::translate("OpenCommand",
                                         "it is %1, and there is not enough memory to open it")
                 .arg(QLocale::system().formattedDataSize(size)) };
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
    const Result<> opened = file.open(path);
    const Result<QByteArray> head = !opened ? opened.failure()
        : text                              ? QByteArray() // routed by its name alone
                                            : file.readHead(BiniFormat::signatureSize);
    if (!head) {
        form.showWarning(CouldNotOpenMessage(path, head.reason()));
        return;
    }
    const QString title = FileSystem::displayPath(QFileInfo(path).fileName());
    if (!text && BiniFormat::hasReadableSignature(*head))
        StartDecompression(form, path);
    else
        OpenTextFile(form, file, path, title); // a plain INI file, whatever its first letters
}

bool OpenTextFile(form1 &form, const QString &path, const QString &title, const QString &savePath,
                  bool progressShownAlready, Placement placement)
{
    ReadableFile file;
    if (const Result<> opened = file.open(path); !opened) {
        form.showWarning(
            CouldNotOpenMessage(savePath.isEmpty() ? path : savePath, opened.reason()));
        return false;
    }
    return OpenTextFile(form, file, path, title, savePath, progressShownAlready, placement);
}

bool OpenTextFile(form1 &form, ReadableFile &file, const QString &path, const QString &title,
                  const QString &savePath, bool progressShownAlready, Placement placement)
{
    const QString target = savePath.isEmpty() ? path : savePath;
    if (const Result<> fits = FitsInMemory(file.size()); !fits) {
        form.showWarning(CouldNotOpenMessage(target, fits.reason()));
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
    Result<QString> document = Failure {};
    try {
        document = ColorizeFile(file, form.IniLines, form.Hunk, work, kConvertShare);
    } catch (const std::bad_alloc &) { // past the estimate: every other tab stays
        form.IniLines.clear();
        form.Hunk.clear();
        document = notEnoughMemory(file.size());
    } catch (const WorkCancelled &) {
        form.IniLines.clear();
        form.Hunk.clear();
        return false;
    }
    if (!document) {
        form.showWarning(CouldNotOpenMessage(target, document.reason()));
        return false;
    }
    bool placed = false;
    try {
        placed = OpenInFreeTab(form, title, *document, target, stamp, work, 1 - kConvertShare,
                               placement);
    } catch (const WorkCancelled &) { // the slot is as it was
    }
    PrivateFolder::discard(*document);
    return placed;
}

Result<> FitsInMemory(qint64 size)
{
    const QLocale locale = QLocale::system();
    if (size > LargestFileSize)
        return Failure { QCoreApplication::translate(
                             "OpenCommand", "the file is %1, more than the %2 Morvane can hold")
                             .arg(locale.formattedDataSize(size),
                                  locale.formattedDataSize(LargestFileSize)) };
    // The temporary document (about 1.6 times the file) takes memory too where the private folder
    // is a file system in memory.
    const qint64 document = PrivateFolder::holdsInMemory() ? size * 8 / 5 : 0;
    const qint64 needed = MemoryBudget::neededToOpen(size) + document,
                 available = MemoryBudget::available();
    if (needed <= available)
        return {};
    return Failure { QCoreApplication::translate(
                         "OpenCommand",
                         "the file is %1 and needs about %2 of memory to open, but only %3 "
                         "is available")
                         .arg(locale.formattedDataSize(size), locale.formattedDataSize(needed),
                              locale.formattedDataSize(available)) };
}
