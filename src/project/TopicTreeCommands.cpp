#include "TopicTreeCommands.h"

#include "PageFiles.h"
#include "PageParts.h"
#include "Paths.h"
#include "TQrx.h"

#include <QCollator>
#include <QFileInfo>
#include <algorithm>
#include <vector>

namespace TopicTreeCommands {

namespace {

// Rows from the top of the tree down to the node: tree order is their
// lexicographic order.
std::vector<int> treePosition(const TopicNode* node)
{
    std::vector<int> rows;
    for (; node != nullptr && node->parent() != nullptr; node = node->parent())
        rows.push_back(node->row());
    std::reverse(rows.begin(), rows.end());
    return rows;
}

// Runs a structural command: afterwards the old selection (roots left out)
// is selected again, icons follow and the project is marked changed.
template <typename Command>
void restructure(TQrx& project, Command command)
{
    TopicTree& tree = project.Tree();
    QList<TopicNode*> selection;
    for (TopicNode* node : tree.selection())
        if (!node->isRoot())
            selection.append(node);
    command(tree);
    tree.setSelection(selection);
    project.SetIcon();
    project.ProjectChanged = true;
}

bool inMoveSet(const QList<TopicNode*>& moveSet, const TopicNode* node)
{
    return moveSet.contains(const_cast<TopicNode*>(node));
}

} // namespace

QList<TopicNode*> MoveSet(const TopicTree& tree)
{
    std::vector<std::pair<std::vector<int>, TopicNode*>> ordered;
    for (TopicNode* node : tree.selection())
        if (!node->isRoot())
            ordered.emplace_back(treePosition(node), node);
    std::sort(ordered.begin(), ordered.end(),
        [](const auto& a, const auto& b) { return a.first < b.first; });
    QList<TopicNode*> result;
    for (const auto& [position, node] : ordered) {
        if (!result.isEmpty() && (result.back() == node || result.back()->isAncestorOf(node)))
            continue;
        result.append(node);
    }
    return result;
}

QList<TopicNode*> AddTopics(TQrx& project, int page, TopicNode* focused, InsertMode mode,
    const QList<TNewTopic>& topics)
{
    TopicTree& tree = project.Tree();
    TopicNode* root = tree.root(page);
    if (root == nullptr || topics.isEmpty())
        return {};
    const bool underRoot = focused != nullptr && (focused == root || root->isAncestorOf(focused));
    if (!underRoot || focused->isRoot())
        mode = InsertMode::Append;
    TopicNode* anchor = underRoot ? focused : root;

    QList<TopicNode*> added;
    TopicNode* lastInserted = nullptr;
    for (const TNewTopic& topic : topics) {
        TopicNode* node = nullptr;
        switch (mode) {
        case InsertMode::End:
            node = tree.appendNode(anchor->parent(), topic.Title, topic.Entry);
            break;
        case InsertMode::Before:
            node = tree.insertNode(anchor->parent(), anchor->row(), topic.Title, topic.Entry);
            break;
        case InsertMode::After: {
            // After the focused node, then after each one added, so they keep their order.
            const TopicNode* previous = lastInserted ? lastInserted : anchor;
            node = tree.insertNode(anchor->parent(), previous->row() + 1, topic.Title, topic.Entry);
            break;
        }
        case InsertMode::Child:
        case InsertMode::Append:
            node = tree.appendNode(anchor, topic.Title, topic.Entry);
            break;
        }
        lastInserted = node;
        added.append(node);
    }
    project.SetIcon();
    tree.setSelection(added);
    project.ProjectChanged = true;
    return added;
}

QList<TopicNode*> AddNewTopics(TQrx& project, int page, TopicNode* focused, InsertMode mode, int count,
    int status, const QString& title)
{
    QList<TNewTopic> topics;
    for (int number : project.NewSensitiveNumbers(count)) {
        TNewTopic topic;
        topic.Title = title;
        topic.Entry.Status = status;
        topic.Entry.ContextNumber = QString::number(number);
        topics.append(topic);
    }
    return AddTopics(project, page, focused, mode, topics);
}

TNewTopic TopicForExistingFile(const TQrx& project, const QString& file, TitleSource source)
{
    TNewTopic topic;
    const QFileInfo info(file);
    switch (source) {
    case TitleSource::TitleElement:
        topic.Title = GetTitle(ReadTextFile(file));
        break;
    case TitleSource::FileNameWithoutExtension:
        topic.Title = info.completeBaseName();
        break;
    case TitleSource::FileName:
        topic.Title = info.fileName();
        break;
    }
    topic.Entry.Url = RelativePath(project.RootDir, info.absoluteFilePath());
    topic.Entry.Status = StatusLinked;
    return topic;
}

void DeleteSelection(TQrx& project)
{
    TopicTree& tree = project.Tree();
    const QList<TopicNode*> moveSet = MoveSet(tree);
    if (moveSet.isEmpty())
        return;
    for (TopicNode* node : moveSet)
        tree.removeNode(node);
    project.SetIcon();
    project.ProjectChanged = true;
}

void MoveUp(TQrx& project)
{
    restructure(project, [](TopicTree& tree) {
        const QList<TopicNode*> moveSet = MoveSet(tree);
        for (TopicNode* node : moveSet) {
            TopicNode* parent = node->parent();
            if (node->row() == 0)
                continue;
            TopicNode* previous = parent->child(node->row() - 1);
            if (!tree.selection().contains(previous))
                tree.moveNode(node, parent, previous->row());
        }
    });
}

void MoveDown(TQrx& project)
{
    restructure(project, [](TopicTree& tree) {
        const QList<TopicNode*> moveSet = MoveSet(tree);
        for (TopicNode* node : moveSet) {
            TopicNode* parent = node->parent();
            for (int row = node->row() + 1; row < parent->childCount(); ++row) {
                TopicNode* sibling = parent->child(row);
                if (inMoveSet(moveSet, sibling))
                    continue;
                tree.moveNode(sibling, parent, node->row());
                break;
            }
        }
    });
}

namespace {

void indent(TopicTree& tree, const QList<TopicNode*>& moveSet)
{
    for (TopicNode* node : moveSet) {
        if (node->row() == 0)
            continue; // the node before it is its parent
        TopicNode* previousSibling = node->parent()->child(node->row() - 1);
        tree.moveNode(node, previousSibling, previousSibling->childCount());
    }
}

} // namespace

void MoveRight(TQrx& project)
{
    restructure(project, [](TopicTree& tree) { indent(tree, MoveSet(tree)); });
}

void MoveLeft(TQrx& project)
{
    restructure(project, [](TopicTree& tree) {
        const QList<TopicNode*> moveSet = MoveSet(tree);
        for (auto it = moveSet.rbegin(); it != moveSet.rend(); ++it) {
            TopicNode* node = *it;
            TopicNode* parent = node->parent();
            if (parent->isRoot())
                continue;
            tree.moveNode(node, parent->parent(), parent->row() + 1);
        }
    });
}

TopicNode* MoveRightAndAddHeading(TQrx& project)
{
    TopicNode* heading = nullptr;
    restructure(project, [&project, &heading](TopicTree& tree) {
        const QList<TopicNode*> moveSet = MoveSet(tree);
        if (moveSet.isEmpty())
            return;
        TopicNode* first = moveSet.front();
        TLeftTreeData entry;
        entry.Status = StatusNoLink;
        entry.ContextNumber = QString::number(project.NewSensitiveNumber());
        heading = tree.insertNode(first->parent(), first->row(), QStringLiteral("New Item"), entry);
        indent(tree, moveSet);
    });
    return heading;
}

DragState DragStateAt(int y, int rowHeight, bool overRoot)
{
    if (overRoot || rowHeight <= 0)
        return DropAsChild;
    const int r = ((y % rowHeight) + rowHeight) % rowHeight;
    if (r <= 3)
        return DropBefore;
    if (r <= 10)
        return DropAsChild;
    return DropAfter;
}

bool CanDrop(const TopicTree& tree, const TopicNode* target)
{
    const TopicNode* focused = tree.selected();
    return target != nullptr && focused != nullptr && !focused->isRoot()
        && !tree.selection().contains(const_cast<TopicNode*>(target));
}

void Drop(TQrx& project, TopicNode* target, DragState state)
{
    if (!CanDrop(project.Tree(), target))
        return;
    if (target->isRoot())
        state = DropAsChild;
    restructure(project, [target, state](TopicTree& tree) {
        const QList<TopicNode*> moveSet = MoveSet(tree);
        TopicNode* parent = target->parent();
        TopicNode* nextSibling = target->row() + 1 < parent->childCount() ? parent->child(target->row() + 1) : nullptr;
        for (TopicNode* node : moveSet) {
            if (node == target || node->isAncestorOf(target))
                continue; // it would land inside itself
            switch (state) {
            case DropBefore:
                tree.moveNode(node, target->parent(), target->row());
                break;
            case DropAsChild:
                tree.moveNode(node, target, target->childCount());
                break;
            case DropAfter:
                if (nextSibling != nullptr && nextSibling != node)
                    tree.moveNode(node, nextSibling->parent(), nextSibling->row());
                else if (nextSibling == nullptr)
                    tree.moveNode(node, target->parent(), target->parent()->childCount());
                break;
            }
        }
    });
}

void SortChildren(TQrx& project, TopicNode* node, bool recursive)
{
    if (node == nullptr)
        return;
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseSensitive);
    TopicTree& tree = project.Tree();
    std::vector<TopicNode*> pending{node};
    while (!pending.empty()) {
        TopicNode* parent = pending.back();
        pending.pop_back();
        std::vector<TopicNode*> order;
        for (int row = 0; row < parent->childCount(); ++row)
            order.push_back(parent->child(row));
        std::stable_sort(order.begin(), order.end(), [&collator](const TopicNode* a, const TopicNode* b) {
            return collator.compare(a->text(), b->text()) < 0;
        });
        tree.reorderChildren(parent, order);
        if (recursive)
            for (TopicNode* child : order)
                if (child->hasChildren())
                    pending.push_back(child);
    }
    project.ProjectChanged = true;
}

void SetExpandedBelow(TopicTree& tree, TopicNode* node, bool expanded)
{
    if (node == nullptr)
        return;
    tree.setExpanded(node, expanded);
    for (TopicNode* below = node->next(node); below != nullptr; below = below->next(node))
        tree.setExpanded(below, expanded);
}

void SetAllExpanded(TopicTree& tree, bool expanded)
{
    for (int kind = 0; kind < TopicTree::RootCount; ++kind)
        SetExpandedBelow(tree, tree.root(kind), expanded);
}

QString SetDefaultTopic(TQrx& project, TopicNode* node)
{
    if (node == nullptr || node->isRoot())
        return {};
    if (node->entry().Status == StatusUnsaved)
        return QStringLiteral("Cannot set an unsaved topic as default.");
    if (node->entry().Status == StatusNoLink)
        return QStringLiteral("Cannot set a no-link topic as default.");
    project.DefaultTopic = node->entry().Url;
    project.ProjectChanged = true;
    return {};
}

void UseNoTemplate(TQrx& project)
{
    project.HtmlHelpTemplate.clear();
    project.WebHelpTemplate.clear();
    project.SetIcon();
    project.ProjectChanged = true;
}

} // namespace TopicTreeCommands
