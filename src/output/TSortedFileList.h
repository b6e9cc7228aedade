#pragma once

#include "TConfinedFolder.h"

#include <QHash>
#include <QString>
#include <QStringList>

// A sorted list of file paths in which names that differ only in case count
// as one: the files an output copies, each once. Once confined to a folder
// (the project's), it takes only existing files that really lie below it.
class TSortedFileList {
public:
    // Adds `path` unless a path equal without case is there, or the list is
    // confined and the file lies elsewhere; false then.
    bool Add(const QString& path);
    // Removes the path equal to `path` without case; false if none.
    bool Remove(const QString& path);
    bool Contains(const QString& path) const { return m_paths.contains(path.toCaseFolded()); }
    // Empties the list; a confinement stays.
    void Clear();

    void ConfineTo(const QString& folder) { m_folder.SetFolder(folder); }
    bool IsConfined() const { return m_folder.IsSet(); }
    // Whether Add may take the file (always, while not confined).
    bool Allows(const QString& path) const { return !m_folder.IsSet() || m_folder.Contains(path); }

    int Count() const { return int(m_paths.size()); }
    const QString& operator[](int index) const { return Paths()[index]; }
    // Sorted without case.
    const QStringList& Paths() const;

private:
    // Tens of thousands of pages are added one by one: they are kept by
    // their case-folded name and sorted only when the list is read.
    QHash<QString, QString> m_paths;
    mutable QStringList m_sorted;
    mutable bool m_sortedValid = true;
    TConfinedFolder m_folder;
};
