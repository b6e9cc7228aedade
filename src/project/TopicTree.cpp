#include "TopicTree.h"

#include "TopicIcons.h"

#include <algorithm>

namespace {
const char* const RootTexts[TopicTree::RootCount] = {"Table of contents", "Pages out of TOC", "Templates"};
}

TopicTree::TopicTree(QObject* parent)
    : QAbstractItemModel(parent)
{
    for (int kind = 0; kind < RootCount; ++kind) {
        auto root = std::make_unique<TopicNode>();
        root->m_text = QString::fromLatin1(RootTexts[kind]);
        root->m_image = root->m_selectedImage = RootImage;
        root->m_entry.Kind = -(kind + 1);
        root->m_parent = &m_invisibleRoot;
        root->m_row = kind;
        m_invisibleRoot.m_children.push_back(std::move(root));
    }
}

TopicTree::~TopicTree() = default;

TopicNode* TopicTree::root(int kind) const
{
    if (kind < 0 || kind >= RootCount)
        return nullptr;
    return m_invisibleRoot.child(kind);
}

int TopicTree::rootKind(const TopicNode* node) const
{
    return node != nullptr && node->m_parent == &m_invisibleRoot ? node->m_row : -1;
}

TopicNode* TopicTree::insertNode(TopicNode* parent, int row, const QString& text, const TLeftTreeData& entry)
{
    if (parent == nullptr || parent == &m_invisibleRoot)
        return nullptr;
    row = std::clamp(row, 0, parent->childCount());
    if (notifying())
        beginInsertRows(indexOf(parent), row, row);
    auto node = std::make_unique<TopicNode>();
    node->m_text = text;
    node->m_entry = entry;
    node->m_parent = parent;
    TopicNode* result = node.get();
    parent->m_children.insert(parent->m_children.begin() + row, std::move(node));
    renumber(parent, row);
    ++m_topicCount;
    if (notifying())
        endInsertRows();
    return result;
}

TopicNode* TopicTree::appendNode(TopicNode* parent, const QString& text, const TLeftTreeData& entry)
{
    return insertNode(parent, parent ? parent->childCount() : 0, text, entry);
}

bool TopicTree::removeNode(TopicNode* node)
{
    if (node == nullptr || node->m_parent == nullptr || node->isRoot())
        return false;
    TopicNode* parent = node->m_parent;
    const int row = node->m_row;
    dropFromSelection(node);
    if (notifying())
        beginRemoveRows(indexOf(parent), row, row);
    m_topicCount -= countNodes(node);
    parent->m_children.erase(parent->m_children.begin() + row);
    renumber(parent, row);
    if (notifying())
        endRemoveRows();
    return true;
}

bool TopicTree::moveNode(TopicNode* node, TopicNode* newParent, int row)
{
    if (node == nullptr || newParent == nullptr || node->m_parent == nullptr || node->isRoot()
        || newParent == &m_invisibleRoot || newParent == node || node->isAncestorOf(newParent))
        return false;
    TopicNode* oldParent = node->m_parent;
    const int oldRow = node->m_row;
    row = std::clamp(row, 0, newParent->childCount());
    if (oldParent == newParent && (row == oldRow || row == oldRow + 1))
        return true; // already there
    if (notifying() && !beginMoveRows(indexOf(oldParent), oldRow, oldRow, indexOf(newParent), row))
        return false;
    std::unique_ptr<TopicNode> owned = std::move(oldParent->m_children[size_t(oldRow)]);
    oldParent->m_children.erase(oldParent->m_children.begin() + oldRow);
    if (oldParent == newParent && row > oldRow)
        --row;
    owned->m_parent = newParent;
    newParent->m_children.insert(newParent->m_children.begin() + row, std::move(owned));
    renumber(oldParent, std::min(oldRow, oldParent->childCount()));
    renumber(newParent, oldParent == newParent ? std::min(row, oldRow) : row);
    if (notifying())
        endMoveRows();
    return true;
}

void TopicTree::removeChildren(TopicNode* node)
{
    if (node == nullptr || !node->hasChildren())
        return;
    for (const auto& child : node->m_children)
        dropFromSelection(child.get());
    if (notifying())
        beginRemoveRows(indexOf(node), 0, node->childCount() - 1);
    for (const auto& child : node->m_children)
        m_topicCount -= countNodes(child.get());
    node->m_children.clear();
    if (notifying())
        endRemoveRows();
}

void TopicTree::reorderChildren(TopicNode* parent, const std::vector<TopicNode*>& order)
{
    if (parent == nullptr || int(order.size()) != parent->childCount())
        return;
    std::vector<bool> seen(order.size(), false);
    for (const TopicNode* node : order) {
        if (node == nullptr || node->m_parent != parent || seen[size_t(node->m_row)])
            return; // not a permutation of the children: leave them alone
        seen[size_t(node->m_row)] = true;
    }
    const QList<QPersistentModelIndex> parents{indexOf(parent)};
    if (notifying())
        emit layoutAboutToBeChanged(parents);
    const QModelIndexList before = notifying() ? persistentIndexList() : QModelIndexList();
    std::vector<std::unique_ptr<TopicNode>> reordered;
    reordered.reserve(order.size());
    for (TopicNode* node : order)
        reordered.push_back(std::move(parent->m_children[size_t(node->m_row)]));
    parent->m_children = std::move(reordered);
    renumber(parent, 0);
    if (notifying()) {
        for (const QModelIndex& index : before) {
            const TopicNode* node = nodeAt(index);
            if (node != nullptr && node->m_parent == parent)
                changePersistentIndex(index, indexOf(node));
        }
        emit layoutChanged(parents);
    }
}

