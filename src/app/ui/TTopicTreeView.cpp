#include "TTopicTreeView.h"

#include "TQrx.h"
#include "TTopicItemDelegate.h"
#include "TopicTree.h"

#include <QHeaderView>
#include <QScopedValueRollback>

namespace {

constexpr int Indentation = 19;

} // namespace

TTopicTreeView::TTopicTreeView(TQrx& project, QWidget* parent)
    : QTreeView(parent)
    , m_project(project)
    , m_tree(project.Tree())
{
    setModel(&m_tree);
    setItemDelegate(new TTopicItemDelegate(m_project, this));
    setHeaderHidden(true);
    setIndentation(Indentation);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformRowHeights(true);
    header()->setStretchLastSection(true);
    setIconSize(QSize(16, 16));
    // Selected rows: blue on silver, also while the tree has no focus.
    QPalette colours = palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        colours.setColor(group, QPalette::Highlight, QColor(192, 192, 192));
        colours.setColor(group, QPalette::HighlightedText, QColor(0, 0, 255));
    }
    setPalette(colours);

    connect(&m_tree, &TopicTree::selectionChanged, this, &TTopicTreeView::takeSelectionFromModel);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &TTopicTreeView::giveSelectionToModel);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, &TTopicTreeView::giveSelectionToModel);

    connect(this, &QTreeView::expanded, this, [this](const QModelIndex& index) {
        if (!m_syncing)
            m_tree.setExpanded(nodeAt(index), true);
    });
    connect(this, &QTreeView::collapsed, this, [this](const QModelIndex& index) {
        if (!m_syncing)
            m_tree.setExpanded(nodeAt(index), false);
    });
    connect(&m_tree, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& from, const QModelIndex& to, const QList<int>& roles) {
                if (!roles.contains(TopicTree::ExpandedRole) || m_syncing)
                    return;
                const QScopedValueRollback<bool> syncing(m_syncing, true);
                for (int row = from.row(); row <= to.row(); ++row) {
                    const QModelIndex index = from.siblingAtRow(row);
                    setExpanded(index, index.data(TopicTree::ExpandedRole).toBool());
                }
            });
    connect(&m_tree, &QAbstractItemModel::modelReset, this, [this] {
        takeExpansionFromModel(QModelIndex());
        takeSelectionFromModel();
    });
    connect(&m_tree, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex& parent, int first, int last) {
        for (int row = first; row <= last; ++row) {
            const QModelIndex index = m_tree.index(row, 0, parent);
            {
                const QScopedValueRollback<bool> syncing(m_syncing, true);
                setExpanded(index, index.data(TopicTree::ExpandedRole).toBool());
            }
            takeExpansionFromModel(index);
        }
    });
    takeExpansionFromModel(QModelIndex());
    takeSelectionFromModel();
}

TopicNode* TTopicTreeView::nodeAt(const QModelIndex& index) const
{
    return m_tree.nodeAt(index);
}

int TTopicTreeView::rowHeight() const
{
    const QModelIndex first = m_tree.index(0, 0);
    const int height = visualRect(first).height();
    return height > 0 ? height : sizeHintForRow(0);
}

void TTopicTreeView::takeExpansionFromModel(const QModelIndex& parent)
{
    const QScopedValueRollback<bool> syncing(m_syncing, true);
    const int rows = m_tree.rowCount(parent);
    for (int row = 0; row < rows; ++row) {
        const QModelIndex index = m_tree.index(row, 0, parent);
        if (m_tree.rowCount(index) == 0)
            continue;
        setExpanded(index, index.data(TopicTree::ExpandedRole).toBool());
        takeExpansionFromModel(index);
    }
}

void TTopicTreeView::takeSelectionFromModel()
{
    if (m_syncing)
        return;
    const QScopedValueRollback<bool> syncing(m_syncing, true);
    QItemSelection selection;
    for (const TopicNode* node : m_tree.selection()) {
        const QModelIndex index = m_tree.indexOf(node);
        selection.select(index, index);
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    if (TopicNode* focused = m_tree.selected()) {
        const QModelIndex index = m_tree.indexOf(focused);
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
        scrollTo(index);
    }
}

void TTopicTreeView::giveSelectionToModel()
{
    if (m_syncing)
        return;
    const QScopedValueRollback<bool> syncing(m_syncing, true);
    // The focused node comes first: it is the one the topic fields show.
    QList<TopicNode*> nodes;
    const QModelIndex current = selectionModel()->currentIndex();
    if (current.isValid() && selectionModel()->isSelected(current))
        nodes.append(nodeAt(current));
    for (const QModelIndex& index : selectionModel()->selectedRows()) {
        TopicNode* node = nodeAt(index);
        if (node != nullptr && !nodes.contains(node))
            nodes.append(node);
    }
    if (nodes != m_tree.selection())
        m_tree.setSelection(nodes);
}
