#pragma once

#include "Paths.h"
#include "TContents.h"

#include <QCollatorSortKey>
#include <QStringList>
#include <vector>

// The levels of an index keyword: "/" separates them, "//" is a literal "/".
// Always at least one level (the empty keyword has one empty level).
QStringList KeywordLevels(const QString& keyword);

// The last level of a keyword cut into the text an index shows and the
// anchor of the topic it opens ("setup#install"). A level with nothing
// before its "#" or nothing after it ("#define", "C#") is text alone.
TUrlAnchor KeywordAnchor(const QString& level);

// One keyword of one topic in an index.
struct TIndexEntry {
    QString Keyword;
    const TContentsItem* Item;
    QCollatorSortKey SortKey;
};

// Index keywords of the linked pages of the table of contents whose file
// Fill found, sorted by the user's locale with or without case; equal keys
// keep tree order.
std::vector<TIndexEntry> SortedIndexKeywords(const TContents::TItemList& items, Qt::CaseSensitivity caseSensitivity);
