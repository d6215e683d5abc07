// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "filedrops.h"

#include "files/filesystem.h"

#include <QDropEvent>
#include <QMimeData>
#include <QWidget>

FileDrops::FileDrops(QWidget *window, const QList<QWidget *> &textAreas) : QObject(window)
{
    window->setAcceptDrops(true);
    window->installEventFilter(this);
    for (QWidget *area : textAreas)
        area->installEventFilter(this);
}

QStringList FileDrops::droppedFiles(const QMimeData *data)
{
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl &url : data->urls()) {
        if (!url.isLocalFile())
            return {};
        // By the bytes of its path: a name that is not UTF-8 comes percent-encoded.
        paths << FileSystem::pathFromNative(
            QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
    }
    return paths;
}

bool FileDrops::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
        auto *drag = static_cast<QDragMoveEvent *>(event);
        if (droppedFiles(drag->mimeData()).isEmpty())
            return QObject::eventFilter(watched, event);
        drag->acceptProposedAction();
        return true;
    }
    if (event->type() == QEvent::Drop) {
        auto *drop = static_cast<QDropEvent *>(event);
        const QStringList paths = droppedFiles(drop->mimeData());
        if (paths.isEmpty())
            return QObject::eventFilter(watched, event);
        drop->acceptProposedAction();
        QMetaObject::invokeMethod(
            this, [this, paths] { emit dropped(paths); }, Qt::QueuedConnection);
        return true;
    }
    return QObject::eventFilter(watched, event);
}
