#pragma once

#include <QString>

// What a topic links to.
enum TopicStatus {
    StatusLinked = 0,   // Url names an existing page
    StatusUnsaved = 1,  // a new blank page without a file yet
    StatusNoLink = 2,   // a heading without a page
    StatusOutside = 3,  // Url is an outside address (imported help only)
};

// Which root a node lies under. The roots themselves carry the negative kinds.
enum TopicKind {
    KindTableOfContents = 0,
    KindPagesOutOfToc = 1,
    KindTemplates = 2,
    KindRootTableOfContents = -1,
    KindRootPagesOutOfToc = -2,
    KindRootTemplates = -3,
};

// The entry of one tree node.
struct TLeftTreeData {
    int Level = 0;          // level read from the project file; the node's depth counts afterwards
    QString Url;            // relative to the root folder with "\" separators (optional "#anchor"), or absolute
    int Icon = 0;           // 0 automatic, 1-42 the image Icon - 1
    int Status = StatusLinked;
    QString Keywords;       // one per line, CR LF separated
    QString ContextNumber;  // decimal text or empty
    bool ApplyTemp = false; // true: no page template for this page
    bool Expanded = false;  // as stored in the project file
    int Kind = KindTableOfContents;

    bool operator==(const TLeftTreeData&) const = default;
};
