#pragma once

#include <QString>

// One entry of the flattened table of contents: what the generators of
// every output need to know about a topic and its page.
struct TContentsItem {
    int Index = 0;       // position in the list that holds it
    QString Title;       // the node's caption
    QString Url;         // as stored ("\" separators); "$$unsavedpageN.htm" for an unsaved topic
    QString Style;       // style elements of the page head
    QString Content;     // body content of the page
    QString All;         // the whole page text after clean-up
    int Level = 0;       // children of the branch root have level 1
    int Icon = 0;        // image index + 1
    int Status = 0;      // TopicStatus
    QString Keywords;    // one per line
    QString ContextNumber;
    QString LastPage;    // relative links to the previous and next accessible page
    QString NextPage;
    QString Navigation;  // breadcrumb HTML of the ancestors
    QString ChapterNumber; // "1.", "2." at level 1; "1.2", "1.2.3" below
    bool LastInTheSameLevel = false;
    bool HasChildNode = false;
    bool Accessible = false; // has page text that outputs may write
    bool ApplyTemp = false;  // true: no page template
};
