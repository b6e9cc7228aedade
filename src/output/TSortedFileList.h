#pragma once

#include <QString>
#include <QStringList>

// A sorted list of file paths in which names that differ only in case count
// as one: the files an output copies, each once.
class TSortedFileList {
public:
    // Adds `path` unless a path equal without case is there; false then.
    bool Add(const QString& path);
    bool Contains(const QString& path) const;
    void Clear() { m_paths.clear(); }

    int Count() const { return int(m_paths.size()); }
    const QString& operator[](int index) const { return m_paths[index]; }
    const QStringList& Paths() const { return m_paths; }

private:
    QStringList::const_iterator lowerBound(const QString& path) const;

    QStringList m_paths;
};