void TopicTree::clearTopics()
{
    for (int kind = 0; kind < RootCount; ++kind)
        removeChildren(root(kind));
}

bool TopicTree::setText(TopicNode* node, const QString& text)
{
    if (node == nullptr || node->isRoot())
        return false;
    if (node->m_text != text) {
        node->m_text = text;
        emitNodeChanged(node, {Qt::DisplayRole, Qt::EditRole});
    }
    return true;
}

void TopicTree::setImage(TopicNode* node, int image)
{
    if (node->m_image == image && node->m_selectedImage == image)
        return;
    node->m_image = node->m_selectedImage = image;
    emitNodeChanged(node, {ImageRole, SelectedImageRole});
}

void TopicTree::setStateImage(TopicNode* node, int stateImage)
{
    if (node->m_stateImage == stateImage)
        return;
    node->m_stateImage = stateImage;
    emitNodeChanged(node, {StateImageRole});
}

void TopicTree::setExpanded(TopicNode* node, bool expanded)
{
    if (node == nullptr)
        return;
    const bool changed = node->m_expanded != expanded;
    node->m_expanded = expanded;
    const int image = ImageForExpandedState(node->m_image, expanded);
    if (image != node->m_image) {
        node->m_image = node->m_selectedImage = image;
        emitNodeChanged(node, {ImageRole, SelectedImageRole, ExpandedRole});
    } else if (changed) {
        emitNodeChanged(node, {ExpandedRole});
    }
}

bool TopicTree::setSelection(const QList<TopicNode*>& nodes)
{
    QList<TopicNode*> filtered;
    for (TopicNode* node : nodes)
        if (node != nullptr && node != &m_invisibleRoot && !filtered.contains(node))
            filtered.append(node);
    if (filtered == m_selection)
        return true;
    if (selectionGuard && !selectionGuard())
        return false;
    m_selection = filtered;
    emit selectionChanged();
    return true;
}

TopicTree::BulkChange::BulkChange(TopicTree& tree)
    : m_tree(tree)
{
    if (m_tree.m_bulkDepth++ == 0)
        m_tree.beginResetModel();
}

TopicTree::BulkChange::~BulkChange()
{
    if (--m_tree.m_bulkDepth == 0)
        m_tree.endResetModel();
}

QModelIndex TopicTree::indexOf(const TopicNode* node) const
{
    if (node == nullptr || node == &m_invisibleRoot || node->m_parent == nullptr)
        return {};
    return createIndex(node->m_row, 0, const_cast<TopicNode*>(node));
}

TopicNode* TopicTree::nodeAt(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != this)
        return nullptr;
    return static_cast<TopicNode*>(index.internalPointer());
}

QModelIndex TopicTree::index(int row, int column, const QModelIndex& parent) const
{
    const TopicNode* parentNode = parent.isValid() ? nodeAt(parent) : &m_invisibleRoot;
    if (parentNode == nullptr || column != 0 || row < 0 || row >= parentNode->childCount())
        return {};
    return createIndex(row, 0, parentNode->child(row));
}

QModelIndex TopicTree::parent(const QModelIndex& child) const
{
    const TopicNode* node = nodeAt(child);
    return node ? indexOf(node->m_parent) : QModelIndex();
}

int TopicTree::rowCount(const QModelIndex& parent) const
{
    if (parent.column() > 0)
        return 0;
    const TopicNode* node = parent.isValid() ? nodeAt(parent) : &m_invisibleRoot;
    return node ? node->childCount() : 0;
}

int TopicTree::columnCount(const QModelIndex&) const
{
    return 1;
}

QVariant TopicTree::data(const QModelIndex& index, int role) const
{
    const TopicNode* node = nodeAt(index);
    if (node == nullptr)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return node->m_text;
    case ImageRole:
        return node->m_image;
    case SelectedImageRole:
        return node->m_selectedImage;
    case StateImageRole:
        return node->m_stateImage;
    case ExpandedRole:
        return node->m_expanded;
    case KindRole:
        return node->m_entry.Kind;
    default:
        return {};
    }
}

bool TopicTree::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole)
        return false;
    return setText(nodeAt(index), value.toString());
}

Qt::ItemFlags TopicTree::flags(const QModelIndex& index) const
{
    const TopicNode* node = nodeAt(index);
    if (node == nullptr)
        return Qt::NoItemFlags;
    if (node->isRoot())
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

void TopicTree::renumber(TopicNode* parent, int fromRow)
{
    for (int row = fromRow; row < parent->childCount(); ++row)
        parent->m_children[size_t(row)]->m_row = row;
}

void TopicTree::dropFromSelection(const TopicNode* subtreeRoot)
{
    const auto inSubtree = [subtreeRoot](const TopicNode* node) {
        return node == subtreeRoot || subtreeRoot->isAncestorOf(node);
    };
    if (std::none_of(m_selection.begin(), m_selection.end(), inSubtree))
        return;
    m_selection.removeIf(inSubtree);
    emit selectionChanged();
}

void TopicTree::emitNodeChanged(TopicNode* node, const QList<int>& roles)
{
    if (!notifying())
        return;
    const QModelIndex index = indexOf(node);
    if (index.isValid())
        emit dataChanged(index, index, roles);
}

int TopicTree::countNodes(const TopicNode* node)
{
    int count = 1;
    for (const TopicNode* below = node->next(node); below != nullptr; below = below->next(node))
        ++count;
    return count;
}
