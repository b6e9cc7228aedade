#include "PageFolderFixture.h"
#include "PageFiles.h"
#include "PageParts.h"
#include "Paths.h"
#include "ProgramFolder.h"
#include "QuorixError.h"
#include "TFolderPages.h"
#include "TNewProject.h"
#include "TQrx.h"
#include "TopicIcons.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// New projects without a window: the blank project with its sample tree
// and templates, and the project made from a folder of pages.
namespace {

QStringList childTitles(const TopicNode* parent)
{
    QStringList titles;
    for (int row = 0; row < parent->childCount(); ++row)
        titles << parent->child(row)->text();
    return titles;
}

const TopicNode* findUrl(const TQrx& project, const QString& url)
{
    const TopicNode* found = nullptr;
    project.Tree().forEachNode([&](const TopicNode* node) {
        if (node->entry().Url == url)
            found = node;
        return found == nullptr;
    });
    return found;
}

QByteArray bytesOf(const QString& file)
{
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

class NewProjectTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        site = dir.filePath(QStringLiteral("site"));
        PageFolderFixture::write(site);
    }

    // A project from the fixture's pages, made as the dialog makes it.
    void makeFromHtml(TPageTitleMode mode, bool keepStructure)
    {
        TNewProject request;
        request.Kind = NewFromHtmlFiles;
        request.Title = QStringLiteral("Site");
        request.Folder = site;
        request.TitleMode = mode;
        request.KeepStructure = keepStructure;
        request.Prepare([this](const QString& file) { found << file; });
        project.Clear();
        EXPECT_TRUE(request.Fill(project).isEmpty());
    }

    QTemporaryDir dir;
    QString site;
    TQrx project;
    QStringList found;
};

} // namespace

// Each title mode on pages with a title only, an h1 only, both, neither,
// and a page in GB2312.
TEST_F(NewProjectTest, TitleModes)
{
    struct Case {
        TPageTitleMode mode;
        QStringList top; // About.html, b-notes.HTM, c.htm, index.htm, 中文.htm
        QString guidePage, deepPage, referencePage;
    };
    const Case cases[] = {
        {TPageTitleMode::TitleElement, {"About us", "", "", "Welcome", "帮助主题"}, "", "Deep 01", ""},
        {TPageTitleMode::FirstHeading, {"No title", "Notes heading", "No title", "Start here", "第一章"}, "Guide 01",
         "No title", "No title"},
        {TPageTitleMode::NameWithoutExtension, {"About", "b-notes", "c", "index", "中文"}, "p01", "d01", "ref01"},
        {TPageTitleMode::FileName, {"About.html", "b-notes.HTM", "c.htm", "index.htm", "中文.htm"}, "p01.htm",
         "d01.htm", "ref01.html"},
    };
    const QStringList topPages = {"About.html", "b-notes.HTM", "c.htm", "index.htm", "中文.htm"};
    for (const Case& test : cases) {
        SCOPED_TRACE(int(test.mode));
        makeFromHtml(test.mode, true);
        for (qsizetype i = 0; i < topPages.size(); ++i) {
            const TopicNode* topic = findUrl(project, topPages[i]);
            ASSERT_NE(topic, nullptr) << topPages[i].toStdString();
            EXPECT_EQ(topic->text(), test.top[i]) << topPages[i].toStdString();
        }
        EXPECT_EQ(findUrl(project, QStringLiteral("guide\\p01.htm"))->text(), test.guidePage);
        EXPECT_EQ(findUrl(project, QStringLiteral("guide\\deep\\d01.htm"))->text(), test.deepPage);
        EXPECT_EQ(findUrl(project, QStringLiteral("Reference\\ref01.html"))->text(), test.referencePage);
    }
}

