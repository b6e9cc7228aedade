// Finding the files that pages refer to, and the copy list of an output.
#include "MakePages.h"
#include "ReferTestSupport.h"
#include "TExtensionList.h"
#include "THTMLRefer.h"
#include "TPageTemplate.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace OutputTest;

namespace {

class THTMLReferTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        for (const char* name : {"a.gif", "b.png", "page2.htm", "sub/c.css", "my pic.gif", "x.svg"})
            WriteBytes(folder + name, "x");
        // .svg files exist, but the project is taken to hold none.
        for (const char* extension : {".gif", ".PNG", ".htm", ".css", ".gif"})
            extensions.Add(extension);
    }

    QTemporaryDir dir;
    QString folder = dir.path() + QLatin1Char('/');
    TExtensionList extensions;
};

struct ReferCase {
    const char* text;
    QStringList files;
};

TEST_F(THTMLReferTest, CollectsExistingFilesBetweenDelimiters)
{
    EXPECT_EQ(extensions.Items(), (QStringList{".css", ".gif", ".htm", ".png"}));
    const ReferCase cases[] = {
        {"<img src=\"a.gif\">", {"a.gif"}},
        {"<img src='a.gif'>", {"a.gif"}},
        {"<img src=a.gif>", {"a.gif"}},
        {"<img src=a.gif alt=x>", {"a.gif"}},
        {"body { background: url(b.png) }", {"b.png"}},
        {"url('b.png') url(\"a.gif\")", {"a.gif", "b.png"}},
        {"<a href=\"page2.htm#x\">", {"page2.htm"}},
        {"<a href=\"page2.htm?q=1\">", {"page2.htm"}},
        {"<img src=\"sub/../a.gif\"><img src=\"A.GIF\">", {"a.gif"}},
        {"<link href=\"sub\\c.css\">", {"sub/c.css"}},
        {"<img src=\"my%20pic.gif\">", {"my pic.gif"}},
        // Not references: running text, addresses, drives, absolute paths,
        // missing files and extensions no project file has.
        {"<p>See page2.htm for more.</p>", {}},
        {"<a href=\"http://host/page2.htm\">", {}},
        {"<img src=\"C:\\pics\\a.gif\">", {}},
        {"<img src=\"/a.gif\">", {}},
        {"<img src=\"missing.gif\">", {}},
        {"<img src=\"x.svg\">", {}},
        {"<img src=\"a.gif", {}},
    };
    for (const ReferCase& c : cases) {
        SCOPED_TRACE(c.text);
        WriteBytes(folder + "page.htm", c.text);
        QStringList found;
        THTMLRefer(extensions).GetFiles(folder + "page.htm", found);
        ASSERT_FALSE(found.isEmpty());
        EXPECT_EQ(found.takeFirst(), folder + "page.htm");
        EXPECT_EQ(RelativeTo(folder, found), c.files);
    }
}

TEST_F(THTMLReferTest, CutsATemplateIntoLiteralsAndReferences)
{
    const struct {
        const char* text;
        QStringList pieces;
    } cases[] = {
        {"no references here", {"no references here"}},
        {"", {""}},
        {"<link href=\"sub/c.css\"><img src=a.gif>", {"<link href=\"", "sub/c.css", "\"><img src=", "a.gif", ">"}},
        {"<a href=\"page2.htm#x\">", {"<a href=\"", "page2.htm", "#x\">"}},
        // The text's own case is kept; the file is found without case.
        {"url(b.png) url('B.PNG')", {"url(", "b.png", ") url('", "B.PNG", "')"}},
        {"<img src=\"a.gif\" alt=\"a.gif\">", {"<img src=\"", "a.gif", "\" alt=\"", "a.gif", "\">"}},
        {"see a.gif now", {"see a.gif now"}},
        {"<img src=\"missing.gif\">", {"<img src=\"missing.gif\">"}},
        {"<img src=\"x.svg\">", {"<img src=\"x.svg\">"}},
        {"<img src=\"/a.gif\"><a href=\"http://h/page2.htm\">", {"<img src=\"/a.gif\"><a href=\"http://h/page2.htm\">"}},
    };
    THTMLRefer refer(extensions);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        QStringList pieces{"left over"};
        refer.GetTemplate(c.text, folder, pieces);
        EXPECT_EQ(pieces, c.pieces);
        EXPECT_EQ(refer.count(), (pieces.size() - 1) / 2);
    }
}

class ReferProjectTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        CopyFolder(ReferDataFolder(), root);
        project.RootDir = root;
        contents.qrx = &project;
        contents.FOnInfo = [this](TThcObject*, const QString& info) { infos << info; };
        AddTopics(project, project.tnTableOfContents, {
            {1, "Welcome", "index.htm"},
            {2, "Introduction", "guide\\intro.htm"},
            {2, "More", "guide\\deep\\more.htm"},
            {1, "Heading", "", StatusNoLink},
            {1, "Gone", "gone.htm"},
        });
        AddTopics(project, project.tnUnvisiblePages, {{1, "Hidden", "hidden.htm"}});
        AddTopics(project, project.tnTemplates, {{1, "Template", "template\\template.htm"}});
    }

    QStringList copied() const { return RelativeTo(root, contents.FileListForCopy.Paths()); }

    QTemporaryDir dir;
    QString root = dir.filePath("project") + QLatin1Char('/');
    TQrx project;
    TContents contents;
    QStringList infos;
};

const QStringList PagesAndWhatTheyUse{
    "guide/deep/chart.png", "guide/deep/more.htm", "guide/intro.htm", "guide/pic.png", "hidden.htm",
    "images/Banner.png", "images/bg.png", "images/logo.gif", "images/print.gif", "images/spinner.gif",
    "index.htm", "print.css", "scripts/app.js", "style.css",
};

TEST_F(ReferProjectTest, CollectsEveryFileThePagesUseOnce)
{
    contents.Fill();
    contents.PrepareCopyFile();
    EXPECT_EQ(contents.ExtensionList.Items(), (QStringList{".css", ".gif", ".htm", ".js", ".png"}));
    // Style sheets and scripts are followed (print.css, bg.png, spinner.gif);
    // pages refer to each other in a cycle; "IMAGES/banner.PNG" names
    // images/Banner.png. Unused pictures, a page named in running text and
    // the template stay out.
    EXPECT_EQ(copied(), PagesAndWhatTheyUse);
    // Only the topic whose page is gone is worth a word.
    EXPECT_EQ(infos, QStringList{"Warning: The page \"gone.htm\" of the topic \"Gone\" does not exist."});

    // A second build starts afresh.
    contents.GetAllRefers(root + "start.htm");
    contents.PrepareCopyFile();
    EXPECT_EQ(copied(), PagesAndWhatTheyUse);
}

TEST_F(ReferProjectTest, AddsEachOutputsTemplateAndDefaultTopic)
{
    project.HtmlHelpTemplate = "template\\template.htm";
    project.DefaultTopic = "start.htm#top";
    project.WebHelpTemplateSame = false;
    project.WebHelpTemplate = "template\\web.htm";
    contents.Fill();

    contents.PrepareCopyFile();
    contents.PrepareCopyFileForCHM();
    // The template's style sheet, pictures and buttons, not the template.
    EXPECT_EQ(copied(), SortedNoCase(PagesAndWhatTheyUse + QStringList{
        "images/start.png", "start.htm", "template/btn_next_n.gif", "template/btn_prev_n.gif",
        "template/header.png", "template/template.css"}));

    contents.PrepareCopyFile();
    contents.PrepareCopyFileForWebHelp();
    EXPECT_EQ(copied(), SortedNoCase(PagesAndWhatTheyUse + QStringList{
        "images/start.png", "start.htm", "template/web.css"}));

    project.WebHelpTemplateSame = true;
    project.WebHelpDefaultSame = false;
    project.WebHelpDefault = "notes.htm";
    contents.PrepareCopyFile();
    contents.PrepareCopyFileForWebHelp();
    EXPECT_EQ(copied(), SortedNoCase(PagesAndWhatTheyUse + QStringList{
        "notes.htm", "template/btn_next_n.gif", "template/btn_prev_n.gif", "template/header.png",
        "template/template.css"}));

    // The single file holds the table-of-contents pages; the rest stays.
    contents.PrepareCopyFile();
    contents.PrepareCopyFileForSingleHtml();
    QStringList expected = PagesAndWhatTheyUse;
    for (const char* page : {"index.htm", "guide/intro.htm", "guide/deep/more.htm"})
        expected.removeOne(page);
    EXPECT_EQ(copied(), expected);
}

