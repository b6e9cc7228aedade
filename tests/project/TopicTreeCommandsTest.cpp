#include "ProjectFileTestSupport.h"

#include "TopicTreeCommands.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace ProjectFileTest;
using namespace TopicTreeCommands;

namespace {

// A project whose tree is given as an outline: two spaces per level below a
// root, roots named by their first letter in brackets ("[T]", "[P]", "[M]").
class TreeCommands : public testing::Test {
protected:
    TQrx project;

    void build(const QStringList& lines)
    {
        std::vector<TopicNode*> path;
        for (const QString& line : lines) {
            if (line == "[T]" || line == "[P]" || line == "[M]") {
                path = {project.Tree().root(line == "[T]" ? 0 : line == "[P]" ? 1 : 2)};
                continue;
            }
            const int depth = int(line.size() - line.trimmed().size()) / 2 + 1;
            path.resize(size_t(depth));
            TLeftTreeData entry;
            entry.Url = line.trimmed() + ".htm";
            path.push_back(project.Tree().appendNode(path[size_t(depth - 1)], line.trimmed(), entry));
        }
        project.SetIcon();
        project.ProjectChanged = false;
    }

    TopicNode* find(const QString& title)
    {
        TopicNode* found = nullptr;
        project.Tree().forEachNode([&](TopicNode* node) {
            if (node->text() == title)
                found = node;
            return found == nullptr;
        });
        return found;
    }

    void select(const QStringList& titles)
    {
        QList<TopicNode*> nodes;
        for (const QString& title : titles)
            nodes.append(find(title));
        project.Tree().setSelection(nodes);
    }

