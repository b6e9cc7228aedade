#pragma once

#include "ChmPageWords.h"

#include <QByteArray>
#include <QHash>
#include <QList>

class THhpProject;

// Whether the project asks for full-text search ("Full-text search=Yes").
bool ChmFullTextSearchWanted(const THhpProject& project);

// The full-text search index ("/$FIftiMain"): a B-tree of the words, each
// leaf entry pointing at the list of topics the word is on with its
// positions there. Pages are added in the order of the topic table: the n-th
// page added is topic n, whose title and page a search result shows.
class TChmFullTextIndex {
public:
    TChmFullTextIndex(int codePage, quint32 languageId);

    void AddPage(const TChmPageWords& page);
    QByteArray Bytes() const;

    qsizetype WordCount() const { return m_words.size(); }

private:
    struct TTopicHits {
        quint32 Topic;
        quint32 TitleCount; // the first ones of Positions are in the title
        QList<quint32> Positions;
    };

    int m_codePage;
    quint32 m_languageId;
    quint32 m_topics = 0;
    quint64 m_occurrences = 0;
    QHash<QByteArray, QList<TTopicHits>> m_words;
};

// Every page read in the thread pool, with the result of reading them one
// after the other: the titles in the help's code page and, when `fullText`,
// the search index over them.
struct TChmReadPages {
    QList<QByteArray> Titles;
    QByteArray Index; // empty unless asked for
    qsizetype WordCount = 0;
    int Unstorable = 0; // word occurrences the code page cannot hold
    QString FirstUnstorable;
    qsizetype FirstUnstorablePage = -1;
};
TChmReadPages ChmReadPages(const QList<QByteArray>& pages, int codePage, quint32 languageId, bool fullText);