// Titles as the page routines find them in the whole page, whatever the
// markup: the listing reads only as far as the title or heading ends.
TEST_F(NewProjectTest, TitlesAsTheWholePageGivesThem)
{
    const QString tricky = dir.filePath(QStringLiteral("tricky"));
    const QByteArray pages[] = {
        "<HTML><HEAD><TITLE>Upper &amp; case</TITLE></HEAD><BODY><H1 class=x>Big</H1></BODY></HTML>",
        "<p></title></h1></p><title>After a stray end</title><h1>Late</h1>",
        "<title>Two\r\nlines</title><h1 title=\"a</h1\">Attribute</h1>",
        "<h1>Unclosed heading <title>Unclosed title",
        "<title></title><h1>   </h1>",
        "no markup at all",
    };
    int n = 0;
    for (const QByteArray& page : pages)
        PageFolderFixture::writeFile(tricky + QStringLiteral("/p%1.htm").arg(n++), page);
    for (const TPageTitleMode mode : {TPageTitleMode::TitleElement, TPageTitleMode::FirstHeading}) {
        const TFolderPages listed(tricky, true, mode);
        TQrx pagesProject;
        pagesProject.RootDir = tricky + QLatin1Char('/');
        listed.AddTo(pagesProject, pagesProject.tnTableOfContents);
        ASSERT_EQ(pagesProject.tnTableOfContents->childCount(), n);
        for (int i = 0; i < n; ++i) {
            const TopicNode* topic = pagesProject.tnTableOfContents->child(i);
            const QString html = ReadTextFile(tricky + QLatin1Char('/') + ToSlashes(topic->entry().Url));
            EXPECT_EQ(topic->text(), mode == TPageTitleMode::TitleElement ? GetTitle(html) : GetH1Title(html))
                << int(mode) << " " << topic->entry().Url.toStdString();
        }
    }
}

// Keeping the folder structure: a heading for each sub-folder that holds
// pages at any depth, entries sorted without regard to case, files and
// folders mixed.
TEST_F(NewProjectTest, KeepsTheFolderStructure)
{
    makeFromHtml(TPageTitleMode::FileName, true);
    const TopicNode* toc = project.tnTableOfContents;
    EXPECT_EQ(childTitles(toc), (QStringList{"About.html", "api", "b-notes.HTM", "c.htm", "guide", "index.htm",
                                             "Reference", "中文.htm"}))
        << "no heading for images/ and empty/, which hold no page";
    EXPECT_EQ(found.size(), PageFolderFixture::PageCount);
    EXPECT_EQ(project.Tree().topicCount(), PageFolderFixture::PageCount + 4) << "four headings";

    const TopicNode* guide = toc->child(4);
    EXPECT_EQ(guide->entry().Status, StatusNoLink);
    EXPECT_TRUE(guide->entry().Url.isEmpty());
    ASSERT_EQ(guide->childCount(), 16);
    EXPECT_EQ(guide->child(0)->text(), QStringLiteral("deep")) << "\"deep\" sorts before \"p01.htm\"";
    EXPECT_EQ(guide->child(0)->childCount(), 10);
    const TopicNode* deep = guide->child(0)->child(9);
    EXPECT_EQ(deep->entry().Url, QStringLiteral("guide\\deep\\d10.htm"));
    EXPECT_EQ(deep->entry().Status, StatusLinked);
    EXPECT_EQ(deep->entry().Icon, 0);

    // Every page once, headings and pages numbered in tree order.
    EXPECT_EQ(toc->child(0)->entry().ContextNumber, QStringLiteral("1000"));
    EXPECT_EQ(toc->child(1)->entry().ContextNumber, QStringLiteral("1001")) << "the heading api";
    EXPECT_EQ(project.RootDir, site + QLatin1Char('/'));
    EXPECT_TRUE(project.IsNew);
    EXPECT_TRUE(project.ProjectChanged);
    EXPECT_EQ(project.ProjectFilename, QStringLiteral("unnamed.qrx"));
    EXPECT_EQ(project.Tree().selected(), toc);
    EXPECT_TRUE(toc->expanded());
}