    // The outline of the table of contents and pages out of TOC, selected ones marked "*".
    QStringList tree() { return outline(project); }
};

TEST_F(TreeCommands, MoveSetKeepsTopicsInTreeOrderWithoutDescendantsOrRoots)
{
    build({"[T]", "A", "  A1", "  A2", "B", "[P]", "P1"});
    select({"P1", "A1", "A", "B", "Table of contents"});
    QStringList titles;
    for (const TopicNode* node : MoveSet(project.Tree()))
        titles << node->text();
    EXPECT_EQ(titles, (QStringList{"A", "B", "P1"}));
}

TEST_F(TreeCommands, AddingTopicsByInsertMode)
{
    build({"[T]", "A", "T", "  T1", "Z", "[P]", "P1"});
    const QList<TopicNode*> added = AddNewTopics(project, 0, find("T"), InsertMode::After, 3, StatusUnsaved, "New Item");
    EXPECT_EQ(tree(), (QStringList{"Table of contents", "  A", "  T", "    T1", "  New Item*", "  New Item*",
                          "  New Item*", "  Z", "Pages out of TOC", "  P1", "Templates"}));
    QStringList numbers;
    for (const TopicNode* node : added) {
        numbers << node->entry().ContextNumber;
        EXPECT_EQ(node->entry().Status, StatusUnsaved);
        EXPECT_TRUE(node->entry().Url.isEmpty());
    }
    EXPECT_EQ(numbers, (QStringList{"1000", "1001", "1002"}));
    EXPECT_TRUE(project.ProjectChanged);

    struct Case {
        InsertMode mode;
        int page;
        QStringList expected;
    };
    const Case cases[] = {
        {InsertMode::Before, 0, {"Table of contents", "  A", "  x*", "  y*", "  T", "    T1", "  Z", "Pages out of TOC", "  P1", "Templates"}},
        {InsertMode::Child, 0, {"Table of contents", "  A", "  T", "    T1", "    x*", "    y*", "  Z", "Pages out of TOC", "  P1", "Templates"}},
        {InsertMode::End, 0, {"Table of contents", "  A", "  T", "    T1", "  Z", "  x*", "  y*", "Pages out of TOC", "  P1", "Templates"}},
        // Another page than the focused topic's: appended to that page's root.
        {InsertMode::Before, 1, {"Table of contents", "  A", "  T", "    T1", "  Z", "Pages out of TOC", "  P1", "  x*", "  y*", "Templates"}},
    };
    for (const Case& c : cases) {
        project.ClearTreeView();
        build({"[T]", "A", "T", "  T1", "Z", "[P]", "P1"});
        TNewTopic x{"x", {}};
        TNewTopic y{"y", {}};
        AddTopics(project, c.page, find("T"), c.mode, {x, y});
        EXPECT_EQ(tree(), c.expected);
    }

    // A focused root takes new topics as its last children.
    AddNewTopics(project, 2, project.tnTemplates, InsertMode::Before, 1, StatusNoLink, "New Template");
    EXPECT_EQ(project.tnTemplates->child(0)->text(), "New Template");
    EXPECT_EQ(project.tnTemplates->child(0)->imageIndex(), 51);
}

struct MoveCase {
    const char* name;
    void (*command)(TQrx&);
    QStringList selection;
    QStringList expected;
};

class MoveCommands : public TreeCommands, public testing::WithParamInterface<MoveCase> {};

TEST_P(MoveCommands, MoveTheSelectionAndKeepIt)
{
    build({"[T]", "A", "  A1", "  A2", "B", "C", "[P]", "P1", "P2"});
    select(GetParam().selection);
    GetParam().command(project);
    EXPECT_EQ(tree(), GetParam().expected);
}

const QStringList Untouched{"Table of contents", "  A", "    A1", "    A2", "  B", "  C", "Pages out of TOC",
    "  P1", "  P2", "Templates"};

INSTANTIATE_TEST_SUITE_P(Edges, MoveCommands,
    testing::Values(
        MoveCase{"upFirstStays", MoveUp, {"A"},
            {"Table of contents", "  A*", "    A1", "    A2", "  B", "  C", "Pages out of TOC", "  P1", "  P2", "Templates"}},
        MoveCase{"upBlock", MoveUp, {"B", "C"},
            {"Table of contents", "  B*", "  C*", "  A", "    A1", "    A2", "Pages out of TOC", "  P1", "  P2", "Templates"}},
        MoveCase{"downTopicWithItsChild", MoveDown, {"A", "A1"},
            {"Table of contents", "  B", "  A*", "    A1*", "    A2", "  C", "Pages out of TOC", "  P1", "  P2", "Templates"}},
        MoveCase{"downLastStays", MoveDown, {"A2"},
            {"Table of contents", "  A", "    A1", "    A2*", "  B", "  C", "Pages out of TOC", "  P1", "  P2", "Templates"}},
        MoveCase{"rightFirstChildStays", MoveRight, {"A1"},
            {"Table of contents", "  A", "    A1*", "    A2", "  B", "  C", "Pages out of TOC", "  P1", "  P2", "Templates"}},
        MoveCase{"rightLastTwoOfThree", MoveRight, {"B", "C"},
            {"Table of contents", "  A", "    A1", "    A2", "    B*", "    C*", "Pages out of TOC", "  P1", "  P2", "Templates"}},
        MoveCase{"rightUnderAnotherRoot", MoveRight, {"P2"},
            {"Table of contents", "  A", "    A1", "    A2", "  B", "  C", "Pages out of TOC", "  P1", "    P2*", "Templates"}},
        MoveCase{"leftUnderRootStays", MoveLeft, {"B"},
            {"Table of contents", "  A", "    A1", "    A2", "  B*", "  C", "Pages out of TOC", "  P1", "  P2", "Templates"}},
        MoveCase{"leftSiblingsKeepOrder", MoveLeft, {"A1", "A2"},
            {"Table of contents", "  A", "  A1*", "  A2*", "  B", "  C", "Pages out of TOC", "  P1", "  P2", "Templates"}},
        MoveCase{"leftFirstLeavesFollowingSiblings", MoveLeft, {"A1"},
            {"Table of contents", "  A", "    A2", "  A1*", "  B", "  C", "Pages out of TOC", "  P1", "  P2", "Templates"}},
        MoveCase{"rootsNeverMove", MoveDown, {"Table of contents"},
            {"Table of contents", "  A", "    A1", "    A2", "  B", "  C", "Pages out of TOC", "  P1", "  P2", "Templates"}}),
    [](const testing::TestParamInfo<MoveCase>& info) { return std::string(info.param.name); });

TEST_F(TreeCommands, MoveRightAndAddHeadingIndentsUnderANewHeading)
{
    build({"[T]", "A", "B", "C", "D"});
    select({"B", "C"});
    TopicNode* heading = MoveRightAndAddHeading(project);
    EXPECT_EQ(tree(), (QStringList{"Table of contents", "  A", "  New Item", "    B*", "    C*", "  D",
                          "Pages out of TOC", "Templates"}));
    EXPECT_EQ(heading->entry().Status, StatusNoLink);
    EXPECT_EQ(heading->entry().ContextNumber, "1000");
}

TEST_F(TreeCommands, DropsBeforeIntoAndAfterATarget)
{
    struct Case {
        const char* target;
        DragState state;
        QStringList expected;
    };
    const Case cases[] = {
        {"C", DropBefore, {"Table of contents", "  A", "    A2", "  A1*", "  B*", "  C", "Pages out of TOC", "  P1", "Templates"}},
        {"C", DropAsChild, {"Table of contents", "  A", "    A2", "  C", "    A1*", "    B*", "Pages out of TOC", "  P1", "Templates"}},
        {"A2", DropAfter, {"Table of contents", "  A", "    A2", "    A1*", "    B*", "  C", "Pages out of TOC", "  P1", "Templates"}},
        {"P1", DropAfter, {"Table of contents", "  A", "    A2", "  C", "Pages out of TOC", "  P1", "  A1*", "  B*", "Templates"}},
        {"Templates", DropBefore, {"Table of contents", "  A", "    A2", "  C", "Pages out of TOC", "  P1", "Templates", "  A1*", "  B*"}},
    };
    for (const Case& c : cases) {
        project.ClearTreeView();
        build({"[T]", "A", "  A1", "  A2", "B", "C", "[P]", "P1"});
        select({"A1", "B"});
        Drop(project, find(c.target), c.state);
        EXPECT_EQ(tree(), c.expected) << c.target;
    }
    EXPECT_EQ(find("A1")->entry().Kind, 2);

    // Onto its own descendant: nothing moves. Onto a selected node: refused.
    project.ClearTreeView();
    build({"[T]", "A", "  A1", "    A11", "B"});
    select({"A"});
    Drop(project, find("A11"), DropAsChild);
    Drop(project, find("A"), DropAfter);
    EXPECT_EQ(tree(), (QStringList{"Table of contents", "  A*", "    A1", "      A11", "  B", "Pages out of TOC", "Templates"}));
    select({"Table of contents"});
    EXPECT_FALSE(CanDrop(project.Tree(), find("B")));
}

TEST_F(TreeCommands, DragStateFollowsTheCursorWithinTheRow)
{
    const std::pair<int, DragState> cases[] = {{0, DropBefore}, {3, DropBefore}, {4, DropAsChild}, {10, DropAsChild},
        {11, DropAfter}, {17, DropAfter}, {18, DropBefore}, {21, DropBefore}, {22, DropAsChild}};
    for (const auto& [y, state] : cases)
        EXPECT_EQ(DragStateAt(y, 18, false), state) << y;
    EXPECT_EQ(DragStateAt(1, 18, true), DropAsChild);
}

TEST_F(TreeCommands, DeleteLeavesRootsAndSortOrdersByTitle)
{
    build({"[T]", "b", "  b2", "  B1", "a", "C", "  z", "  y"});
    SortChildren(project, project.tnTableOfContents, false);
    EXPECT_EQ(tree(), (QStringList{"Table of contents", "  a", "  b", "    b2", "    B1", "  C", "    z", "    y",
                          "Pages out of TOC", "Templates"}));
    SortChildren(project, project.tnTableOfContents, true);
    EXPECT_EQ(tree(), (QStringList{"Table of contents", "  a", "  b", "    B1", "    b2", "  C", "    y", "    z",
                          "Pages out of TOC", "Templates"}));

    select({"b", "Templates", "B1", "Pages out of TOC"});
    DeleteSelection(project);
    // The roots stay, selected as they were.
    EXPECT_EQ(tree(), (QStringList{"Table of contents", "  a", "  C", "    y", "    z", "Pages out of TOC*", "Templates*"}));
}

TEST_F(TreeCommands, DefaultTopicRefusesUnsavedAndHeadings)
{
    build({"[T]", "A"});
    TLeftTreeData unsaved;
    unsaved.Status = StatusUnsaved;
    TLeftTreeData heading;
    heading.Status = StatusNoLink;
    TopicNode* u = project.Tree().appendNode(project.tnTableOfContents, "u", unsaved);
    TopicNode* h = project.Tree().appendNode(project.tnTableOfContents, "h", heading);
    EXPECT_EQ(SetDefaultTopic(project, u), "Cannot set an unsaved topic as default.");
    EXPECT_EQ(SetDefaultTopic(project, h), "Cannot set a no-link topic as default.");
    EXPECT_EQ(SetDefaultTopic(project, find("A")), "");
    EXPECT_EQ(project.DefaultTopic, "A.htm");
}

TEST_F(TreeCommands, AThousandTopicsFromFilesSurviveSavingAndReading)
{
    QTemporaryDir dir;
    project.RootDir = dir.path() + "/help/";
    QDir().mkpath(dir.filePath("help/pages"));
    QDir().mkpath(dir.filePath("outside"));
    QList<TNewTopic> topics;
    for (int i = 0; i < 1000; ++i) {
        const QString file = i % 100 == 99 ? dir.filePath(QStringLiteral("outside/o%1.htm").arg(i))
                                           : dir.filePath(QStringLiteral("help/pages/p%1.htm").arg(i));
        writeBytes(file, QStringLiteral("<html><head><title>Página %1</title></head><body></body></html>").arg(i).toUtf8());
        topics.append(TopicForExistingFile(project, file, i % 2 ? TitleSource::TitleElement : TitleSource::FileName));
    }
    EXPECT_EQ(topics[1].Title, "Página 1");
    EXPECT_EQ(topics[2].Title, "p2.htm");
    EXPECT_EQ(topics[2].Entry.Url, "pages\\p2.htm");
    EXPECT_EQ(topics[99].Entry.Url, "..\\outside\\o99.htm");
    AddTopics(project, 0, project.tnTableOfContents, InsertMode::Append, topics);

    const QString file = dir.filePath("help.qrx");
    project.ProjectFilename = file;
    project.SaveToIni(file);
    TQrx reread;
    reread.ReadFromIni(file);
    EXPECT_EQ(reread.Tree().topicCount(), 1000);
    QStringList before;
    QStringList after;
    for (TopicNode* node = project.tnTableOfContents->next(); node; node = node->next())
        before << node->text() + "|" + node->entry().Url;
    for (TopicNode* node = reread.tnTableOfContents->next(); node; node = node->next())
        after << node->text() + "|" + node->entry().Url;
    EXPECT_EQ(after, before);
}

} // namespace
