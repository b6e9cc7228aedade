#include "TSortedFileList.h"

#include <algorithm>

QStringList::const_iterator TSortedFileList::lowerBound(const QString& path) const
{
    return std::lower_bound(m_paths.cbegin(), m_paths.cend(), path, [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
}

bool TSortedFileList::Add(const QString& path)
{
    const auto at = lowerBound(path);
    if (at != m_paths.cend() && at->compare(path, Qt::CaseInsensitive) == 0)
        return false;
    m_paths.insert(at - m_paths.cbegin(), path);
    return true;
}

bool TSortedFileList::Contains(const QString& path) const
{
    const auto at = lowerBound(path);
    return at != m_paths.cend() && at->compare(path, Qt::CaseInsensitive) == 0;
}
