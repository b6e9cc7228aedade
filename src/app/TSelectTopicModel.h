#pragma once

#include <QSet>
#include <QSortFilterProxyModel>

class TopicNode;
class TopicTree;

// What the select-topic dialog shows: the project's own topic tree seen
// through a filter, never a copy. Picking a topic shows the table of
// contents and the pages out of it; picking a template only the templates.
// The dialog only reads: titles cannot be edited, nothing is dragged, and
// its expanded branches are its own (their images open and close as in the
// main tree) while the main tree keeps its own state.
class TSelectTopicModel : public QSortFilterProxyModel {
    Q_OBJECT
public:
    // The dialog's modes: a topic, or a template (any other value).
    static constexpr int PickTopic = 1;
    static constexpr int PickTemplate = 2;

    explicit TSelectTopicModel(TopicTree& tree, QObject* parent = nullptr);

    void SetMode(int mode);
    int Mode() const { return m_mode; }

    TopicNode* NodeAt(const QModelIndex& index) const;
    QModelIndex IndexOf(const TopicNode* node) const;
    // The first topic below the first root shown, in tree order, whose Url
    // is `url` exactly (letter case counts); invalid when none.
    QModelIndex FindUrl(const QString& url) const;

    // The dialog's own expanded state of a branch.
    void SetExpanded(const QModelIndex& index, bool expanded);
    bool IsExpanded(const QModelIndex& index) const;

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    TopicTree& m_tree;
    int m_mode = PickTopic;
    QSet<const TopicNode*> m_expanded;
};
