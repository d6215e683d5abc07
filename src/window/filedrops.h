// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QStringList>

class QMimeData;
class QWidget;

// Files dropped anywhere on a window open in order, also over the controls that take text
// themselves (the editors, the search box): the drop is taken before they would insert the
// names. Local files only, each named by the bytes of its path.
class FileDrops final : public QObject
{
    Q_OBJECT

public:
    FileDrops(QWidget *window, const QList<QWidget *> &textAreas);

    static QStringList droppedFiles(const QMimeData *data);

signals:
    // Once the drop is over: an open may show a message box, which must not hold up the program
    // the files were dragged from.
    void dropped(const QStringList &paths);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
