#include "opencommand.h"

#include "app/form1.h"
#include "convert/colorizer.h"
#include "decompression.h"
#include "platform/filestamp.h"
#include "platform/filesystem.h"
#include "workspace/editorslots.h"

#include <QFileInfo>

namespace {

const QString kOpenFilter = QStringLiteral(
    "Morvane (*.ini;*.txt)|*.ini;*.txt;|INI (*.ini)|*.ini|Text (*.txt)|*.txt|All Files (*.*)|*.*");
const QByteArray kCompressedMagic("BINI");

} // namespace

void OpenCommand(form1 &form)
{
    form.CommonDialog1.Filter = kOpenFilter;
    if (form.CommonDialog1.ShowOpen())
        OpenFile(form, form.CommonDialog1.FileName);
}

void OpenFile(form1 &form, const QString &path)
{
    const QString title = QFileInfo(path).fileName();
    if (path.endsWith(QLatin1String("txt"), Qt::CaseInsensitive)) {
        OpenTextFile(form, path, title);
    } else if (path.endsWith(QLatin1String("ini"), Qt::CaseInsensitive)) {
        QByteArray head;
        QString error;
        if (!FileSystem::readFirstBytes(path, kCompressedMagic.size(), head, error))
            form.Warning(CouldNotOpenMessage(path, error));
        else if (head == kCompressedMagic)
            StartDecompression(form, path);
        else
            OpenTextFile(form, path, title); // shorter than the magic: a plain INI file
    } else {
        form.MsgBox(QStringLiteral("No file loaded."));
    }
}

bool OpenTextFile(form1 &form, const QString &path, const QString &title, const QString &savePath)
{
    form.repaint(); // shows pending caption changes while a long file is read
    const QString target = savePath.isEmpty() ? path : savePath;
    // Taken before the read: a change while it is read shows as a change when it is saved.
    const FileStamp stamp = FileStamp::of(target);
    const ColorizeResult converted = ColorizeFile(path, form.IniLines, form.Hunk);
    if (!converted.ok) {
        form.Warning(CouldNotOpenMessage(path, converted.error));
        return false;
    }
    const bool placed = OpenInFreeTab(form, title, converted.documentPath, target, stamp);
    FileSystem::remove(converted.documentPath);
    return placed;
}
