#include "TConfinedFolder.h"

#include <QFileInfo>

void TConfinedFolder::SetFolder(const QString& folder)
{
    m_set = true;
    m_folders.clear();
    m_files.clear();
    const QString canonical = folder.isEmpty() ? QString() : QFileInfo(folder).canonicalFilePath();
    m_root = canonical.isEmpty() ? QString() : (canonical.endsWith(u'/') ? canonical : canonical + u'/');
}

QString TConfinedFolder::canonicalFolder(const QString& folder) const
{
    const auto found = m_folders.constFind(folder);
    if (found != m_folders.cend())
        return *found;
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    m_folders.insert(folder, canonical);
    return canonical;
}

bool TConfinedFolder::Contains(const QString& path) const
{
    if (m_root.isEmpty())
        return false;
    const auto known = m_files.constFind(path);
    if (known != m_files.cend())
        return *known;
    // Only a link itself needs resolving in full; anything else lies where
    // its folder really lies.
    const QFileInfo file(path);
    const bool link = file.isSymLink();
    const bool inside = file.isFile()
        && (link ? file.canonicalFilePath() : canonicalFolder(file.absolutePath()) + u'/' + file.fileName())
               .startsWith(m_root);
    m_files.insert(path, inside);
    return inside;
}
