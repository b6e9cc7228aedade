#include "FileFilters.h"

#include <QStringList>

QString QtFileFilter(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        const QString patterns = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
        if (description.endsWith(QLatin1Char(')')) && description.contains(QLatin1Char('(')))
            description.truncate(description.lastIndexOf(QLatin1Char('(')));
        else if (!description.endsWith(QLatin1Char(' ')))
            description += QLatin1Char(' ');
        result.append(description + QLatin1Char('(') + patterns + QLatin1Char(')'));
    }
    return result.join(QStringLiteral(";;"));
}
