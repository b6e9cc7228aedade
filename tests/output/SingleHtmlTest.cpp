// The single HTML output: headings and the table of contents, links between
// topics turned into links inside the file, and the build that writes it.
#include "OutputTestSupport.h"
#include "ProgramFolder.h"
#include "QtPrinting.h"
#include "QuorixError.h"
#include "TSingleHtmlBuild.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace OutputTest;

namespace {

class SingleHtmlTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        project.RootDir = root;
        project.Title = QStringLiteral("Guide");
        project.Encoding = QStringLiteral("utf-8");
        project.SingleHtmlOutputFolder = QStringLiteral("<Project_Folder>_output\\SingleHTML");
        project.SingleHtmlFilename = QStringLiteral("all.htm");
        project.ViewCompiledFile = false;
        contents.qrx = &project;
        contents.CDir = dir.filePath("program") + QLatin1Char('/');
        contents.FOnInfo = [this](TThcObject*, const QString& info) { infos << info; };
        const QString frame = QStringLiteral("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
                                             "charset=($Charset$)\"><title>($PROJECTTITLE$)</title></head>"
                                             "<body>[%1]($allcontent$)</body></html>");
        WriteBytes(contents.CDir + "singleb.htm", frame.arg("toc").toUtf8());
        WriteBytes(contents.CDir + "singlehtml.htm", frame.arg("plain").toUtf8());
    }

    void fill(const std::vector<Topic>& topics)
    {
        AddTopics(project, project.tnTableOfContents, topics);
        contents.Fill();
    }

    // The body text generated for each topic, one entry per topic (its
    // heading line first), lines joined with "|".
    QStringList topicBlocks()
    {
        const QString html = contents.MakeSingleHtml();
        EXPECT_TRUE(html.endsWith("\r\n"));
        QStringList blocks;
        for (const QString& line : html.split("\r\n", Qt::SkipEmptyParts)) {
            if (line.startsWith("<a name=\"A") || blocks.isEmpty())
                blocks << line;
            else
                blocks.last() += "|" + line;
        }
        return blocks;
    }

    TSingleHtmlBuild build()
    {
        TSingleHtmlBuild single(
            project, contents, [this](const QString& line) { log << line; },
            [this](const QString& message) { errors << message; });
        single.OnShowResult = [this](const QString& file) { shown << file; };
        return single;
    }

    QString outputFolder() const { return dir.filePath("project_output/SingleHTML/"); }
    // The written file's text, without the byte-order mark of UTF-8.
    static QString readOutput(const QString& file)
    {
        QString text = QString::fromUtf8(ReadBytes(file));
        if (text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
        return text;
    }

    QTemporaryDir dir;
    QString root = dir.filePath("project") + QLatin1Char('/');
    TQrx project;
    TContents contents;
    QStringList infos;
    QStringList log;
    QStringList errors;
    QStringList shown;
};

