#pragma once

#include "TopicNode.h"

#include <QAbstractItemModel>
#include <QList>
#include <functional>

// The project's topic tree: the three fixed roots ("Table of contents",
// "Pages out of TOC", "Templates") and the topics below them. It is the one
// copy of the table of contents; tree widgets show it through Qt's
// model/view interface and change it only through the operations here.
class TopicTree : public QAbstractItemModel {
    Q_OBJECT
public:
    enum Role {
        ImageRole = Qt::UserRole + 1, // int: image number 0-52
        SelectedImageRole,            // int
        StateImageRole,               // int, -1 for none
        ExpandedRole,                 // bool
        KindRole,                     // int: the entry's Kind
    };

    static constexpr int RootImage = 42;
    static constexpr int RootCount = 3;

    explicit TopicTree(QObject* parent = nullptr);
    ~TopicTree() override;

    // kind 0 "Table of contents", 1 "Pages out of TOC", 2 "Templates".
    TopicNode* root(int kind) const;
    TopicNode* tableOfContents() const { return root(KindTableOfContents); }
    TopicNode* pagesOutOfToc() const { return root(KindPagesOutOfToc); }
    TopicNode* templates() const { return root(KindTemplates); }
    // 0, 1 or 2 for a root; -1 for anything else.
    int rootKind(const TopicNode* node) const;

    // Structure. Roots are never removed, moved or renamed.
    TopicNode* insertNode(TopicNode* parent, int row, const QString& text, const TLeftTreeData& entry = {});
    TopicNode* appendNode(TopicNode* parent, const QString& text, const TLeftTreeData& entry = {});
    bool removeNode(TopicNode* node);
    // Moves `node` to position `row` of `newParent` (row counted before the
    // move). Refuses roots, and moves into the node's own subtree.
    bool moveNode(TopicNode* node, TopicNode* newParent, int row);
    void removeChildren(TopicNode* node);
    // Puts the children of `parent` in the order given (a permutation of
    // them); views keep their selection and expansion.
    void reorderChildren(TopicNode* parent, const std::vector<TopicNode*>& order);
    // Empties the three roots; the roots stay.
    void clearTopics();

    // Shown values.
    bool setText(TopicNode* node, const QString& text);
    void setImage(TopicNode* node, int image); // the selected image always equals it
    void setStateImage(TopicNode* node, int stateImage);
    // Records the expanded state and swaps the node's image to the open or
    // closed form of its pair.
    void setExpanded(TopicNode* node, bool expanded);

    // All topics (nodes below the roots).
    int topicCount() const { return m_topicCount; }
    // Depth-first walk over the roots and all topics, a node before its
    // children; stops early when `visit` returns false.
    template <typename Visit>
    void forEachNode(Visit visit) const
    {
        for (TopicNode* node = m_invisibleRoot.firstChild(); node != nullptr; node = node->next())
            if (!visit(node))
                return;
    }

    // The tree's selection: the nodes the author works on, the focused node
    // (the one the topic fields show) first. Views mirror it.
    const QList<TopicNode*>& selection() const { return m_selection; }
    TopicNode* selected() const { return m_selection.isEmpty() ? nullptr : m_selection.front(); }
    // False when selectionGuard kept the selection as it was.
    bool setSelection(const QList<TopicNode*>& nodes);
    bool select(TopicNode* node) { return setSelection(node ? QList<TopicNode*>{node} : QList<TopicNode*>{}); }
    // Asked before the author's choice changes the selection (the page of
    // the focused topic may hold edits); false keeps it. Removing selected
    // topics does not ask.
    std::function<bool()> selectionGuard;

    // Many changes at once (reading a project): views are told once, at the end.
    class BulkChange {
    public:
        explicit BulkChange(TopicTree& tree);
        ~BulkChange();
        BulkChange(const BulkChange&) = delete;
        BulkChange& operator=(const BulkChange&) = delete;

    private:
        TopicTree& m_tree;
    };

    QModelIndex indexOf(const TopicNode* node) const;
    TopicNode* nodeAt(const QModelIndex& index) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    void selectionChanged();

private:
    bool notifying() const { return m_bulkDepth == 0; }
    void renumber(TopicNode* parent, int fromRow);
    void dropFromSelection(const TopicNode* subtreeRoot);
    void emitNodeChanged(TopicNode* node, const QList<int>& roles);
    static int countNodes(const TopicNode* node);

    TopicNode m_invisibleRoot;
    int m_topicCount = 0;
    int m_bulkDepth = 0;
    QList<TopicNode*> m_selection;
};
