// Page templates: preparing a template, merging a topic page into it and
// re-basing its references for pages in other folders.
#include "MakePages.h"
#include "ReferTestSupport.h"
#include "TPageTemplate.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

using namespace OutputTest;

namespace {

TEST(PrepareTemplateTest, TurnsButtonImagesNextToTheTemplateIntoTags)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    WriteBytes(folder + "btn_prev_g.gif", "x");
    WriteBytes(folder + "btn_next_g.png", "x");
    const struct {
        const char* text;
        const char* prepared;
        const char* extension;
        bool prev, next, prevGray, nextGray;
        const char* prevTitle;
        const char* nextTitle;
    } cases[] = {
        {"<p><img src=\"btn_prev_n.gif\" alt=\"Back\"> <IMG  SRC=btn_next_n.gif></p>",
         "<p>($previmg$) ($nextimg$)</p>", ".gif", true, true, true, false, "Back", "Next"},
        // The first button fixes the extension; then only exact names count.
        {"<img src=\"btn_next_n.PNG\" alt=\"\"><img src=\"btn_prev_n.gif\"><img src=\"btn_next_n.png\">",
         "($nextimg$)<img src=\"btn_prev_n.gif\">($nextimg$)", ".png", false, true, false, true, "", "Next"},
        // An extension in capitals, as on Windows, counts for both buttons.
        {"<img src=\"btn_prev_n.GIF\"><img src=\"btn_next_n.GIF\">", "($previmg$)($nextimg$)", ".gif", true, true, true,
         false, "Previous", "Next"},
        // Not buttons: in a sub-folder, names in another case, other kinds of pictures.
        {"<img src=\"images/btn_prev_n.gif\"><img src=\"BTN_PREV_N.gif\"><img src=\"btn_next_n.bmp\">",
         "<img src=\"images/btn_prev_n.gif\"><img src=\"BTN_PREV_N.gif\"><img src=\"btn_next_n.bmp\">", "", false,
         false, false, false, "", ""},
        {"<img src=\"btn_prev_n.gif\"", "<img src=\"btn_prev_n.gif\"", "", false, false, false, false, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        WriteBytes(folder + "t.htm", c.text);
        TPrevNext PN;
        TSortedFileList copyList;
        EXPECT_EQ(PrepareTemplate(folder + "t.htm", PN, copyList), c.prepared);
        EXPECT_EQ(PN.Extension, c.extension);
        EXPECT_EQ(PN.Prev, c.prev);
        EXPECT_EQ(PN.Next, c.next);
        EXPECT_EQ(PN.Prev_Gray, c.prevGray);
        EXPECT_EQ(PN.Next_Gray, c.nextGray);
        EXPECT_EQ(PN.Prev_Title, c.prevTitle);
        EXPECT_EQ(PN.Next_Title, c.nextTitle);
        QStringList greyed;
        if (c.prevGray)
            greyed << folder + "btn_prev_g" + c.extension;
        if (c.nextGray)
            greyed << folder + "btn_next_g" + c.extension;
        EXPECT_EQ(copyList.Paths(), greyed);
    }

    TPrevNext PN;
    TSortedFileList copyList;
    EXPECT_EQ(PrepareTemplate(folder + "missing.htm", PN, copyList), "");
    EXPECT_FALSE(PN.Prev || PN.Next || PN.Prev_Gray || PN.Next_Gray);
}

TEST(MakePageTest, FramesThePageWithTheTemplate)
{
    TPrevNext PN;
    PN.Extension = ".gif";
    PN.Prev = PN.Next = true;
    PN.Next_Gray = true;
    PN.Prev_Title = "Back";
    PN.Next_Title = "Next";
    TMakePagesPara P;
    P.Title = "A & <B>";
    P.Page = "<html><head><title>old</title></head><BODY bgcolor=white><p>Text</p><img\r\n  src=\"x.gif\"></BODY></html>";
    P.Previous = "prev.htm";
    P.Nav = "<A href=\"up.htm\">Up</A> &gt; ";
    P.BeforeBody = "<script>s()</script>";
    P.AfterBody = "<p>after</p>";
    P.tempPath = "..\\";
    P.PN = &PN;
    const QString T = "<!DOCTYPE html>\r\n<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
                      "charset=gb2312\"><title>T</title><link href=\"t.css\"></head>\r\n<body class=\"t\"><h1>($TITLE$)"
                      "</h1>($Navigation$)<div>($CONTENT$)</div>($PREV$)($PrevImg$)($next$)($nextimg$)</body></html>";
    EXPECT_EQ(MakePage(T, P),
              "<!DOCTYPE html>\r\n<html><head><title>A &amp; &lt;B&gt;</title><link href=\"t.css\"></head><body class=\"t\">"
              "<script>s()</script><h1>A &amp; &lt;B&gt;</h1><A href=\"up.htm\">Up</A> &gt; <div><p>Text</p>"
              "<img src=\"x.gif\"><p>after</p></div><A href=\"prev.htm\">&lt;&lt;Previous</a><A href=\"prev.htm\" "
              "title=\"Back\"><img id=\"quorix_template_prev\" alt=\"Back\" src=\"../btn_prev_n.gif\" border=\"0\">"
              "</a><img id=\"quorix_template_next\" alt=\"Next\" src=\"../btn_next_g.gif\" border=\"0\"></body></html>");
}

TEST(MakePageTest, LinksOrGreysTheButtonsAtTheEnds)
{
    const QString T = "<html><body>($prev$)|($previmg$)|($next$)|($nextimg$)</body></html>";
    const QString prevLink = "<A href=\"a.htm\">&lt;&lt;Previous</a>";
    const QString prevButton = "<A href=\"a.htm\" title=\"Previous\"><img id=\"quorix_template_prev\" alt=\"Previous\" "
                               "src=\"btn_prev_n.png\" border=\"0\"></a>";
    const QString prevGray = "<img id=\"quorix_template_prev\" alt=\"Previous\" src=\"btn_prev_g.png\" border=\"0\">";
    const QString nextLink = "<A href=\"b.htm\">Next&gt;&gt;</a>";
    const QString nextButton = "<A href=\"b.htm\" title=\"Say &quot;next&quot;\"><img id=\"quorix_template_next\" "
                               "alt=\"Say &quot;next&quot;\" src=\"btn_next_n.png\" border=\"0\"></a>";
    const QString nextGray = "<img id=\"quorix_template_next\" alt=\"Say &quot;next&quot;\" src=\"btn_next_g.png\" "
                             "border=\"0\">";
    const struct {
        const char* previous;
        const char* next;
        bool gray;
        QString body;
    } cases[] = {
        {"a.htm", "b.htm", true, prevLink + "|" + prevButton + "|" + nextLink + "|" + nextButton},
        {"", "b.htm", true, "|" + prevGray + "|" + nextLink + "|" + nextButton},
        {"", "b.htm", false, "||" + nextLink + "|" + nextButton},
        {"a.htm", "", true, prevLink + "|" + prevButton + "||" + nextGray},
        {"", "", false, "|||"},
    };
    TPrevNext PN;
    PN.Extension = ".png";
    PN.Prev = PN.Next = true;
    PN.Prev_Title = "Previous";
    PN.Next_Title = "Say \"next\"";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.body.toStdString());
        PN.Prev_Gray = PN.Next_Gray = c.gray;
        TMakePagesPara P;
        P.Page = "<html><head><title>x</title></head><body></body></html>";
        P.Title = "x";
        P.Previous = c.previous;
        P.Next = c.next;
        P.PN = &PN;
        EXPECT_EQ(MakePage(T, P), "\r\n<html><head><title>x</title></head><body>" + c.body + "</body></html>");
    }
}