TEST_F(SingleHtmlTest, NumbersHeadingsByLevelAndListsThemInTheTableOfContents)
{
    WritePage(root, "a.htm", "A");
    fill({{1, "Intro", "a.htm"},
          {2, "Setup & <tools>", "a.htm"},
          {3, "Deep", "", StatusNoLink},
          {4, "4", "", StatusNoLink},
          {5, "5", "", StatusNoLink},
          {6, "6", "", StatusNoLink},
          {7, "Seven", "", StatusNoLink},
          {1, "Next", "", StatusNoLink}});

    const QStringList blocks = topicBlocks();
    ASSERT_EQ(blocks.size(), 8);
    EXPECT_EQ(blocks[0], "<a name=\"A0\"></a><h1>1. Intro</h1>|<p>A</p>");
    // Titles are text, not markup.
    EXPECT_EQ(blocks[1], "<a name=\"A1\"></a><h2>1.1 Setup &amp; &lt;tools&gt;</h2>|<p>A</p>");
    EXPECT_EQ(blocks[2], "<a name=\"A2\"></a><h3>1.1.1 Deep</h3>");
    // HTML stops at h6.
    EXPECT_EQ(blocks[6], "<a name=\"A6\"></a><h6>1.1.1.1.1.1.1 Seven</h6>");
    EXPECT_EQ(blocks[7], "<a name=\"A7\"></a><h1>2. Next</h1>");
    EXPECT_EQ(infos, (QStringList{"a.htm", "a.htm"}));

    const QString toc = contents.MakeSingleHtmlTOC();
    EXPECT_TRUE(toc.startsWith("<div class=\"toc\"><a name=\"toc\"></a>\r\n1. <a href=\"#A0\">Intro</a><BR>\r\n"
                               "&nbsp;&nbsp;&nbsp;&nbsp;1.1 <a href=\"#A1\">Setup &amp; &lt;tools&gt;</a><BR>\r\n"
                               "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;1.1.1 <a href=\"#A2\">Deep</a><BR>\r\n"))
        << toc.toStdString();
    EXPECT_TRUE(toc.endsWith("2. <a href=\"#A7\">Next</a><BR>\r\n</div>"));
}

TEST_F(SingleHtmlTest, TurnsLinksToTopicsIntoLinksInsideTheFile)
{
    WriteBytes(root + "intro.htm", "<html><body><a name=\"setup\"></a>Intro</body></html>");
    WriteBytes(root + "other.htm", "<html><body>not in the contents</body></html>");
    WriteBytes(root + "pic.gif", "GIF89a");
    WriteBytes(root + "guide/pic.gif", "GIF89a");
    WriteBytes(root + "a.htm", "<html><head><style>p{}</style></head><body>"
                               "<a href=\"intro.htm#setup\">1</a> <a href=\"intro.htm\">2</a> "
                               "<a href=\"INTRO.HTM\">3</a> <a href=\"other.htm\">4</a> <img src=\"pic.gif\">"
                               "</body></html>");
    WriteBytes(root + "guide/b.htm", "<html><body><a href=\"../intro.htm\">1</a> "
                                     "<a href='../intro.htm#setup'>2</a> <img src=\"pic.gif\"> "
                                     "<a href=\"../other.htm\">3</a></body></html>");
    fill({{1, "A", "a.htm"}, {1, "Intro", "intro.htm"}, {1, "Intro again", "intro.htm"}, {1, "B", "guide\\b.htm"}});
    contents.PrepareCopyFile();

    const QStringList blocks = topicBlocks();
    ASSERT_EQ(blocks.size(), 4);
    // Two topics share intro.htm: links go to the first of them.
    EXPECT_EQ(blocks[0], "<a name=\"A0\"></a><h1>1. A</h1>|<style>p{}</style>|<a href=\"#setup\">1</a> "
                         "<a href=\"#A1\">2</a> <a href=\"#A1\">3</a> <a href=\"other.htm\">4</a> "
                         "<img src=\"pic.gif\">");
    // A page in a sub-folder is addressed from the project folder first.
    EXPECT_EQ(blocks[3], "<a name=\"A3\"></a><h1>4. B</h1>|<a href=\"#A1\">1</a> <a href='#setup'>2</a> "
                         "<img src=\"guide/pic.gif\"> <a href=\"other.htm\">3</a>");
    // Text without references, and a project without pages to point at.
    EXPECT_EQ(contents.ChangeLinkForSingleHtml("plain intro.htm text"), "plain intro.htm text");
    EXPECT_EQ(contents.ChangeLinkForSingleHtml("<a href=\"guide\\b.htm\">"), "<a href=\"#A3\">");
}

