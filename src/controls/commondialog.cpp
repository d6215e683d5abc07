// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "commondialog.h"

#include "dialogs.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

bool CommonDialog::ShowOpen()
{
    return accept(m_dialogs->getOpenFileName(m_parent, toQtFilter(Filter)));
}

bool CommonDialog::ShowSave()
{
    QString selectedFilter;
    const QString path = m_dialogs->getSaveFileName(m_parent, toQtFilter(Filter), selectedFilter);
    return accept(path.isEmpty() ? path : withTypeExtension(path, selectedFilter));
}

QString CommonDialog::withTypeExtension(const QString &path, const QString &qtFilterEntry)
{
    if (QFileInfo(path).fileName().contains(QLatin1Char('.')))
        return path;
    return path + typeExtension(qtFilterEntry);
}

QString CommonDialog::typeExtension(const QString &qtFilterEntry)
{
    // "INI (*.ini)": the type's first pattern names its extension; "All Files (*)" has none.
    static const QRegularExpression firstPattern(QStringLiteral("\\(\\*(\\.[^ )*]+)"));
    return firstPattern.match(qtFilterEntry).captured(1);
}

bool CommonDialog::accept(const QString &path)
{
    if (path.isEmpty())
        return false;
    FileName = path;
    FileTitle = QFileInfo(path).fileName();
    return true;
}

QString CommonDialog::toQtFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        const qsizetype bracket = description.lastIndexOf(QLatin1Char('('));
        if (bracket > 0)
            description = description.left(bracket).trimmed();
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        // "*.*" means every file; taken literally it would hide names without a dot.
        patterns.replaceInStrings(QRegularExpression(QStringLiteral("^\\*\\.\\*$")),
                                  QStringLiteral("*"));
        entries.append(description + QStringLiteral(" (") + patterns.join(QLatin1Char(' '))
                       + QLatin1Char(')'));
    }
    return entries.join(QStringLiteral(";;"));
}
