// The rules behind the tree's window: the add-topic dialog, the popup menu
// and topic bar by selection, row colours and hints, drag feedback, link
// kinds. All run without a window.
#include "QtPrinting.h"
#include "RecordingPrompts.h"
#include "TAddTopic.h"
#include "TQrx.h"
#include "TopicBarCommands.h"
#include "TreeDragRules.h"
#include "TreeDrawingRules.h"
#include "TreeMenuRules.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

using namespace TopicTreeCommands;

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A project with a topic in each group: "A" (with child "A1") and "B" in the
// table of contents, "P" out of TOC, "M" a template.
class TreeEditingRules : public testing::Test {
protected:
    void SetUp() override
    {
        root = dir.filePath("help") + "/";
        QDir().mkpath(root);
        project.RootDir = root;
        TopicTree& tree = project.Tree();
        a = tree.appendNode(project.tnTableOfContents, "A", linked("a.htm"));
        a1 = tree.appendNode(a, "A1", linked("a1.htm"));
        b = tree.appendNode(project.tnTableOfContents, "B", linked("b.htm"));
        p = tree.appendNode(project.tnUnvisiblePages, "P", linked("p.htm"));
        m = tree.appendNode(project.tnTemplates, "M", linked("m\\m.htm"));
        project.SetIcon();
        project.ProjectChanged = false;
    }

    static TLeftTreeData linked(const QString& url)
    {
        TLeftTreeData entry;
        entry.Url = url;
        return entry;
    }

    QStringList titles(const TopicNode* parent) const
    {
        QStringList result;
        for (int row = 0; row < parent->childCount(); ++row)
            result << parent->child(row)->text();
        return result;
    }

    QTemporaryDir dir;
    QString root;
    TQrx project;
    TopicNode* a = nullptr;
    TopicNode* a1 = nullptr;
    TopicNode* b = nullptr;
    TopicNode* p = nullptr;
    TopicNode* m = nullptr;
};

// ---- the add-topic dialog ---------------------------------------------------

TEST_F(TreeEditingRules, AddTopicDialogOpensOnThePageOfTheCommand)
{
    const QStringList homeModes{"Insert end", "Insert before", "Insert after", "Insert child"};
    const QStringList otherModes{"Insert end", "Insert before", "Insert after", "Append"};
    struct Case {
        const char* name;
        int tag;
        TopicNode* focused;
        int page;
        bool enabled;
        int index;
        InsertMode mode;
    };
    const Case cases[] = {
        {"tool bar on a topic", 0, b, 0, true, 1, InsertMode::Before},
        {"tool bar on a template", 0, m, 2, true, 1, InsertMode::Before},
        {"tool bar on a root", 0, project.tnUnvisiblePages, 1, false, 3, InsertMode::Append},
        {"tool bar without selection", 0, nullptr, 0, false, 3, InsertMode::Append},
        {"before", 1, p, 1, true, 1, InsertMode::Before},
        {"after", 2, b, 0, true, 2, InsertMode::After},
        {"child", 3, m, 2, true, 3, InsertMode::Child},
        {"end", 4, a1, 0, true, 0, InsertMode::End},
        {"root of the table of contents", 10, project.tnTableOfContents, 0, false, 3, InsertMode::Append},
        {"root of the pages", 11, project.tnUnvisiblePages, 1, false, 3, InsertMode::Append},
        {"root of the templates", 12, project.tnTemplates, 2, false, 3, InsertMode::Append},
    };
    for (const Case& c : cases) {
        const TAddTopic dialog(c.tag, c.focused);
        EXPECT_EQ(dialog.Page(), c.page) << c.name;
        EXPECT_EQ(dialog.InsertModeEnabled(), c.enabled) << c.name;
        EXPECT_EQ(dialog.InsertModes(), c.enabled ? homeModes : otherModes) << c.name;
        EXPECT_EQ(dialog.InsertModeIndex(), c.index) << c.name;
        EXPECT_EQ(dialog.Mode(), c.mode) << c.name;
    }
}