TEST_F(SingleHtmlTest, WritesUnsavedTopicsWordPagesAndTopLinks)
{
    project.DefaultTemplate = true;
    WriteBytes(contents.CDir + "new.htm", "<html><body><p>new</p></body></html>");
    WriteBytes(root + "intro.htm", "<html><body>Intro</body></html>");
    WriteBytes(root + "word.htm", "<html><head><meta name=ProgId content=Word.Document>"
                                  "<style>a{background:url(intro.htm)}</style></head>"
                                  "<body><a href=\"intro.htm\">x</a></body></html>");
    fill({{1, "Intro", "intro.htm"},
          {1, "New", "", StatusUnsaved},
          {1, "Heading", "", StatusNoLink},
          {1, "Missing", "missing.htm"},
          {1, "Word", "word.htm"}});
    const QString top = "<p align=\"right\" class=\"back\">[<a href=\"#toc\">TOP</a>]</p>";

    for (const bool withToc : {false, true}) {
        SCOPED_TRACE(withToc);
        project.SingleHtmlHasToc = withToc;
        const QString after = withToc ? "|" + top : QString();
        const QStringList blocks = topicBlocks();
        ASSERT_EQ(blocks.size(), 5);
        EXPECT_EQ(blocks[0], "<a name=\"A0\"></a><h1>1. Intro</h1>|Intro" + after);
        EXPECT_EQ(blocks[1], "<a name=\"A1\"></a><h1>2. New</h1>|New Topic.");
        EXPECT_EQ(blocks[2], "<a name=\"A2\"></a><h1>3. Heading</h1>");
        EXPECT_EQ(blocks[3], "<a name=\"A3\"></a><h1>4. Missing</h1>");
        // A Word page's styles stand on their own line, untouched.
        EXPECT_EQ(blocks[4], "<a name=\"A4\"></a><h1>5. Word</h1>|<style>a{background:url(intro.htm)}</style>|"
                             "<a href=\"#A0\">x</a>" + after);
    }
}

TEST_F(SingleHtmlTest, BuildsTheFileWithItsPicturesBesideIt)
{
    WriteBytes(root + "images/p.png", "PNG");
    WriteBytes(root + "a.htm", "<html><body><h2>($CHARSET$)</h2><img src=\"images/p.png\">"
                               "<a href=\"b.htm\">b</a></body></html>");
    WriteBytes(root + "b.htm", "<html><body>B</body></html>");
    WriteBytes(outputFolder() + "old/stale.htm", "from an earlier build");
    project.Title = QStringLiteral("R&D <guide>");
    project.SingleHtmlHasToc = true;
    project.ViewCompiledFile = true;
    fill({{1, "A", "a.htm"}, {2, "B", "b.htm"}});

    TSingleHtmlBuild single = build();
    ASSERT_TRUE(single.Run());
    EXPECT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
    const QString file = outputFolder() + "all.htm";
    EXPECT_EQ(single.OutputFile, file);
    EXPECT_EQ(shown, QStringList{file});
    EXPECT_EQ(log, (QStringList{"", "Creating SingleHTML file...", "Preparing files...", "Creating page...",
                                "Output files...", "", "Filename: " + file}));

    const QString html = readOutput(file);
    EXPECT_TRUE(html.startsWith("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">"
                                "<title>R&amp;D &lt;guide&gt;</title></head><body>[toc]<div class=\"toc\">"))
        << html.toStdString();
    // A placeholder written in a page is the author's text.
    EXPECT_TRUE(html.contains("<h2>($CHARSET$)</h2><img src=\"images/p.png\"><a href=\"#A1\">b</a>"));
    EXPECT_TRUE(html.endsWith("</body></html>"));
    // Pictures are copied; the topic pages are in the file; the folder was emptied.
    EXPECT_EQ(ReadBytes(outputFolder() + "images/p.png"), "PNG");
    EXPECT_FALSE(QFileInfo::exists(outputFolder() + "a.htm"));
    EXPECT_FALSE(QFileInfo::exists(outputFolder() + "old"));

    // Without a table of contents: the other frame, no TOP links.
    project.SingleHtmlHasToc = false;
    project.ViewCompiledFile = false;
    shown.clear();
    ASSERT_TRUE(build().Run());
    const QString plain = readOutput(file);
    EXPECT_TRUE(plain.contains("<body>[plain]<a name=\"A0\"></a><h1>1. A</h1>"));
    EXPECT_FALSE(plain.contains("TOP"));
    EXPECT_TRUE(shown.isEmpty());
}

