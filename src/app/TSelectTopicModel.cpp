#include "TSelectTopicModel.h"

#include "TopicIcons.h"
#include "TopicTree.h"

TSelectTopicModel::TSelectTopicModel(TopicTree& tree, QObject* parent)
    : QSortFilterProxyModel(parent)
    , m_tree(tree)
{
    setSourceModel(&tree);
    // Topics keep the tree's order.
    setDynamicSortFilter(false);
    // Branches that go are forgotten, so that no new node looks open.
    const auto forget = [this] { m_expanded.clear(); };
    connect(&tree, &QAbstractItemModel::modelReset, this, forget);
    connect(&tree, &QAbstractItemModel::rowsAboutToBeRemoved, this, forget);
}

void TSelectTopicModel::SetMode(int mode)
{
    m_mode = mode;
    invalidateFilter();
}

bool TSelectTopicModel::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const
{
    if (sourceParent.isValid())
        return true;
    const bool isTemplates = sourceRow == KindTemplates;
    return m_mode == PickTopic ? !isTemplates : isTemplates;
}

TopicNode* TSelectTopicModel::NodeAt(const QModelIndex& index) const
{
    return m_tree.nodeAt(mapToSource(index));
}

QModelIndex TSelectTopicModel::IndexOf(const TopicNode* node) const
{
    return mapFromSource(m_tree.indexOf(node));
}

QModelIndex TSelectTopicModel::FindUrl(const QString& url) const
{
    const TopicNode* first = NodeAt(index(0, 0));
    if (first == nullptr || url.isEmpty())
        return {};
    // The nodes after the first root shown, the other roots' included.
    for (const TopicNode* node = first->next(); node != nullptr; node = node->next()) {
        if (node->isRoot() || node->entry().Url != url)
            continue;
        const TopicNode* root = node->topRoot();
        if (filterAcceptsRow(root->row(), QModelIndex()))
            return IndexOf(node);
    }
    return {};
}

void TSelectTopicModel::SetExpanded(const QModelIndex& index, bool expanded)
{
    const TopicNode* node = NodeAt(index);
    if (node == nullptr || m_expanded.contains(node) == expanded)
        return;
    if (expanded)
        m_expanded.insert(node);
    else
        m_expanded.remove(node);
    emit dataChanged(index, index, {TopicTree::ImageRole, TopicTree::SelectedImageRole, TopicTree::ExpandedRole});
}

bool TSelectTopicModel::IsExpanded(const QModelIndex& index) const
{
    return m_expanded.contains(NodeAt(index));
}

QVariant TSelectTopicModel::data(const QModelIndex& index, int role) const
{
    switch (role) {
    case TopicTree::ImageRole:
    case TopicTree::SelectedImageRole:
        return ImageForExpandedState(QSortFilterProxyModel::data(index, role).toInt(), IsExpanded(index));
    case TopicTree::ExpandedRole:
        return IsExpanded(index);
    default:
        return QSortFilterProxyModel::data(index, role);
    }
}

bool TSelectTopicModel::setData(const QModelIndex&, const QVariant&, int)
{
    return false;
}

Qt::ItemFlags TSelectTopicModel::flags(const QModelIndex& index) const
{
    return QSortFilterProxyModel::flags(index)
        & ~(Qt::ItemIsEditable | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled);
}