TEST_F(TreeEditingRules, AddTopicPageRuleFollowsThePageShown)
{
    TAddTopic dialog(3, b); // "添加子级" on a topic of the table of contents
    dialog.SetInsertModeIndex(2);
    dialog.SetPage(TAddTopic::PageTemplates);
    EXPECT_FALSE(dialog.InsertModeEnabled());
    EXPECT_EQ(dialog.InsertModes().back(), "Append");
    EXPECT_EQ(dialog.Mode(), InsertMode::Append);
    dialog.SetInsertModeIndex(0); // the disabled list takes no choice
    EXPECT_EQ(dialog.InsertModeIndex(), 3);
    dialog.SetPage(TAddTopic::PageTableOfContents);
    EXPECT_TRUE(dialog.InsertModeEnabled());
    EXPECT_EQ(dialog.Mode(), InsertMode::After) << "the choice made on the topic's page comes back";
}

TEST_F(TreeEditingRules, AddTopicControlsByItemType)
{
    TAddTopic dialog(0, b);
    EXPECT_EQ(dialog.ItemType(), TAddTopic::NewPages);
    EXPECT_TRUE(dialog.ShowsCount());
    EXPECT_FALSE(dialog.ShowsTitleSource());
    EXPECT_EQ(dialog.NewTitle(), "New Item");
    dialog.SetItemType(TAddTopic::ExistingFiles);
    EXPECT_FALSE(dialog.ShowsCount());
    EXPECT_TRUE(dialog.ShowsTitleSource());
    EXPECT_EQ(dialog.TitleSource(), TitleSource::TitleElement);
    dialog.SetItemType(TAddTopic::Headings);
    EXPECT_TRUE(dialog.ShowsCount());
    dialog.SetCount(0);
    EXPECT_EQ(dialog.Count(), 1);
    dialog.SetCount(5000);
    EXPECT_EQ(dialog.Count(), 999);

    // The templates page keeps its own type, the built-in templates first.
    dialog.SetPage(TAddTopic::PageTemplates);
    EXPECT_EQ(dialog.ItemType(), TAddTopic::BuiltInTemplate);
    EXPECT_TRUE(dialog.ShowsCatalogue());
    EXPECT_FALSE(dialog.ShowsCount());
    EXPECT_EQ(dialog.NewTitle(), "New Template");
    dialog.SetItemType(TAddTopic::ExistingFiles);
    EXPECT_FALSE(dialog.ShowsCatalogue());
    EXPECT_EQ(dialog.TitleSource(), TitleSource::FileNameWithoutExtension);
    dialog.SetPage(TAddTopic::PagePagesOutOfToc);
    EXPECT_EQ(dialog.ItemType(), TAddTopic::Headings) << "the first two pages share their panel";
}

// Prompts that answer from lists and record what they were asked.
struct ScriptedPrompts {
    QStringList files;
    QList<std::optional<QString>> folderNames;
    bool makeDefault = false;
    QStringList asked;
    QString proposedFolder;
    QString fileFolder;

    TRecordingPrompts recorder;

    IUserPrompts& prompts()
    {
        recorder.OnChooseFiles = [this](const QString& caption, const QString& filter, const QString& folder, bool) {
            asked << caption + " / " + filter;
            fileFolder = folder;
            return files;
        };
        recorder.OnAskText = [this](const QString& caption, const QString& prompt, const QString& proposed) {
            asked << caption + " / " + prompt;
            if (proposedFolder.isEmpty())
                proposedFolder = proposed;
            return folderNames.isEmpty() ? std::nullopt : folderNames.takeFirst();
        };
        recorder.Answer = makeDefault ? IUserPrompts::Yes : IUserPrompts::No;
        return recorder;
    }
    QStringList errors() const { return recorder.Errors(); }
    QString lastQuestion() const { return recorder.Texts("Message").value(recorder.Texts("Message").size() - 1); }
};

