#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// The file extensions the reference scanners look for: lower-cased, with
// their dot (".gif"), sorted, each once. A build fills it from the
// extensions that occur in the project folder, so only names that can be
// files of the project are taken for references.
class TExtensionList {
public:
    // Adds the extension lower-cased; a duplicate is ignored.
    void Add(const QString& extension);
    void Clear() { m_items.clear(); }
    // Compared without case.
    bool Contains(QStringView extension) const;

    // Adds the extension of every file in `folder` and all its sub-folders
    // (hidden ones too; linked folders are not followed). A file without
    // extension adds an empty entry, which matches nothing.
    void ScanProjectExtensions(const QString& folder);

    int Count() const { return int(m_items.size()); }
    const QStringList& Items() const { return m_items; }

private:
    QStringList::const_iterator lowerBound(QStringView extension) const;

    QStringList m_items;
};
