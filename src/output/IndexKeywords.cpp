#include "IndexKeywords.h"

#include "TLeftTreeData.h"
#include "TextSearch.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>

QStringList KeywordLevels(const QString& keyword)
{
    if (!keyword.contains(u'/'))
        return QStringList{keyword};
    QStringList levels;
    QString level;
    for (qsizetype i = 0; i < keyword.size(); ++i) {
        if (keyword[i] != u'/') {
            level += keyword[i];
        } else if (i + 1 < keyword.size() && keyword[i + 1] == u'/') {
            level += u'/';
            ++i;
        } else {
            levels << level;
            level.clear();
        }
    }
    levels << level;
    return levels;
}

TUrlAnchor KeywordAnchor(const QString& level)
{
    TUrlAnchor parts = SplitUrlAnchor(level);
    if (parts.Page.isEmpty() || parts.Anchor.isEmpty())
        return {level, QString()};
    return parts;
}

std::vector<TIndexEntry> SortedIndexKeywords(const TContents::TItemList& items, Qt::CaseSensitivity caseSensitivity)
{
    // The C locale of a build server collates byte by byte, capitals first;
    // readers expect a dictionary order.
    const QLocale locale =
        QLocale().language() == QLocale::C ? QLocale(QLocale::English, QLocale::UnitedStates) : QLocale();
    QCollator collator{locale};
    collator.setCaseSensitivity(caseSensitivity);
    std::vector<TIndexEntry> entries;
    for (const auto& item : items) {
        if (item->Status != StatusLinked || !item->Accessible || TrimBlanks(item->Keywords).isEmpty())
            continue;
        const QStringList lines = QString(item->Keywords).replace(u'\r', u'\n').split(u'\n', Qt::SkipEmptyParts);
        for (const QString& line : lines) {
            QString key = TrimBlanks(line);
            if (key.isEmpty())
                continue;
            // A backslash sorts as a space would, and a space as "``|".
            key.replace(u' ', QLatin1String("``|")).replace(u'\\', u' ');
            QCollatorSortKey sortKey = collator.sortKey(key);
            entries.push_back({key, item.get(), std::move(sortKey)});
        }
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const TIndexEntry& a, const TIndexEntry& b) { return a.SortKey.compare(b.SortKey) < 0; });
    for (TIndexEntry& entry : entries)
        entry.Keyword.replace(u' ', u'\\').replace(QLatin1String("``|"), QLatin1String(" "));
    return entries;
}
