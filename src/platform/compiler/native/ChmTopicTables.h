#pragma once

#include <QByteArray>
#include <QList>

class TChmStringTable;

// A page of the help as the topic tables list it.
struct TChmTopic {
    QByteArray Name;  // inside the help file, without the leading "/"
    QByteArray Title; // empty when the page has none
    bool InContents = false;
};

// The topic ("/#TOPICS"), URL ("/#URLTBL") and URL string ("/#URLSTR")
// tables over `topics`, in their order; titles go into `strings`.
struct TChmTopicTables {
    QByteArray Topics;
    QByteArray UrlTable;
    QByteArray UrlStrings;
};
TChmTopicTables ChmTopicTables(const QList<TChmTopic>& topics, TChmStringTable& strings);

// The text of a page's <title>, blanks collapsed; empty when it has none.
QByteArray ChmPageTitle(const QByteArray& page);
// Every "Local" page a contents file (".hhc") names, as written there.
QList<QByteArray> ChmContentsPages(const QByteArray& contents);