TEST(MakePageTest, KeepsThePagesDoctypeOrTakesTheTemplates)
{
    const struct {
        const char* page;
        const char* templateText;
        const char* result;
    } cases[] = {
        {"<!doctype html><html><body>x</body></html>", "<!DOCTYPE t><html><body>($content$)</body></html>",
         "<!doctype html><html><body>x</body></html>"},
        {"<html><body>x</body></html>", "<!DOCTYPE t><html><body>($content$)</body></html>",
         "<!DOCTYPE t>\r\n<html><body>x</body></html>"},
        {"<html><body>x</body></html>", "<html><body>($content$)</body></html>", "\r\n<html><body>x</body></html>"},
        // No body: the page is left as it is, but for its title.
        {"<html><head><title>old</title></head><body>x", "<html><body>($content$)</body></html>",
         "<html><head><title>New</title></head><body>x"},
        {"<html><body>x</body>", "<html><head><link href=a.css></head><p>no body</p></html>", "\r\n<html></body>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.page);
        TMakePagesPara P;
        P.Page = c.page;
        P.Title = "New";
        EXPECT_EQ(MakePage(c.templateText, P), c.result);
    }
}

// Values are put in as they are: a title that reads like a tag, or a
// "</head" inside the topic's body, does not pull anything in.
TEST(MakePageTest, DoesNotFillTagsInsideValues)
{
    TMakePagesPara P;
    P.Title = "The ($content$) tag";
    P.Page = "<html><head></head><body><script>w(\"</head>\")</script></body></html>";
    const QString T = "<html><head><style>s</style></head><body><h1>($title$)</h1>($content$)</body></html>";
    EXPECT_EQ(MakePage(T, P), "\r\n<html><head>\r\n<title>The ($content$) tag</title>\r\n<style>s</style></head>"
                              "<body><h1>The ($content$) tag</h1><script>w(\"</head>\")</script></body></html>");
}

TEST(RebaseTemplateTest, AddressesReferencesFromThePagesFolder)
{
    const QStringList pieces{"<link href=\"", "style.css", "\"><img src=\"", "img\\a.gif", "\">"};
    EXPECT_EQ(RebaseTemplate(pieces, "/p/", "/p/"), "<link href=\"style.css\"><img src=\"img/a.gif\">");
    EXPECT_EQ(RebaseTemplate(pieces, "/p/", "/p/guide/"), "<link href=\"../style.css\"><img src=\"../img/a.gif\">");
    EXPECT_EQ(RebaseTemplate(pieces, "/p/tpl/", "/p/guide"), "<link href=\"../tpl/style.css\"><img src=\"../tpl/img/a.gif\">");
    EXPECT_EQ(RebaseTemplate({"only text"}, "/p/", "/q/"), "only text");
}

class ProjectTemplateTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        CopyFolder(ReferDataFolder(), root);
        project.RootDir = root;
        contents.qrx = &project;
    }

    QTemporaryDir dir;
    QString root = dir.filePath("project") + QLatin1Char('/');
    TQrx project;
    TContents contents;
};

