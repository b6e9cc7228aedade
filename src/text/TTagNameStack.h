#pragma once

#include <QHash>
#include <QList>
#include <QString>

// A stack of open tag names whose nearest entry of a given name is found in
// constant time, so that pages with many unclosed tags and stray closing
// tags are still scanned in linear time.
class TTagNameStack {
public:
    // Pushes a name (compared without case) with the caller's value.
    void Push(const QString& name, qsizetype value);
    // Index of the nearest (topmost) entry named `name`, or -1.
    qsizetype FindNearest(const QString& name) const;
    // Removes the entry at `index` and everything above it.
    void PopTo(qsizetype index);

    qsizetype Count() const { return Entries.size(); }
    const QString& NameAt(qsizetype index) const { return Entries.at(index).Name; }
    qsizetype ValueAt(qsizetype index) const { return Entries.at(index).Value; }

private:
    struct Entry {
        QString Name;   // lower case
        qsizetype Value;
    };
    QList<Entry> Entries;
    QHash<QString, QList<qsizetype>> IndexesByName;  // ascending indexes into Entries
};
