#pragma once

#include <QString>
#include <QStringList>

class QSettings;

// The recent-project list, stored per user: "RecentFilesCount" and
// "RecentFile1", "RecentFile2", ... (most recent first, at most ten).
class TRecentProjects {
public:
    static constexpr int MaxCount = 10;

    explicit TRecentProjects(QSettings& settings);

    // The projects to offer, most recent first: the stored files that exist,
    // or the sample project when nothing is stored.
    QStringList Entries() const;
    // Every stored entry, also those whose files are gone.
    QStringList Stored() const;
    // Puts `projectFile` first; an entry naming the same file in other
    // letter case goes. Entries of missing files stay stored.
    void Add(const QString& projectFile);

    // The sample project: in the documents folder when the author has a
    // copy there, else the one beside the program.
    static QString SampleProject();

private:
    QSettings& m_settings;
};