TEST_F(ProjectTemplateTest, RebasesTheTemplateForPagesAtEveryDepth)
{
    contents.PrepareCopyFile();
    TPageTemplate pageTemplate(contents.ExtensionList);
    pageTemplate.Load(root + "template/template.htm", contents.FileListForCopy);
    EXPECT_TRUE(contents.FileListForCopy.Contains(root + "template/btn_prev_g.gif"));
    EXPECT_TRUE(contents.FileListForCopy.Contains(root + "template/btn_next_g.gif"));

    const std::pair<const char*, QString> pages[] = {
        {"index.htm", "template/"},
        {"guide/deep/more.htm", "../../template/"},
        {"guide/intro.htm", "../template/"},
        {"guide/other.htm", "../template/"},
        {"template/inside.htm", ""},
    };
    for (const auto& [page, prefix] : pages) {
        SCOPED_TRACE(page);
        const QString text = pageTemplate.TextFor(root + page);
        EXPECT_TRUE(text.contains("href=\"" + prefix + "template.css\"")) << text.toStdString();
        EXPECT_TRUE(text.contains("url(" + prefix + "header.png)"));
        TMakePagesPara P;
        P.Page = "<html><head></head><body>x</body></html>";
        P.Previous = "p.htm";
        const QString merged = pageTemplate.Merge(root + page, P);
        EXPECT_TRUE(merged.contains("src=\"" + prefix + "btn_prev_n.gif\"")) << merged.toStdString();
        EXPECT_TRUE(merged.contains("src=\"" + prefix + "btn_next_g.gif\""));
        EXPECT_TRUE(merged.contains("<link rel=\"stylesheet\" type=\"text/css\" href=\"" + prefix + "template.css\">"));
    }
}