TEST_F(ReferProjectTest, NeverCopiesAFileFromOutsideTheProject)
{
    const QString outside = dir.path() + QLatin1Char('/');
    WriteBytes(outside + "secret.css", "p { background: url(secret.png) }");
    WriteBytes(outside + "secret.png", "x");
    WriteBytes(outside + "shared/shared.css", "x");
    // Outside pages that would lead back in: they are not followed.
    WriteBytes(outside + "outside.htm", "<a href=\"project/start.htm\">");
    WriteBytes(outside + "tpl/t.htm", "<img src=\"btn_prev_n.gif\"><a href=\"../project/notes.htm\">");
    WriteBytes(outside + "tpl/btn_prev_g.gif", "x");
    ASSERT_TRUE(QFile::link(outside + "secret.png", root + "images/linked.png"));
    ASSERT_TRUE(QFile::link(outside + "shared", root + "shared"));
    // A link that stays inside the project is fine.
    ASSERT_TRUE(QFile::link("logo.gif", root + "images/alias.gif"));
    WriteBytes(root + "escape.htm",
               "<link href=\"../secret.css\"><link href=\"../../../../../../.." + outside.toUtf8() + "secret.css\">"
               "<img src=\"images/linked.png\"><link href=\"shared/shared.css\"><img src=\"images/alias.gif\">"
               "<a href=\"../outside.htm\">");

    project.Tree().clearTopics();
    AddTopics(project, project.tnTableOfContents, {
        {1, "Escape", "escape.htm"},
        {1, "Up", "..\\outside.htm"},
        {1, "Absolute", outside + "outside.htm"},
    });
    project.HtmlHelpTemplate = "../tpl/t.htm";
    project.DefaultTopic = outside + "outside.htm";
    contents.Fill();
    contents.PrepareCopyFile();
    contents.PrepareCopyFileForCHM();

    EXPECT_EQ(copied(), (QStringList{"escape.htm", "images/alias.gif"}));
    EXPECT_EQ(infos, (QStringList{
        "Not copied: \"" + outside + "outside.htm\" lies outside the project folder.",
        "Not copied: \"" + root + "images/linked.png\" lies outside the project folder.",
        "Not copied: \"" + root + "shared/shared.css\" lies outside the project folder.",
        "Not copied: \"" + outside + "secret.css\" lies outside the project folder.",
        "Not copied: \"" + outside + "tpl/t.htm\" lies outside the project folder.",
    }));

    // Nor is a page outside the project framed by the template: an output
    // would write it back where it came from.
    TPageTemplate pageTemplate(contents.ExtensionList);
    pageTemplate.Load(root + "template/template.htm", contents.FileListForCopy);
    QStringList framed;
    contents.MakeTemplatedPages(pageTemplate, [&](const TContentsItem& item, const QString&) { framed << item.Title; });
    EXPECT_EQ(framed, QStringList{"Escape"});

    // A template outside the project brings no greyed button with it.
    TPrevNext buttons;
    PrepareTemplate(outside + "tpl/t.htm", buttons, contents.FileListForCopy);
    EXPECT_TRUE(buttons.Prev);
    EXPECT_FALSE(buttons.Prev_Gray);
    EXPECT_EQ(copied(), (QStringList{"escape.htm", "images/alias.gif", "template/btn_next_g.gif",
                                     "template/btn_prev_g.gif"}));
}

TEST(TExtensionListTest, ScansEveryFolderInLowerCase)
{
    QTemporaryDir dir;
    const QString root = dir.path() + QLatin1Char('/');
    for (const char* name : {"a.HTM", "sub/b.Gif", "sub/deeper/c.tar.gz", "sub/.hidden/d.css", "README"})
        WriteBytes(root + name, "x");
    TExtensionList list;
    list.Add(".js");
    list.ScanProjectExtensions(root);
    EXPECT_EQ(list.Items(), (QStringList{"", ".css", ".gif", ".gz", ".htm", ".js"}));
    EXPECT_TRUE(list.Contains(u".GIF"));
    EXPECT_FALSE(list.Contains(u".tar.gz"));
}

} // namespace
