#include "TWrittenFiles.h"

#include <QRegularExpression>

QString TWrittenFiles::Place(const QStringList& parts)
{
    if (parts.isEmpty())
        return QString();
    QString folder;
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
        const QString wanted = folder + parts[i];
        const QString key = wanted.toLower();
        auto it = m_folders.constFind(key);
        if (it == m_folders.constEnd()) {
            QString spelling = wanted;
            for (int number = 2; m_files.contains(spelling.toLower()) || m_taken.contains(spelling.toLower()); ++number)
                spelling = wanted + QLatin1Char('~') + QString::number(number);
            it = m_folders.insert(key, spelling);
        }
        folder = it.value() + QLatin1Char('/');
    }
    const QString& last = parts.back();
    QString path = folder + last;
    const qsizetype dot = last.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot > 0 ? last.left(dot) : last;
    const QString extension = dot > 0 ? last.mid(dot) : QString();
    // A file may not take the name of a folder or another file.
    for (int number = 2; m_files.contains(path.toLower()) || m_folders.contains(path.toLower()) || m_taken.contains(path.toLower());
         ++number)
        path = folder + stem + QLatin1Char('~') + QString::number(number) + extension;
    m_files.insert(path.toLower(), path);
    // Links name the file as the help file did.
    const QString asNamed = parts.join(QLatin1Char('/')).toLower();
    if (!m_files.contains(asNamed))
        m_files.insert(asNamed, path);
    m_order << path;
    return path;
}

QString TWrittenFiles::Find(const QString& path) const
{
    static const QRegularExpression separators(QStringLiteral("[/\\\\]"));
    QStringList parts;
    for (const QString& part : path.split(separators, Qt::SkipEmptyParts)) {
        if (part != QLatin1String("."))
            parts << part;
    }
    return m_files.value(parts.join(QLatin1Char('/')).toLower());
}

void TWrittenFiles::ReserveFolder(const QString& relativePath)
{
    m_folders.insert(relativePath.toLower(), relativePath);
}

void TWrittenFiles::ReserveFile(const QString& relativePath)
{
    m_taken.insert(relativePath.toLower());
}