TEST_F(SingleHtmlTest, ReportsWhatKeepsItFromWriting)
{
    WritePage(root, "a.htm", "A");

    // An empty table of contents.
    ASSERT_FALSE(build().Run());
    EXPECT_EQ(errors, QStringList{"Cannot create single html! Because there is no any item in Table of Contents."});
    EXPECT_TRUE(log.isEmpty());

    // A missing template or one without a place for the content.
    fill({{1, "A", "a.htm"}});
    for (const QByteArray& frame : {QByteArray(), QByteArray("<html><body></body></html>")}) {
        errors.clear();
        QFile::remove(contents.CDir + "singlehtml.htm");
        if (!frame.isEmpty())
            WriteBytes(contents.CDir + "singlehtml.htm", frame);
        EXPECT_FALSE(build().Run());
        ASSERT_EQ(errors.size(), 1);
        EXPECT_TRUE(errors[0].contains(contents.CDir + "singlehtml.htm")) << errors[0].toStdString();
        EXPECT_FALSE(QFileInfo::exists(outputFolder()));
    }
}

TEST_F(SingleHtmlTest, RefusesOutputFoldersThatHoldTheAuthorsFiles)
{
    WritePage(root, "a.htm", "A");
    WritePage(root, "guide/b.htm", "B");
    WriteBytes(root + "pictures/p.png", "PNG");
    WriteBytes(root + "a.htm", "<html><body><img src=\"pictures/p.png\"></body></html>");
    fill({{1, "A", "a.htm"}, {1, "B", "guide\\b.htm"}});
    QDir().mkpath(dir.filePath("linked"));
    QFile::link(root.chopped(1), dir.filePath("linked/project"));

    const QString folders[] = {
        "",                           // the project folder itself
        "<Project_Folder>",           //
        "..",                         // the folder holding it
        dir.filePath("linked/project"), // the project folder by another name
        "/",
        QDir::homePath(),
        "guide",                      // pages of the project
        "pictures",                   // a picture the pages use
        "C:\\SingleHTML",             // the old Windows default
    };
    for (const QString& folder : folders) {
        SCOPED_TRACE(folder.toStdString());
        project.SingleHtmlOutputFolder = folder;
        EXPECT_THROW(build().Run(), EQuorixError);
        EXPECT_TRUE(QFileInfo::exists(root + "guide/b.htm"));
        EXPECT_TRUE(QFileInfo::exists(root + "pictures/p.png"));
    }

    // A folder of its own inside the project is fine.
    project.SingleHtmlOutputFolder = "out";
    EXPECT_TRUE(build().Run());
    EXPECT_TRUE(QFileInfo::exists(root + "out/all.htm"));
    EXPECT_EQ(ReadBytes(root + "out/pictures/p.png"), "PNG");

    for (const QString& name : {QString(), QStringLiteral("../all.htm"), QStringLiteral("sub\\all.htm")}) {
        project.SingleHtmlFilename = name;
        EXPECT_THROW(build().Run(), EQuorixError);
    }
}

TEST(SingleHtmlTemplates, ShippedTemplatesCarryThePlaceholdersAndAPrintStyle)
{
    for (const char* name : {"singleb.htm", "singlehtml.htm"}) {
        SCOPED_TRACE(name);
        const QString text = QString::fromUtf8(ReadBytes(ProgramDataFolder() + "/" + name));
        for (const char* marker : {"($ALLCONTENT$)", "($PROJECTTITLE$)", "($CHARSET$)", "@media print"})
            EXPECT_TRUE(text.contains(marker)) << marker;
    }
}

} // namespace
