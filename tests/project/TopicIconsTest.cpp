#include "TQrx.h"
#include "TopicIcons.h"

#include <gtest/gtest.h>

namespace {

struct TocIconCase {
    const char* name;
    int icon;
    int hasChild;
    bool withChildren;
    bool expanded;
    int expectedImage;
};

class TocIconTest : public testing::TestWithParam<TocIconCase> {};

TEST_P(TocIconTest, ImageFollowsIconChildrenAndExpandedState)
{
    const TocIconCase& c = GetParam();
    TQrx project;
    project.HasChild = c.hasChild;
    project.NoChild = 10;
    TLeftTreeData entry;
    entry.Icon = c.icon;
    TopicNode* node = project.Tree().appendNode(project.tnTableOfContents, "t", entry);
    if (c.withChildren)
        project.Tree().appendNode(node, "child");
    project.Tree().setExpanded(node, c.expanded);

    project.SetIcon();

    EXPECT_EQ(node->imageIndex(), c.expectedImage);
    EXPECT_EQ(node->selectedIndex(), c.expectedImage);
    EXPECT_EQ(node->entry().Kind, 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, TocIconTest,
    testing::Values(TocIconCase{"leafAutomatic", 0, 0, false, false, 10},
        TocIconCase{"leafFixed", 12, 0, false, false, 11},
        TocIconCase{"leafFirstIcon", 1, 0, false, false, 0},
        TocIconCase{"pairIconExpanded", 4, 0, true, true, 3},
        TocIconCase{"pairIconCollapsed", 4, 0, true, false, 2},
        TocIconCase{"lastPairIconExpanded", 8, 0, true, true, 7},
        TocIconCase{"singleIconWithChildren", 12, 0, true, true, 11},
        TocIconCase{"singleIconWithChildrenCollapsed", 12, 0, true, false, 11},
        TocIconCase{"automaticWithChildrenExpanded", 0, 0, true, true, 1},
        TocIconCase{"automaticOddHasChildCollapsed", 0, 5, true, false, 4},
        TocIconCase{"automaticOddHasChildExpanded", 0, 5, true, true, 5},
        TocIconCase{"hasChildOutsidePairs", 0, 9, true, true, 9},
        TocIconCase{"hasChildOutsidePairsCollapsed", 0, 9, true, false, 9}),
    [](const testing::TestParamInfo<TocIconCase>& info) { return std::string(info.param.name); });

TEST(TopicIconsTest, PagesOutOfTocAndTemplates)
{
    TQrx project;
    TopicTree& tree = project.Tree();
    TopicNode* group = tree.appendNode(project.tnUnvisiblePages, "group");
    TopicNode* page = tree.appendNode(group, "page");
    tree.setExpanded(group, true);

    TLeftTreeData both;
    both.Url = "templates\\Blue\\page.htm";
    TLeftTreeData web;
    web.Url = "templates\\Green\\page.htm";
    TopicNode* bothTemplate = tree.appendNode(project.tnTemplates, "blue", both);
    TopicNode* webTemplate = tree.appendNode(project.tnTemplates, "green", web);
    TopicNode* unsavedTemplate = tree.appendNode(project.tnTemplates, "new", TLeftTreeData{});
    TopicNode* templateChild = tree.appendNode(webTemplate, "child");
    project.HtmlHelpTemplate = "TEMPLATES\\blue\\PAGE.htm";
    project.WebHelpTemplate = "templates\\Blue\\page.htm";

    project.SetIcon();

    EXPECT_EQ(group->imageIndex(), 45);
    EXPECT_EQ(page->imageIndex(), 46);
    EXPECT_EQ(page->entry().Kind, 1);
    EXPECT_EQ(group->stateIndex(), -1);

    EXPECT_EQ(bothTemplate->imageIndex(), 52);
    EXPECT_EQ(bothTemplate->stateIndex(), 1);
    EXPECT_EQ(webTemplate->imageIndex(), 51);
    EXPECT_EQ(webTemplate->stateIndex(), 2);
    EXPECT_EQ(templateChild->entry().Kind, 2);
    // No template chosen and no Url yet: an unsaved template is not "the" template.
    project.HtmlHelpTemplate.clear();
    project.WebHelpTemplate.clear();
    project.SetIcon();
    EXPECT_EQ(unsavedTemplate->imageIndex(), 51);
    EXPECT_EQ(unsavedTemplate->stateIndex(), 2);
    EXPECT_EQ(bothTemplate->stateIndex(), 2);

    // A template moved into the table of contents loses its template mark.
    tree.moveNode(bothTemplate, project.tnTableOfContents, 0);
    project.SetIcon();
    EXPECT_EQ(bothTemplate->entry().Kind, 0);
    EXPECT_EQ(bothTemplate->stateIndex(), -1);
    EXPECT_EQ(bothTemplate->imageIndex(), 10);
}

TEST(TopicIconsTest, ExpandingSwapsPairedImagesAtOnce)
{
    struct Case {
        int image;
        bool expanded;
        int expected;
    };
    const Case cases[] = {{0, true, 1}, {1, false, 0}, {6, true, 7}, {7, true, 7}, {44, true, 45}, {45, false, 44},
        {42, true, 43}, {43, false, 42}, {43, true, 43}, {8, true, 8}, {46, true, 46}, {51, false, 51}};
    for (const Case& c : cases)
        EXPECT_EQ(ImageForExpandedState(c.image, c.expanded), c.expected) << c.image << " " << c.expanded;

    TQrx project;
    TopicNode* node = project.Tree().appendNode(project.tnTableOfContents, "t");
    project.Tree().appendNode(node, "child");
    project.SetIcon();
    EXPECT_EQ(node->imageIndex(), 0);
    project.Tree().setExpanded(node, true);
    EXPECT_EQ(node->imageIndex(), 1);
    EXPECT_TRUE(node->expanded());
    project.Tree().setExpanded(project.tnTableOfContents, true);
    EXPECT_EQ(project.tnTableOfContents->imageIndex(), 43);
}

} // namespace
