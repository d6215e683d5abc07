#include "commondialog.h"

#include "dialogs.h"

#include <QFileInfo>
#include <QStringList>

bool CommonDialog::ShowOpen()
{
    return accept(m_dialogs->getOpenFileName(m_parent, toQtFilter(Filter)));
}

bool CommonDialog::ShowSave()
{
    return accept(m_dialogs->getSaveFileName(m_parent, toQtFilter(Filter)));
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
        const QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        entries.append(description + QStringLiteral(" (") + patterns.join(QLatin1Char(' '))
                       + QLatin1Char(')'));
    }
    return entries.join(QStringLiteral(";;"));
}