TEST_F(NewProjectTest, FlatPutsEveryPageAtTheTop)
{
    makeFromHtml(TPageTitleMode::FileName, false);
    const TopicNode* toc = project.tnTableOfContents;
    ASSERT_EQ(toc->childCount(), PageFolderFixture::PageCount);
    EXPECT_EQ(project.Tree().topicCount(), PageFolderFixture::PageCount);
    // In listing order: api's pages where "api" sorts, then b-notes.
    EXPECT_EQ(childTitles(toc).mid(0, 7),
              (QStringList{"About.html", "a1.htm", "a2.htm", "a3.htm", "a4.htm", "a5.htm", "b-notes.HTM"}));
    EXPECT_EQ(toc->child(8)->entry().Url, QStringLiteral("guide\\deep\\d01.htm"));
    EXPECT_EQ(toc->child(8)->depth(), 1);
}

// Links are followed only inside the folder and never back into a folder
// they lie in; a listing always ends.
TEST_F(NewProjectTest, SymbolicLinks)
{
    const QString outside = dir.filePath(QStringLiteral("outside"));
    PageFolderFixture::writeFile(outside + QStringLiteral("/secret.htm"), PageFolderFixture::page("Secret", {}));
    const QString root = dir.filePath(QStringLiteral("linked"));
    PageFolderFixture::writeFile(root + QStringLiteral("/a/page.htm"), PageFolderFixture::page("Page", {}));
    ASSERT_TRUE(QFile::link(root, root + QStringLiteral("/a/loop")));       // back to the root
    ASSERT_TRUE(QFile::link(root + QStringLiteral("/a"), root + QStringLiteral("/a/self"))); // to its own folder
    ASSERT_TRUE(QFile::link(outside, root + QStringLiteral("/out")));       // a folder outside
    ASSERT_TRUE(QFile::link(outside + QStringLiteral("/secret.htm"), root + QStringLiteral("/secret.htm")));
    ASSERT_TRUE(QFile::link(root + QStringLiteral("/missing"), root + QStringLiteral("/broken.htm")));
    ASSERT_TRUE(QFile::link(root + QStringLiteral("/a"), root + QStringLiteral("/b")));                  // inside
    ASSERT_TRUE(QFile::link(root + QStringLiteral("/a/page.htm"), root + QStringLiteral("/same.htm"))); // inside

    const TFolderPages pages(root, true, TPageTitleMode::TitleElement);
    TQrx linked;
    pages.AddTo(linked, linked.tnTableOfContents);
    QStringList urls;
    linked.Tree().forEachNode([&](const TopicNode* node) {
        if (!node->entry().Url.isEmpty())
            urls << node->entry().Url;
        return true;
    });
    EXPECT_EQ(urls, (QStringList{"a\\page.htm", "b\\page.htm", "same.htm"}));
    EXPECT_EQ(pages.PageCount(), 3);
}