TEST_F(TreeEditingRules, AddingNewPagesHeadingsAndFiles)
{
    ScriptedPrompts answers;
    TAddTopic dialog(2, b); // after B
    dialog.SetCount(3);
    TAddTopic::TResult result = dialog.Apply(project, b, {}, QString(), answers.prompts());
    EXPECT_EQ(titles(project.tnTableOfContents), (QStringList{"A", "B", "New Item", "New Item", "New Item"}));
    EXPECT_EQ(result.Added.size(), 3);
    EXPECT_FALSE(result.EditTitle) << "only a single new topic is renamed at once";
    EXPECT_EQ(project.Tree().selection(), result.Added);
    EXPECT_EQ(result.Added[0]->entry().Status, StatusUnsaved);
    EXPECT_NE(result.Added[0]->entry().ContextNumber, result.Added[1]->entry().ContextNumber);

    TAddTopic heading(12, project.tnTemplates);
    heading.SetItemType(TAddTopic::Headings);
    result = heading.Apply(project, project.tnTemplates, {}, QString(), answers.prompts());
    ASSERT_EQ(result.Added.size(), 1);
    EXPECT_TRUE(result.EditTitle);
    EXPECT_EQ(result.Added[0]->text(), "New Template");
    EXPECT_EQ(result.Added[0]->entry().Status, StatusNoLink);
    EXPECT_EQ(titles(project.tnTemplates), (QStringList{"M", "New Template"}));

    // Existing files, in the order chosen, titled by the source chosen.
    writeFile(root + "pages/z.htm", "<html><head><title>Zed</title></head></html>");
    writeFile(dir.filePath("elsewhere/y.html"), "<html><head><title>Why</title></head></html>");
    answers.files = {root + "pages/z.htm", dir.filePath("elsewhere/y.html")};
    TAddTopic files(11, project.tnUnvisiblePages);
    files.SetItemType(TAddTopic::ExistingFiles);
    files.SetTitleSource(TitleSource::FileName);
    result = files.Apply(project, project.tnUnvisiblePages, {}, QString(), answers.prompts());
    EXPECT_EQ(answers.asked.last(), "Select HTML files / HTML file (*.html, *.htm)|*.html;*.htm");
    EXPECT_EQ(answers.fileFolder, root);
    EXPECT_EQ(titles(project.tnUnvisiblePages), (QStringList{"P", "z.htm", "y.html"}));
    EXPECT_EQ(result.Added[0]->entry().Url, "pages\\z.htm");
    EXPECT_EQ(result.Added[1]->entry().Url, "..\\elsewhere\\y.html");
    EXPECT_FALSE(result.EditTitle);

    // A cancelled file dialog adds nothing.
    project.ProjectChanged = false;
    answers.files.clear();
    result = files.Apply(project, project.tnUnvisiblePages, {}, QString(), answers.prompts());
    EXPECT_TRUE(result.Added.isEmpty());
    EXPECT_FALSE(project.ProjectChanged);
}

class BuiltInTemplates : public TreeEditingRules {
protected:
    void SetUp() override
    {
        TreeEditingRules::SetUp();
        program = dir.filePath("program");
        writeFile(program + "/templates/templates.ini", "[Template1]\r\nName=Plain\r\nPath=plain\r\nFileName=plain.htm\r\n");
        writeFile(program + "/templates/plain/plain.htm",
            "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=($charset$)\"></head>"
            "<body>($title$) ($content$)</body></html>");
        writeFile(program + "/templates/plain/plain.css", "body {}");
        project.Encoding = "utf-8";
        catalogue = ReadTemplateCatalogue(program);
        ASSERT_EQ(catalogue.size(), 1);
    }

    QString program;
    QList<TTemplateCatalogueEntry> catalogue;
};

TEST_F(BuiltInTemplates, FolderIsAskedUntilNothingCollides)
{
    writeFile(root + "template/plain.css", "mine"); // the author's own file
    ScriptedPrompts answers;
    answers.folderNames = {QString("template"), QString("  "), QString("..\\up"), QString("style")};
    answers.makeDefault = true;
    const TAddTopic dialog(0, m); // before M
    ASSERT_EQ(dialog.ItemType(), TAddTopic::BuiltInTemplate);
    const TAddTopic::TResult result = dialog.Apply(project, m, catalogue, program, answers.prompts());

    EXPECT_EQ(answers.proposedFolder, "template1");
    EXPECT_EQ(answers.asked.first(), "Folder / Copy template to:\n" + root);
    ASSERT_EQ(answers.errors().size(), 3);
    EXPECT_EQ(answers.errors()[0], "Filename collision! Please try another folder name.");
    EXPECT_EQ(answers.lastQuestion(), "Set this template as default template?");

    ASSERT_EQ(result.Added.size(), 1);
    const TopicNode* added = result.Added[0];
    EXPECT_EQ(titles(project.tnTemplates), (QStringList{"Plain", "M"}));
    EXPECT_EQ(added->entry().Url, "style\\plain.htm");
    EXPECT_EQ(added->entry().Status, StatusLinked);
    EXPECT_TRUE(added->entry().ContextNumber.isEmpty());
    EXPECT_FALSE(result.EditTitle);
    QFile page(root + "style/plain.htm");
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    EXPECT_TRUE(page.readAll().contains("charset=utf-8"));
    EXPECT_TRUE(QFile::exists(root + "style/plain.css"));
    QFile mine(root + "template/plain.css");
    ASSERT_TRUE(mine.open(QIODevice::ReadOnly));
    EXPECT_EQ(mine.readAll(), "mine") << "nothing of the author's is overwritten";

    EXPECT_EQ(project.HtmlHelpTemplate, "style\\plain.htm");
    EXPECT_EQ(project.WebHelpTemplate, "style\\plain.htm");
    EXPECT_EQ(added->stateIndex(), 1) << "the icons show the new default template";
    EXPECT_EQ(added->imageIndex(), 52);
    EXPECT_TRUE(project.ProjectChanged);
}

