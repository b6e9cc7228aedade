// The preview's page: the topic's page framed by the project's template as a
// reader will see it, its neighbours in the tree, and the external editor's
// command line.
#include "ExternalEditorCommand.h"
#include "PagePreview.h"
#include "TQrx.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

class PagePreviewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        project.RootDir = dir.path() + QLatin1Char('/');
        QDir().mkpath(dir.filePath(QStringLiteral("topics")));
        QDir().mkpath(dir.filePath(QStringLiteral("tpl/img")));
        QFile file(dir.filePath(QStringLiteral("tpl/frame.htm")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("<html><head><title>x</title></head><body><div>($navigation$)</div><h1>($title$)</h1>"
                   "<img src=\"img/logo.png\">($prev$)|($next$)<div>($content$)</div></body></html>");
        file.close();
        QFile logo(dir.filePath(QStringLiteral("tpl/img/logo.png")));
        ASSERT_TRUE(logo.open(QIODevice::WriteOnly));
        project.HtmlHelpTemplate = QStringLiteral("tpl\\frame.htm");

        TopicTree& tree = project.Tree();
        first = tree.appendNode(project.tnTableOfContents, QStringLiteral("First"), linked("first.htm"));
        TLeftTreeData heading;
        heading.Status = StatusNoLink;
        chapter = tree.appendNode(project.tnTableOfContents, QStringLiteral("Chapter <1>"), heading);
        section = tree.appendNode(chapter, QStringLiteral("Section"), linked("topics\\section.htm"));
        page = tree.appendNode(section, QStringLiteral("Page"), linked("topics\\page.htm"));
        last = tree.appendNode(project.tnTableOfContents, QStringLiteral("Last"), linked("last.htm"));
        loose = tree.appendNode(project.tnUnvisiblePages, QStringLiteral("Loose"), linked("loose.htm"));
    }

    static TLeftTreeData linked(const char* url)
    {
        TLeftTreeData entry;
        entry.Url = QString::fromLatin1(url);
        return entry;
    }
    QString preview(const TopicNode* topic, bool withTemplate = true)
    {
        const QString file = project.RootDir + QString(topic->entry().Url).replace(QLatin1Char('\\'), QLatin1Char('/'));
        return PagePreview::PreviewHtml(project, *topic, Source, file, withTemplate);
    }

    QTemporaryDir dir;
    TQrx project;
    TopicNode* first = nullptr;
    TopicNode* chapter = nullptr;
    TopicNode* section = nullptr;
    TopicNode* page = nullptr;
    TopicNode* last = nullptr;
    TopicNode* loose = nullptr;
    const QString Source = QStringLiteral(
        "<html><head><meta http-equiv=\"X-UA-Compatible\" content=\"IE=edge\"><title>t</title></head>"
        "<body><p>Body text</p></body></html>");
};

TEST_F(PagePreviewTest, ThePageIsFramedByTheTemplate)
{
    const QString html = preview(page);
    EXPECT_TRUE(html.contains(QStringLiteral("<h1>Page</h1>"))) << html.toStdString();
    EXPECT_TRUE(html.contains(QStringLiteral("<p>Body text</p>")));
    EXPECT_TRUE(html.contains(QStringLiteral("src=\"../tpl/img/logo.png\""))) << "re-addressed to the page's folder";
    EXPECT_TRUE(html.contains(QStringLiteral("<div>Chapter &lt;1&gt; &gt; <a href=\"section.htm\">Section</a> &gt; </div>")))
        << html.toStdString();
    EXPECT_TRUE(html.contains(QStringLiteral("<A href=\"section.htm\">&lt;&lt;Previous</a>|"
                                             "<A href=\"../last.htm\">Next&gt;&gt;</a>")))
        << html.toStdString();
    EXPECT_FALSE(html.contains(QStringLiteral("X-UA-Compatible")));
}

TEST_F(PagePreviewTest, ThePageAloneWhereNoTemplateApplies)
{
    struct Case {
        const char* label;
        std::function<void()> arrange;
        const TopicNode* topic;
        bool withTemplate;
    };
    TopicNode* blue = project.Tree().appendNode(project.tnTemplates, QStringLiteral("Blue"), linked("blue.htm"));
    const Case cases[] = {
        {"preview without templates", [] {}, page, false},
        {"the topic takes none", [this] { page->entry().ApplyTemp = true; }, page, true},
        {"a template itself", [] {}, blue, true},
        {"no template set", [this] { project.HtmlHelpTemplate.clear(); }, page, true},
        {"template file missing", [this] { project.HtmlHelpTemplate = QStringLiteral("gone.htm"); }, page, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        c.arrange();
        const QString html = preview(c.topic, c.withTemplate);
        EXPECT_FALSE(html.contains(QStringLiteral("<h1>")));
        EXPECT_TRUE(html.contains(QStringLiteral("<p>Body text</p>")));
        EXPECT_FALSE(html.contains(QStringLiteral("X-UA-Compatible")));
    }
}

TEST_F(PagePreviewTest, PagesOutOfTheContentsHaveNoNeighboursOrTrail)
{
    const QString html = preview(loose);
    EXPECT_TRUE(html.contains(QStringLiteral("<div></div><h1>Loose</h1>"))) << html.toStdString();
    EXPECT_TRUE(html.contains(QStringLiteral("\">|<div>"))) << "no previous or next link";
}

TEST_F(PagePreviewTest, NeighboursInTreeOrderStopAtTheRoots)
{
    using namespace PagePreview;
    EXPECT_EQ(TopicBefore(first), nullptr);
    EXPECT_EQ(TopicBefore(chapter), first);
    EXPECT_EQ(TopicBefore(last), page) << "the deepest topic of the branch before";
    EXPECT_EQ(TopicAfter(chapter), section);
    EXPECT_EQ(TopicAfter(page), last);
    EXPECT_EQ(TopicAfter(last), nullptr) << "the next root is not a topic";
    EXPECT_EQ(TopicBefore(loose), nullptr);
}

TEST(ExternalEditorCommand, TheFileIsOneQuotedArgument)
{
    const QString file = QStringLiteral("/home/a/my help/page \"1\".htm");
    struct Case {
        const char* line;
        QStringList command;
    };
    const Case cases[] = {
        {"gedit", {"gedit", file}},
        {"\"/opt/My Editor/edit\" --new", {"/opt/My Editor/edit", "--new", file}},
        {"kate \"%1\" -l 1", {"kate", file, "-l", "1"}},
        {"kate %1 -l 1", {"kate", file, "-l", "1"}},
        {"code --goto=%1", {"code", "--goto=" + file}},
        {"", {}},
        {"  ", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(ExternalEditorCommand(QString::fromUtf8(c.line), file), c.command);
    }
}

} // namespace