// The blank project: its sample tree, numbered, and the two standard
// templates copied into the root folder with the project's charset.
TEST_F(NewProjectTest, BlankProject)
{
    TNewProject request;
    request.Title = QStringLiteral("New Help");
    request.Folder = dir.filePath(QStringLiteral("docs/Quorix Projects/Project1"));
    request.Prepare();
    EXPECT_TRUE(QFileInfo(request.Folder).isDir()) << "made with its parents";
    EXPECT_TRUE(request.Fill(project).isEmpty());

    const TopicNode* toc = project.tnTableOfContents;
    EXPECT_EQ(childTitles(toc), (QStringList{"New Item1", "Folder1"}));
    EXPECT_EQ(childTitles(toc->child(1)), (QStringList{"New Item2", "New Item3"}));
    const struct {
        const TopicNode* node;
        int status;
        const char* number;
    } topics[] = {{toc->child(0), StatusUnsaved, "1000"},
                  {toc->child(1), StatusNoLink, "1001"},
                  {toc->child(1)->child(0), StatusUnsaved, "1002"},
                  {toc->child(1)->child(1), StatusUnsaved, "1003"}};
    for (const auto& topic : topics) {
        EXPECT_EQ(topic.node->entry().Status, topic.status) << topic.number;
        EXPECT_EQ(topic.node->entry().ContextNumber, QString::fromLatin1(topic.number));
        EXPECT_TRUE(topic.node->entry().Url.isEmpty());
        EXPECT_FALSE(topic.node->entry().ApplyTemp);
    }
    EXPECT_TRUE(toc->child(1)->expanded()) << "the sample tree opens in full";

    const TopicNode* templates = project.tnTemplates;
    ASSERT_EQ(childTitles(templates), (QStringList{"Fixed Top", "MSN Style"}));
    EXPECT_EQ(templates->child(0)->entry().Url, QStringLiteral("template2\\fixedtop.htm"));
    EXPECT_EQ(templates->child(1)->entry().Url, QStringLiteral("template\\msn.htm"));
    EXPECT_TRUE(templates->child(0)->entry().ContextNumber.isEmpty()) << "templates get no number";
    EXPECT_EQ(templates->child(0)->stateIndex(), TopicImages::StateHtmlHelpTemplate);
    EXPECT_EQ(project.HtmlHelpTemplate, QStringLiteral("template2\\fixedtop.htm"));
    EXPECT_EQ(project.WebHelpTemplate, QStringLiteral("template2\\fixedtop.htm"));
    for (const char* page : {"template2/fixedtop.htm", "template/msn.htm"}) {
        const QByteArray html = bytesOf(QDir(request.Folder).filePath(QString::fromLatin1(page)));
        EXPECT_TRUE(html.contains("charset=UTF-8")) << page;
        EXPECT_FALSE(html.toLower().contains("($charset$)")) << page;
    }
    EXPECT_TRUE(QFile::exists(QDir(request.Folder).filePath(QStringLiteral("template2/fixedtop.css"))));

    EXPECT_EQ(project.Title, QStringLiteral("New Help"));
    EXPECT_EQ(project.RootDir, request.Folder + QLatin1Char('/'));
    EXPECT_EQ(project.CompiledFile, QStringLiteral("<Project_Folder>_output\\HTML Help\\help.chm"));
    EXPECT_EQ(project.WebHelpOutputFolder, QStringLiteral("<Project_Folder>_output\\WebHelp\\"));
    EXPECT_EQ(project.SingleHtmlOutputFolder, QStringLiteral("<Project_Folder>_output\\SingleHTML\\"));
    EXPECT_TRUE(project.IsNew);
    EXPECT_TRUE(project.ProjectChanged);
    EXPECT_EQ(project.Tree().selected(), toc);
    EXPECT_TRUE(toc->expanded());
}

// Files of the author's in the folders the templates would go to are
// never overwritten: the template goes to a fresh folder. Adding the
// templates is a change of the project.
TEST_F(NewProjectTest, StandardTemplatesOverwriteNothing)
{
    const QString root = dir.filePath(QStringLiteral("mine"));
    const QByteArray authored = "<html><body>the author's own fixed top page</body></html>";
    PageFolderFixture::writeFile(root + QStringLiteral("/template2/fixedtop.htm"), authored);
    PageFolderFixture::writeFile(root + QStringLiteral("/template/notes.htm"), "unrelated");
    project.RootDir = root + QLatin1Char('/');
    ASSERT_FALSE(project.ProjectChanged);

    EXPECT_TRUE(TNewProject::AddStandardTemplates(project, ProgramDataFolder()).isEmpty());
    EXPECT_EQ(bytesOf(root + QStringLiteral("/template2/fixedtop.htm")), authored);
    const QString fixedTop = project.tnTemplates->child(0)->entry().Url;
    EXPECT_NE(fixedTop, QStringLiteral("template2\\fixedtop.htm"));
    EXPECT_TRUE(fixedTop.endsWith(QStringLiteral("\\fixedtop.htm")));
    EXPECT_TRUE(QFile::exists(root + QLatin1Char('/') + QString(fixedTop).replace(QLatin1Char('\\'), QLatin1Char('/'))));
    EXPECT_EQ(project.HtmlHelpTemplate, fixedTop);
    // A folder with other files only is shared.
    EXPECT_EQ(project.tnTemplates->child(1)->entry().Url, QStringLiteral("template\\msn.htm"));
    EXPECT_EQ(bytesOf(root + QStringLiteral("/template/notes.htm")), QByteArray("unrelated"));
    EXPECT_TRUE(project.ProjectChanged);

    // A program folder without its templates: said, and no topic to a missing page.
    TQrx other;
    other.RootDir = root + QStringLiteral("/other/");
    const QStringList problems = TNewProject::AddStandardTemplates(other, dir.filePath(QStringLiteral("nowhere")));
    EXPECT_EQ(problems.size(), 2);
    EXPECT_TRUE(problems.value(0).contains(QStringLiteral("Fixed Top")));
    EXPECT_EQ(other.tnTemplates->childCount(), 0);
}