TEST_F(BuiltInTemplates, CancellingTheFolderAddsNothing)
{
    ScriptedPrompts answers;
    answers.folderNames = {QString("template"), std::nullopt};
    writeFile(root + "template/plain.htm", "mine");
    const TAddTopic dialog(12, project.tnTemplates);
    const TAddTopic::TResult result = dialog.Apply(project, project.tnTemplates, catalogue, program, answers.prompts());
    EXPECT_TRUE(result.Added.isEmpty());
    EXPECT_EQ(answers.errors(), QStringList{"Filename collision! Please try another folder name."});
    EXPECT_FALSE(QFile::exists(root + "template/plain.css"));
    EXPECT_EQ(titles(project.tnTemplates), QStringList{"M"});
    EXPECT_FALSE(project.ProjectChanged);
}

// ---- popup menu and topic bar -----------------------------------------------

TEST_F(TreeEditingRules, PopupEntriesByTheFocusedNode)
{
    struct Case {
        const char* name;
        TopicNode* focused;
        bool around, toToc, page, addTemplate, remove, setDefault, useThis, useNone;
    };
    const Case cases[] = {
        {"topic", b, true, false, false, false, true, true, false, false},
        {"page out of TOC", p, true, false, false, false, true, true, false, false},
        {"template", m, true, false, false, false, true, false, true, true},
        {"templates root", project.tnTemplates, false, false, false, true, false, false, false, true},
        {"pages root", project.tnUnvisiblePages, false, false, true, false, false, false, false, false},
        {"contents root", project.tnTableOfContents, false, true, false, false, false, false, false, false},
    };
    for (const Case& c : cases) {
        const TTreePopupState state = TreePopupFor(c.focused);
        EXPECT_EQ(state.AddAround, c.around) << c.name;
        EXPECT_EQ(state.AddToToc, c.toToc) << c.name;
        EXPECT_EQ(state.AddPage, c.page) << c.name;
        EXPECT_EQ(state.AddTemplate, c.addTemplate) << c.name;
        EXPECT_EQ(state.DeleteEnabled, c.remove) << c.name;
        EXPECT_EQ(state.RenameEnabled, c.remove) << c.name << ": roots keep their names";
        EXPECT_EQ(state.SetDefaultTopic, c.setDefault) << c.name;
        EXPECT_EQ(state.UseThisTemplate, c.useThis) << c.name;
        EXPECT_EQ(state.UseNoTemplate, c.useNone) << c.name;
    }
}

