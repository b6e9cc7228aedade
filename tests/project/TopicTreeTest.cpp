#include "TopicTree.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

// Titles of the tree in depth-first order, each indented by its depth.
QStringList outline(const TopicTree& tree)
{
    QStringList lines;
    tree.forEachNode([&lines](const TopicNode* node) {
        lines << QString(node->depth() * 2, QLatin1Char(' ')) + node->text();
        return true;
    });
    return lines;
}

class TopicTreeTest : public testing::Test {
protected:
    TopicTree tree;
    QAbstractItemModelTester tester{&tree, QAbstractItemModelTester::FailureReportingMode::Warning};
};

TEST_F(TopicTreeTest, StartsWithTheThreeFixedRoots)
{
    EXPECT_EQ(outline(tree), (QStringList{"Table of contents", "Pages out of TOC", "Templates"}));
    for (int kind = 0; kind < 3; ++kind) {
        const TopicNode* root = tree.root(kind);
        EXPECT_EQ(root->entry().Kind, -(kind + 1));
        EXPECT_EQ(root->imageIndex(), 42);
        EXPECT_EQ(root->depth(), 0);
        EXPECT_TRUE(root->isRoot());
        EXPECT_EQ(tree.rootKind(root), kind);
    }
    EXPECT_EQ(tree.rowCount(), 3);
}

TEST_F(TopicTreeTest, RootsCannotBeRenamedRemovedOrMoved)
{
    TopicNode* toc = tree.tableOfContents();
    TopicNode* topic = tree.appendNode(toc, "A");
    EXPECT_FALSE(tree.setText(toc, "Other"));
    EXPECT_FALSE(tree.setData(tree.indexOf(toc), "Other"));
    EXPECT_FALSE(tree.removeNode(tree.templates()));
    EXPECT_FALSE(tree.moveNode(tree.templates(), topic, 0));
    EXPECT_FALSE(tree.flags(tree.indexOf(toc)) & Qt::ItemIsEditable);
    EXPECT_TRUE(tree.flags(tree.indexOf(topic)) & Qt::ItemIsEditable);
    EXPECT_EQ(outline(tree), (QStringList{"Table of contents", "  A", "Pages out of TOC", "Templates"}));
}

TEST_F(TopicTreeTest, InsertMoveAndRemoveKeepOrderRowsAndCount)
{
    TopicNode* toc = tree.tableOfContents();
    TopicNode* a = tree.appendNode(toc, "A");
    TopicNode* c = tree.appendNode(toc, "C");
    tree.insertNode(toc, 1, "B");
    TopicNode* a1 = tree.appendNode(a, "A1");
    tree.appendNode(a1, "A1x");
    EXPECT_EQ(tree.topicCount(), 5);
    EXPECT_EQ(c->row(), 2);

    // Down within the same parent, then into another root, then up front.
    EXPECT_TRUE(tree.moveNode(a, toc, 3));
    EXPECT_EQ(outline(tree), (QStringList{"Table of contents", "  B", "  C", "  A", "    A1", "      A1x",
                                 "Pages out of TOC", "Templates"}));
    EXPECT_TRUE(tree.moveNode(a1, tree.pagesOutOfToc(), 0));
    EXPECT_TRUE(tree.moveNode(a, toc, 0));
    EXPECT_EQ(outline(tree), (QStringList{"Table of contents", "  A", "  B", "  C", "Pages out of TOC", "  A1",
                                 "    A1x", "Templates"}));
    for (int row = 0; row < toc->childCount(); ++row)
        EXPECT_EQ(toc->child(row)->row(), row);
    EXPECT_EQ(tree.indexOf(c).row(), 2);

    // A node never moves into its own subtree.
    TopicNode* a1x = a1->child(0);
    EXPECT_FALSE(tree.moveNode(a1, a1x, 0));
    EXPECT_FALSE(tree.moveNode(a1, a1, 0));

    EXPECT_TRUE(tree.removeNode(a1));
    EXPECT_EQ(tree.topicCount(), 3);
    tree.clearTopics();
    EXPECT_EQ(tree.topicCount(), 0);
    EXPECT_EQ(outline(tree), (QStringList{"Table of contents", "Pages out of TOC", "Templates"}));
}

TEST_F(TopicTreeTest, ViewsHearOfChanges)
{
    TopicNode* a = tree.appendNode(tree.tableOfContents(), "A");
    QSignalSpy changed(&tree, &QAbstractItemModel::dataChanged);
    QSignalSpy inserted(&tree, &QAbstractItemModel::rowsInserted);
    tree.setText(a, "Alpha");
    tree.setText(a, "Alpha"); // no change, no signal
    tree.setImage(a, 10);
    tree.appendNode(a, "child");
    EXPECT_EQ(changed.count(), 2);
    EXPECT_EQ(inserted.count(), 1);
    EXPECT_EQ(tree.data(tree.indexOf(a), Qt::DisplayRole).toString(), "Alpha");
    EXPECT_EQ(tree.data(tree.indexOf(a), TopicTree::ImageRole).toInt(), 10);

    QSignalSpy reset(&tree, &QAbstractItemModel::modelReset);
    {
        TopicTree::BulkChange bulk(tree);
        for (int i = 0; i < 100; ++i)
            tree.appendNode(tree.pagesOutOfToc(), QString::number(i));
    }
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(inserted.count(), 1);
    EXPECT_EQ(tree.rowCount(tree.indexOf(tree.pagesOutOfToc())), 100);
}

TEST_F(TopicTreeTest, SelectionForgetsRemovedNodes)
{
    TopicNode* a = tree.appendNode(tree.tableOfContents(), "A");
    TopicNode* a1 = tree.appendNode(a, "A1");
    TopicNode* b = tree.appendNode(tree.tableOfContents(), "B");
    tree.setSelection({a1, b, a1, nullptr});
    EXPECT_EQ(tree.selection(), (QList<TopicNode*>{a1, b}));
    QSignalSpy selectionChanged(&tree, &TopicTree::selectionChanged);
    tree.removeNode(a);
    EXPECT_EQ(tree.selection(), (QList<TopicNode*>{b}));
    EXPECT_EQ(selectionChanged.count(), 1);
    tree.clearTopics();
    EXPECT_EQ(tree.selected(), nullptr);
}

TEST_F(TopicTreeTest, DeepNestingIsWalkedAndFreedWithoutRecursion)
{
    // A damaged project file can nest topics arbitrarily deep.
    TopicNode* node = tree.tableOfContents();
    for (int depth = 0; depth < 200000; ++depth)
        node = tree.appendNode(node, "x");
    int visited = 0;
    tree.forEachNode([&visited](const TopicNode*) {
        ++visited;
        return true;
    });
    EXPECT_EQ(visited, 200003);
    tree.clearTopics();
    EXPECT_EQ(tree.topicCount(), 0);
}

} // namespace