TEST_F(NewProjectTest, DefaultFolder)
{
    const QString documents = dir.filePath(QStringLiteral("Documents"));
    EXPECT_EQ(TNewProject::DefaultFolder(documents), documents + QStringLiteral("/Quorix Projects/Project1"));
    QDir().mkpath(documents + QStringLiteral("/Quorix Projects/Project1"));
    EXPECT_EQ(TNewProject::DefaultFolder(documents), documents + QStringLiteral("/Quorix 项目/项目2"));
    QDir().mkpath(documents + QStringLiteral("/Quorix 项目/项目2"));
    EXPECT_EQ(TNewProject::DefaultFolder(documents), documents + QStringLiteral("/Quorix 项目/项目3"));
}

// A folder that cannot be the project's is refused before anything changes.
TEST_F(NewProjectTest, FoldersRefused)
{
    PageFolderFixture::writeFile(dir.filePath(QStringLiteral("file")), "a file");
    for (const QString& folder : {QString(), QStringLiteral("relative/help"), dir.filePath(QStringLiteral("file/sub"))}) {
        TNewProject request;
        request.Title = QStringLiteral("T");
        request.Folder = folder;
        try {
            request.Prepare();
            ADD_FAILURE() << "accepted " << folder.toStdString();
        } catch (const EQuorixError& error) {
            EXPECT_FALSE(error.message().isEmpty());
            if (!folder.isEmpty()) {
                EXPECT_TRUE(error.message().contains(folder)) << error.message().toStdString();
            }
        }
    }
}

// "确定" needs a title and a folder, and the help file of an import.
TEST_F(NewProjectTest, CompleteRequests)
{
    struct Case {
        int kind;
        QString title, folder, chm, hhp;
        bool complete;
    };
    const Case cases[] = {
        {NewBlankProject, "New Help", "/p", "", "", true},
        {NewBlankProject, "  ", "/p", "", "", false},
        {NewFromHtmlFiles, "New Help", " ", "", "", false},
        {NewFromChmFile, "Help", "/p", "", "", false},
        {NewFromChmFile, "Help", "/p", "/h.chm", "", true},
        {NewFromHhpProject, "Help", "/p", "", " ", false},
        {NewFromHhpProject, "Help", "/p", "", "/h.hhp", true},
        {NewFromHhpProject, "", "/p", "", "/h.hhp", false},
    };
    for (const Case& test : cases) {
        TNewProject request;
        request.Kind = test.kind;
        request.Title = test.title;
        request.Folder = test.folder;
        request.ChmFile = test.chm;
        request.HhpFile = test.hhp;
        EXPECT_EQ(request.Complete(), test.complete) << test.kind << " " << test.title.toStdString();
    }
    EXPECT_EQ(TNewProject::FolderLabel(NewFromHtmlFiles), QStringLiteral("HTML Position:"));
    EXPECT_EQ(TNewProject::FolderLabel(NewBlankProject), QStringLiteral("Project Folder:"));
}