TEST_F(ProjectTemplateTest, FramesEveryTopicThatTakesTheTemplate)
{
    const std::vector<TopicNode*> nodes = AddTopics(project, project.tnTableOfContents, {
        {1, "Welcome", "index.htm"},
        {2, "Introduction", "guide\\intro.htm"},
        {2, "More", "guide\\deep\\more.htm"},
        {1, "Notes", "notes.htm"},
    });
    nodes[2]->entry().ApplyTemp = true;
    contents.Fill();
    contents.PrepareCopyFile();
    TPageTemplate pageTemplate(contents.ExtensionList);
    pageTemplate.Load(root + "template/template.htm", contents.FileListForCopy);

    std::map<QString, QString> pages;
    contents.MakeTemplatedPages(
        pageTemplate, [&](const TContentsItem& item, const QString& page) { pages[item.Title] = page; },
        [](const TContentsItem&, TMakePagesPara& para) { para.AfterBody = "<!--after-->"; });

    // "More" keeps its page, though it stays in the previous/next chain.
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages.count("More"), 0u);

    const QString& first = pages["Welcome"];
    EXPECT_TRUE(first.startsWith("<!DOCTYPE html>\r\n<html>")); // its own doctype
    EXPECT_TRUE(first.contains("<h1>Welcome</h1>"));
    EXPECT_TRUE(first.contains("<link rel=\"stylesheet\" href=\"style.css\">"));
    EXPECT_TRUE(first.contains("href=\"template/template.css\">\r\n</head>"));
    EXPECT_TRUE(first.contains("<img id=\"quorix_template_prev\" alt=\"Back\" src=\"template/btn_prev_g.gif\" border=\"0\">"));
    EXPECT_TRUE(first.contains("<A href=\"guide/intro.htm\" title=\"Next\"><img id=\"quorix_template_next\" alt=\"Next\" "
                               "src=\"template/btn_next_n.gif\" border=\"0\"></a>"));
    EXPECT_TRUE(first.contains("<p class=\"links\"> | <A href=\"guide/intro.htm\">Next&gt;&gt;</a></p>"));
    EXPECT_TRUE(first.contains("<div class=\"crumbs\"></div>"));
    EXPECT_TRUE(first.contains("<!--after--></div>"));

    const QString& child = pages["Introduction"];
    EXPECT_TRUE(child.startsWith("<!DOCTYPE html PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n<html>"));
    EXPECT_TRUE(child.contains("<div class=\"crumbs\"><A href=\"../index.htm\">Welcome</A> &gt; </div>"));
    EXPECT_TRUE(child.contains("<A href=\"../index.htm\" title=\"Back\"><img id=\"quorix_template_prev\" alt=\"Back\" "
                               "src=\"../template/btn_prev_n.gif\" border=\"0\"></a>"));
    EXPECT_TRUE(child.contains("<A href=\"deep/more.htm\">Next&gt;&gt;</a>"));
    EXPECT_TRUE(child.contains("href=\"../template/template.css\""));
    EXPECT_TRUE(child.contains("url(../template/header.png)"));

    const QString& last = pages["Notes"];
    EXPECT_TRUE(last.contains("<A href=\"guide/deep/more.htm\">&lt;&lt;Previous</a> | </p>"));
    EXPECT_TRUE(last.contains("<img id=\"quorix_template_next\" alt=\"Next\" src=\"template/btn_next_g.gif\" border=\"0\">"));
}

} // namespace
