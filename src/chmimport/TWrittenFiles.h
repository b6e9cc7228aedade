#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

// The files an import wrote, by lower-cased relative path, so that every
// later lookup finds a page whatever letter case a link gives it. Names
// that differ only in case are placed deterministically: a folder keeps
// the spelling met first, a second file gets a number before its extension
// (a folder after a file of its name, after its name).
class TWrittenFiles {
public:
    // The relative path ("/" separators) to write the safe parts at, and
    // records it. Call in a fixed order for a fixed result.
    QString Place(const QStringList& parts);
    // The relative path written for `path` ("/" or "\" separators, any
    // case, a leading "/" allowed); empty when none.
    QString Find(const QString& path) const;
    // Entries already in the target folder ("/" separators): a folder is
    // written into, a file or link is never written over or through.
    void ReserveFolder(const QString& relativePath);
    void ReserveFile(const QString& relativePath);
    int Count() const { return int(m_order.size()); }
    // Every written relative path, in the order placed.
    const QStringList& Files() const { return m_order; }

private:
    QHash<QString, QString> m_folders; // lower-cased folder -> spelling used
    QHash<QString, QString> m_files;   // lower-cased file -> path used
    QSet<QString> m_taken;             // lower-cased files already there
    QStringList m_order;
};
