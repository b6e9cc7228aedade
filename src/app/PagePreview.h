#pragma once

#include <QString>

class TQrx;
class TopicNode;

// The preview of a topic's page: the page as its reader will see it, framed
// by the project's HTML Help template unless the topic takes none.
namespace PagePreview {

// The topics just before and after `topic` in the tree's order, as the
// preview's previous and next commands move; null at a root or the end.
TopicNode* TopicBefore(const TopicNode* topic);
TopicNode* TopicAfter(const TopicNode* topic);

// `source`, the text of the topic's page `pageFile` (native; the root folder
// for a page not saved yet), ready to show. With `withTemplate`, a topic of
// the table of contents or of the pages out of it that takes the template is
// merged with it: title, previous and next links, breadcrumb.
QString PreviewHtml(const TQrx& project, const TopicNode& topic, const QString& source, const QString& pageFile,
                    bool withTemplate);

} // namespace PagePreview
