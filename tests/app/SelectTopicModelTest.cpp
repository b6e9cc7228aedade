#include "TQrx.h"
#include "TSelectTopicModel.h"
#include "TopicIcons.h"

#include <gtest/gtest.h>

// The select-topic dialog's view of the project's tree: a filter over the
// one model, which it never changes.
namespace {

class SelectTopicModelTest : public ::testing::Test {
protected:
    SelectTopicModelTest()
    {
        TopicTree& tree = project.Tree();
        chapter = tree.appendNode(project.tnTableOfContents, QStringLiteral("Chapter"), heading());
        intro = tree.appendNode(chapter, QStringLiteral("Intro"), page(QStringLiteral("Intro.htm")));
        lower = tree.appendNode(chapter, QStringLiteral("intro"), page(QStringLiteral("intro.htm")));
        popup = tree.appendNode(project.tnUnvisiblePages, QStringLiteral("Popup"), page(QStringLiteral("popup.htm")));
        blue = tree.appendNode(project.tnTemplates, QStringLiteral("Blue"), page(QStringLiteral("template\\blue.htm")));
        project.SetIcon();
        tree.setExpanded(chapter, true); // open in the main tree
    }

    static TLeftTreeData page(const QString& url)
    {
        TLeftTreeData entry;
        entry.Url = url;
        return entry;
    }
    static TLeftTreeData heading()
    {
        TLeftTreeData entry;
        entry.Status = StatusNoLink;
        return entry;
    }

    TQrx project;
    TopicNode* chapter;
    TopicNode* intro;
    TopicNode* lower;
    TopicNode* popup;
    TopicNode* blue;
};

QStringList rootsShown(const TSelectTopicModel& model)
{
    QStringList roots;
    for (int row = 0; row < model.rowCount(); ++row)
        roots << model.index(row, 0).data().toString();
    return roots;
}

} // namespace

TEST_F(SelectTopicModelTest, ModesShowTopicsOrTemplates)
{
    TSelectTopicModel model(project.Tree());
    EXPECT_EQ(model.sourceModel(), &project.Tree()) << "a view of the one tree, not a copy";
    model.SetMode(TSelectTopicModel::PickTopic);
    EXPECT_EQ(rootsShown(model), (QStringList{"Table of contents", "Pages out of TOC"}));
    model.SetMode(TSelectTopicModel::PickTemplate);
    EXPECT_EQ(rootsShown(model), QStringList{"Templates"});
    model.SetMode(7);
    EXPECT_EQ(rootsShown(model), QStringList{"Templates"}) << "any mode but 1 picks a template";

    // A topic added to the project shows at once.
    project.Tree().appendNode(project.tnTemplates, QStringLiteral("Green"), page(QStringLiteral("green.htm")));
    EXPECT_EQ(model.rowCount(model.index(0, 0)), 2);
}

// The address found exactly, letter case counting, in any root shown after
// the first.
TEST_F(SelectTopicModelTest, FindsTheAddressExactly)
{
    TSelectTopicModel model(project.Tree());
    EXPECT_EQ(model.NodeAt(model.FindUrl(QStringLiteral("intro.htm"))), lower);
    EXPECT_EQ(model.NodeAt(model.FindUrl(QStringLiteral("Intro.htm"))), intro);
    EXPECT_EQ(model.NodeAt(model.FindUrl(QStringLiteral("popup.htm"))), popup);
    EXPECT_FALSE(model.FindUrl(QStringLiteral("INTRO.HTM")).isValid());
    EXPECT_FALSE(model.FindUrl(QStringLiteral("template\\blue.htm")).isValid()) << "templates are not shown";
    EXPECT_FALSE(model.FindUrl(QString()).isValid()) << "headings have no address";
    model.SetMode(TSelectTopicModel::PickTemplate);
    EXPECT_EQ(model.NodeAt(model.FindUrl(QStringLiteral("template\\blue.htm"))), blue);
}

// The dialog's branches open and close on their own, images following;
// the main tree's state and the entries stay as they are.
TEST_F(SelectTopicModelTest, ReadsWithoutChanging)
{
    TSelectTopicModel model(project.Tree());
    const QModelIndex shown = model.IndexOf(chapter);
    const int mainImage = chapter->imageIndex();
    ASSERT_EQ(mainImage, ImageForExpandedState(mainImage, true)) << "open in the main tree";
    EXPECT_EQ(shown.data(TopicTree::ImageRole).toInt(), ImageForExpandedState(mainImage, false))
        << "closed in the dialog until opened there";
    model.SetExpanded(shown, true);
    EXPECT_EQ(shown.data(TopicTree::ImageRole).toInt(), mainImage);
    model.SetExpanded(model.index(0, 0), true);
    EXPECT_EQ(model.index(0, 0).data(TopicTree::ImageRole).toInt(), TopicImages::RootOpen);
    model.SetExpanded(shown, false);
    EXPECT_TRUE(chapter->expanded());
    EXPECT_EQ(chapter->imageIndex(), mainImage);

    EXPECT_FALSE(model.flags(shown).testFlag(Qt::ItemIsEditable));
    EXPECT_FALSE(model.flags(shown).testFlag(Qt::ItemIsDragEnabled));
    EXPECT_FALSE(model.setData(shown, QStringLiteral("Renamed")));
    EXPECT_EQ(chapter->text(), QStringLiteral("Chapter"));
    EXPECT_TRUE(project.Tree().selection().isEmpty());
}
