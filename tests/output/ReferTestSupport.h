#pragma once

#include "OutputTestSupport.h"

#include <QDirIterator>
#include <QStringList>

// The sample project of the reference and template tests
// (tests/data/output/refer): pages in sub-folders, pictures, style sheets,
// a script and a page template with its buttons.
namespace OutputTest {

inline QString ReferDataFolder()
{
    return QStringLiteral(QUORIX_TEST_DATA_DIR "/output/refer/");
}

// Copies every file below `from` into `to` (both ending with "/").
inline void CopyFolder(const QString& from, const QString& to)
{
    QDirIterator files(from, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString file = files.next();
        WriteBytes(to + file.mid(from.size()), ReadBytes(file));
    }
}

// The paths below `root` ("/" separators), in the order given.
inline QStringList RelativeTo(const QString& root, const QStringList& paths)
{
    QStringList relative;
    for (const QString& path : paths)
        relative << (path.startsWith(root) ? path.mid(root.size()) : path);
    return relative;
}

inline QStringList SortedNoCase(QStringList list)
{
    std::sort(list.begin(), list.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return list;
}

} // namespace OutputTest