TEST_F(TreeEditingRules, TopicBarBySelection)
{
    TopicTree& tree = project.Tree();
    a->entry().Icon = 5;
    b->entry().Icon = 5;
    struct Case {
        const char* name;
        QList<TopicNode*> selection;
        bool buttons, labels, fields, clear, links, picker;
        int icon;
        bool views, previousNext;
    };
    const Case cases[] = {
        {"nothing", {}, false, false, false, true, false, false, -1, true, false},
        {"one topic", {b}, true, true, true, false, true, true, 5, false, true},
        {"one page out of TOC", {p}, true, true, true, false, true, false, 0, false, false},
        {"topics sharing an icon", {b, a}, true, false, false, true, false, true, 5, true, true},
        {"topics with other icons", {b, a1}, true, false, false, true, false, true, -1, true, true},
        {"a template among them", {m, b}, true, false, false, true, false, false, -1, true, false},
        {"a root", {project.tnTemplates, b}, false, false, false, true, false, false, -1, true, false},
    };
    for (const Case& c : cases) {
        tree.setSelection(c.selection);
        const TTopicBarState state = TopicBarFor(tree);
        EXPECT_EQ(state.TreeButtonsEnabled, c.buttons) << c.name;
        EXPECT_EQ(state.LabelsNormal, c.labels) << c.name;
        EXPECT_EQ(state.FieldsEnabled, c.fields) << c.name;
        EXPECT_EQ(state.FillFields, c.fields) << c.name;
        EXPECT_EQ(state.ClearFields, c.clear) << c.name;
        EXPECT_EQ(state.LinkButtonsEnabled, c.links) << c.name;
        EXPECT_EQ(state.IconPickerEnabled, c.picker) << c.name;
        EXPECT_EQ(state.IconPickerIndex, c.icon) << c.name;
        EXPECT_EQ(state.DisableViews, c.views) << c.name;
        EXPECT_EQ(state.PreviousNextEnabled, c.previousNext) << c.name;
    }
}

TEST_F(TreeEditingRules, IconsGoToEverySelectedTopic)
{
    project.Tree().setSelection({a, b, project.tnTableOfContents});
    SetSelectedIcons(project, 12);
    EXPECT_EQ(a->entry().Icon, 12);
    EXPECT_EQ(b->entry().Icon, 12);
    EXPECT_EQ(project.tnTableOfContents->entry().Icon, 0);
    EXPECT_EQ(b->imageIndex(), 11);
    EXPECT_EQ(a->imageIndex(), 11) << "icons beyond the pairs stay in both states";
    EXPECT_TRUE(project.ProjectChanged);
}

// ---- link kinds -------------------------------------------------------------

TEST_F(TreeEditingRules, LinkKindsAskBeforeDroppingALink)
{
    QStringList asked;
    bool yes = false;
    const TAskYesNo ask = [&](const QString& question) {
        asked << question;
        return yes;
    };
    EXPECT_FALSE(LinkToBlankPage(project, *b, ask));
    EXPECT_EQ(asked, QStringList{"Are you sure to link to a blank page?"});
    EXPECT_EQ(b->entry().Url, "b.htm");
    EXPECT_FALSE(project.ProjectChanged);

    yes = true;
    EXPECT_TRUE(MakeNoLink(project, *b, ask));
    EXPECT_EQ(asked.last(), "Are you sure to make this topic no-link?");
    EXPECT_EQ(b->entry().Status, StatusNoLink);
    EXPECT_TRUE(b->entry().Url.isEmpty());
    asked.clear();
    EXPECT_TRUE(LinkToBlankPage(project, *b, ask));
    EXPECT_TRUE(asked.isEmpty()) << "a heading has no link to lose";
    EXPECT_EQ(b->entry().Status, StatusUnsaved);
    EXPECT_FALSE(LinkToBlankPage(project, *project.tnTableOfContents, ask));
}

TEST_F(TreeEditingRules, LinkToExistingPageInsideAndOutsideTheFolder)
{
    QStringList asked;
    bool yes = false;
    const TAskYesNo ask = [&](const QString& question) {
        asked << question;
        return yes;
    };
    b->entry().Status = StatusUnsaved;
    b->entry().Url.clear();

    // Cancelled: nothing changes, the project still counts as changed.
    EXPECT_FALSE(LinkToExistingPage(project, *b, QString(), ask));
    EXPECT_EQ(b->entry().Status, StatusUnsaved);
    EXPECT_TRUE(project.ProjectChanged);

    EXPECT_TRUE(LinkToExistingPage(project, *b, root + "sub/page.htm", ask));
    EXPECT_EQ(b->entry().Url, "sub\\page.htm");
    EXPECT_EQ(b->entry().Status, StatusLinked);
    EXPECT_TRUE(asked.isEmpty());

    // A folder that only starts like the root folder is outside it.
    const QString outside = dir.filePath("help2/page.htm");
    EXPECT_FALSE(LinkToExistingPage(project, *b, outside, ask));
    EXPECT_EQ(asked, QStringList{"\"" + outside + "\" is out of project folder, so it cannot be packd into chm file. Continue?"});
    EXPECT_EQ(b->entry().Url, "sub\\page.htm");
    yes = true;
    EXPECT_TRUE(LinkToExistingPage(project, *b, outside, ask));
    EXPECT_EQ(b->entry().Url, outside);
    EXPECT_EQ(b->entry().Status, StatusLinked);
}

