#include "TSortedFileList.h"

#include <algorithm>

bool TSortedFileList::Add(const QString& path)
{
    const QString key = path.toCaseFolded();
    if (m_paths.contains(key) || !Allows(path))
        return false;
    m_paths.insert(key, path);
    m_sortedValid = false;
    return true;
}

bool TSortedFileList::Remove(const QString& path)
{
    if (m_paths.remove(path.toCaseFolded()) == 0)
        return false;
    m_sortedValid = false;
    return true;
}

void TSortedFileList::Clear()
{
    m_paths.clear();
    m_sorted.clear();
    m_sortedValid = true;
}

const QStringList& TSortedFileList::Paths() const
{
    if (!m_sortedValid) {
        m_sorted = QStringList(m_paths.cbegin(), m_paths.cend());
        std::sort(m_sorted.begin(), m_sorted.end(),
                  [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
        m_sortedValid = true;
    }
    return m_sorted;
}
