#pragma once

#include <QTreeView>

class TQrx;
class TopicNode;
class TopicTree;

// The project's topic tree on screen: a view of the model's own tree, never
// a copy. Selection and expansion live in the model; the view mirrors them
// both ways, and expanding or collapsing a node swaps its image.
class TTopicTreeView : public QTreeView {
    Q_OBJECT
public:
    explicit TTopicTreeView(TQrx& project, QWidget* parent = nullptr);

    TopicNode* nodeAt(const QModelIndex& index) const;
    // Height of one row, for drag and drop.
    int rowHeight() const;

private:
    void takeSelectionFromModel();
    void giveSelectionToModel();
    void takeExpansionFromModel(const QModelIndex& parent);

    TQrx& m_project;
    TopicTree& m_tree;
    bool m_syncing = false;
};
