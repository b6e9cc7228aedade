#include "TExtensionList.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

QStringList::const_iterator TExtensionList::lowerBound(QStringView extension) const
{
    return std::lower_bound(m_items.cbegin(), m_items.cend(), extension, [](const QString& item, QStringView value) {
        return QStringView(item).compare(value, Qt::CaseInsensitive) < 0;
    });
}

void TExtensionList::Add(const QString& extension)
{
    const QString lower = extension.toLower();
    const auto at = lowerBound(lower);
    if (at != m_items.cend() && at->compare(lower, Qt::CaseInsensitive) == 0)
        return;
    m_items.insert(at - m_items.cbegin(), lower);
}

bool TExtensionList::Contains(QStringView extension) const
{
    const auto at = lowerBound(extension);
    return at != m_items.cend() && QStringView(*at).compare(extension, Qt::CaseInsensitive) == 0;
}

void TExtensionList::ScanProjectExtensions(const QString& folder)
{
    if (folder.isEmpty())
        return;
    // Thousands of files share a handful of extensions: collect them in a
    // set first rather than searching the list for each file.
    QSet<QString> found;
    QDirIterator files(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        files.next();
        const QString name = files.fileName();
        const qsizetype dot = name.lastIndexOf(u'.');
        found.insert(dot < 0 ? QString() : name.mid(dot).toLower());
    }
    for (const QString& extension : std::as_const(found))
        Add(extension);
}
