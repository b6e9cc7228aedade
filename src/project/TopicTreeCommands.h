#pragma once

#include "TLeftTreeData.h"

#include <QList>
#include <QString>

class TQrx;
class TopicNode;
class TopicTree;

// The commands that change the topic tree. Each works on the project's
// model, so it runs without a window; the tree view and the add-topic dialog
// call them. Structural commands recompute icons, select again what was
// selected and mark the project changed.
namespace TopicTreeCommands {

// The selected topics (roots left out) in tree order, without the ones that
// lie inside another selected topic: what moves, indents, drags and deletes
// work on.
QList<TopicNode*> MoveSet(const TopicTree& tree);

// Where new topics go, relative to the focused node.
enum class InsertMode { End, Before, After, Child, Append };

// A topic about to be added: its title and entry.
struct TNewTopic {
    QString Title;
    TLeftTreeData Entry;
};

// Adds topics on the page of root `page` (0 table of contents, 1 pages out of
// TOC, 2 templates) by `mode` relative to `focused`; when `focused` does not
// lie under that root, or is the root, they are appended to the root.
// Several topics keep their order. The added topics become the selection.
QList<TopicNode*> AddTopics(TQrx& project, int page, TopicNode* focused, InsertMode mode,
    const QList<TNewTopic>& topics);
// `count` new blank pages (Status 1) or headings (Status 2) titled `title`,
// each with its own new context number.
QList<TopicNode*> AddNewTopics(TQrx& project, int page, TopicNode* focused, InsertMode mode, int count,
    int status, const QString& title);

// How the title of a topic linked to an existing file is found.
enum class TitleSource { TitleElement, FileNameWithoutExtension, FileName };
// The topic for an existing page file (a native path): title by `source`,
// Url relative to the root folder ("..\" for files outside it), Status 0.
TNewTopic TopicForExistingFile(const TQrx& project, const QString& file, TitleSource source);

// Deletes the move set with everything below it. Page files stay on disk.
void DeleteSelection(TQrx& project);

void MoveUp(TQrx& project);
void MoveDown(TQrx& project);
// Indent: each topic becomes the last child of its previous sibling.
void MoveRight(TQrx& project);
// Outdent: each topic moves out of its parent, to just after it.
void MoveLeft(TQrx& project);
// Inserts a heading "New Item" before the first topic of the move set and
// indents the move set under it. Returns the heading.
TopicNode* MoveRightAndAddHeading(TQrx& project);

// Drag and drop.
enum DragState { DropAsChild = 0, DropBefore = 1, DropAfter = 2 };
// The drop mode for a cursor at `y` pixels in a tree whose rows are
// `rowHeight` high, over a root or over a topic.
DragState DragStateAt(int y, int rowHeight, bool overRoot);
// Whether the selection may be dropped on `target`: a node that is not
// selected, while the focused node is not a root.
bool CanDrop(const TopicTree& tree, const TopicNode* target);
// Moves the move set before, into or after `target`. Topics that would land
// inside themselves stay where they are.
void Drop(TQrx& project, TopicNode* target, DragState state);

// Orders the children of `node` by their titles (locale-aware, with case),
// and with `recursive` every level below too.
void SortChildren(TQrx& project, TopicNode* node, bool recursive);
// Expands or collapses `node` and everything below it.
void SetExpandedBelow(TopicTree& tree, TopicNode* node, bool expanded);
// Expands or collapses the whole tree.
void SetAllExpanded(TopicTree& tree, bool expanded);

// Makes the topic the project's default topic. An empty result on success,
// else the message to show.
QString SetDefaultTopic(TQrx& project, TopicNode* node);
// No template for HTML Help or web help.
void UseNoTemplate(TQrx& project);

} // namespace TopicTreeCommands
