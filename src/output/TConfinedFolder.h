#pragma once

#include <QHash>
#include <QString>

// The folder an output's files must come from. Paths are judged by where
// they really lie, links resolved, so neither a reference such as
// "../../etc/passwd", nor a page link to an absolute path, nor a link
// placed inside the project that points elsewhere brings an outside file
// into an output.
class TConfinedFolder {
public:
    // An empty or missing folder contains nothing.
    void SetFolder(const QString& folder);
    bool IsSet() const { return m_set; }
    // Whether `path` names an existing file below the folder.
    bool Contains(const QString& path) const;

private:
    QString canonicalFolder(const QString& folder) const;

    bool m_set = false;
    QString m_root; // canonical, with a trailing "/"
    // Canonical form of each folder met: pages share a few folders, and
    // resolving a path costs a system call per component. Answers for
    // files are kept too: an output's files do not change while it runs.
    mutable QHash<QString, QString> m_folders;
    mutable QHash<QString, bool> m_files;
};