// ---- drawing and dragging -----------------------------------------------------

TEST_F(TreeEditingRules, RowColoursLaterRulesWin)
{
    project.DefaultTopic = "B.HTM";
    m->entry().Url = "b.htm"; // a template never shows as the default topic
    struct Case {
        const char* name;
        const TopicNode* node;
        bool selected;
        TDropMark drop;
        TRowColours colours;
        bool bold;
    };
    const Case cases[] = {
        {"plain topic", a, false, {}, TRowColours::Plain, false},
        {"selected topic", a, true, {}, TRowColours::Selected, false},
        {"root", project.tnTableOfContents, false, {}, TRowColours::Plain, true},
        {"selected root", project.tnTableOfContents, true, {}, TRowColours::Selected, true},
        {"root as drop target", project.tnUnvisiblePages, false, {project.tnUnvisiblePages, true},
            TRowColours::DropHighlight, true},
        {"default topic", b, false, {}, TRowColours::DefaultTopic, false},
        {"selected default topic", b, true, {}, TRowColours::DefaultTopic, false},
        {"template with the default's Url", m, false, {}, TRowColours::Plain, false},
        {"default topic as drop target", b, false, {b, true}, TRowColours::DropHighlight, false},
        {"drop before a topic", a, false, {a, false}, TRowColours::DropLine, false},
        {"drop after the default topic", b, false, {b, false}, TRowColours::DropLine, false},
        {"another node is the target", a, false, {b, true}, TRowColours::Plain, false},
    };
    for (const Case& c : cases) {
        const TRowPaint paint = RowPaintFor(project, *c.node, c.selected, c.drop);
        EXPECT_EQ(paint.Colours, c.colours) << c.name;
        EXPECT_EQ(paint.Bold, c.bold) << c.name;
    }
    project.DefaultTopic = "  ";
    b->entry().Url = "  ";
    EXPECT_EQ(RowPaintFor(project, *b, false, {}).Colours, TRowColours::Plain) << "a blank default topic marks nothing";
}

TEST(TreeDrawing, HintsOverTemplates)
{
    EXPECT_EQ(TemplateHint(1, 52), "For HTML Help and Web Help");
    EXPECT_EQ(TemplateHint(1, 51), "For HTML Help");
    EXPECT_EQ(TemplateHint(2, 52), "For Web Help");
    EXPECT_EQ(TemplateHint(2, 51), "");
    EXPECT_EQ(TemplateHint(-1, 10), "");
}

TEST(TreeDragging, ModeNamesMarkerAndScrollZones)
{
    EXPECT_EQ(DragModeName(DropBefore), "Insert Before");
    EXPECT_EQ(DragModeName(DropAsChild), "Insert As a Child");
    EXPECT_EQ(DragModeName(DropAfter), "Insert After");

    const QRect row(0, 40, 200, 20);
    EXPECT_EQ(DropMarkerRect(DropBefore, row, 2, 19, 0), QRect(41, 39, 32, 2));
    EXPECT_EQ(DropMarkerRect(DropAfter, row, 1, 19, 10), QRect(12, 59, 32, 2));
    EXPECT_TRUE(DropMarkerRect(DropAsChild, row, 1, 19, 0).isEmpty());

    const QSize viewport(200, 300);
    struct Case {
        QPoint cursor;
        TScrollDirection direction;
    };
    const Case cases[] = {
        {{100, 150}, TScrollDirection::None},
        {{100, 260}, TScrollDirection::Down},
        {{100, 259}, TScrollDirection::None},
        {{100, 23}, TScrollDirection::Up},
        {{100, 24}, TScrollDirection::None},
        {{39, 150}, TScrollDirection::Left},
        {{40, 150}, TScrollDirection::None},
        {{177, 150}, TScrollDirection::Right},
        {{176, 150}, TScrollDirection::None},
        {{5, 5}, TScrollDirection::Up},       // the vertical zones win
        {{195, 295}, TScrollDirection::Down},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AutoScrollAt(c.cursor, viewport), c.direction) << c.cursor.x() << "," << c.cursor.y();
}

} // namespace
