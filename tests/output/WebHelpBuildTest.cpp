// The web help build from a small project and a small web help set of the
// test's own: the folder it writes, the placeholders of each file, the topic
// pages, the search data, and the folders it refuses to empty.
#include "OutputTestSupport.h"
#include "PageFiles.h"
#include "QuorixError.h"
#include "TWebHelpBuild.h"

#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace OutputTest;

namespace {

const QStringList NavigationFiles{"index.htm",         "indexh.htm",        "webhelpframe.htm",  "webhelptop.htm",
                                  "webhelptoph.htm",   "webhelpcontents.htm", "webhelplefth.htm", "webhelpsearch.htm",
                                  "webhelpbookmark.htm", "webhelpleft.htm",   "webhelptoolbar.htm", "webhelpindex.htm"};

// Every set file carries every placeholder and edit mark, so that what a
// file does not receive shows as left in place.
void WriteWebHelpSet(const QString& set)
{
    for (const QString& name : NavigationFiles)
        WriteBytes(set + name,
                   ("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=($CHARSET$)\">"
                    "<title>($ProjectTitle$)</title></head><body background=\"back.jpg\">"
                    + name + " D=[($DEFAULTPAGE$)] W=[($NAVWIDTH$)] B=[($BACKCOLOR$)] F=[($FONTCOLOR$)] "
                             "N=[($NAVIGATION$)] I=[($INDEXLIST$)] <!--BEGINBAR-->bar<!--ENDBAR--> "
                             "<script>//document.write('i');</script></body></html>")
                       .toUtf8());
    WriteBytes(set + "languages.js", "var lang=\"\";($SETLANGUAGE$)\r\nvar texts={};");
    WriteBytes(set + "style.css", "body{}");
    for (const char* name : {"showall.gif", "hideall.gif", "previous.gif", "next.gif", "print.gif"})
        WriteBytes(set + "images/" + name, "GIF89a");
    WriteBytes(set + "bg/back1.jpg", "JPEG1");
    WriteBytes(set + "bg/back2.jpg", "JPEG2");
    for (const char* name : {"line.gif", "blank.gif", "tplus.gif", "1.gif", "2.gif", "9.gif"})
        WriteBytes(set + "imgs/" + name, "GIF89a");
    for (const char* name : {"1.gif", "2.gif", "3.gif", "4.gif", "12.gif"})
        WriteBytes(set + "icons/" + name, "GIF89a");
    for (const char* name : {"1.gif", "2.gif", "11.gif"})
        WriteBytes(set + "ricons/" + name, "GIF89a true colour");
}

// A file's text without its UTF-8 mark.
QString Text(const QString& file)
{
    QByteArray bytes = ReadBytes(file);
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    return QString::fromUtf8(bytes);
}

QStringList FilesBelow(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next().mid(folder.size());
    files.sort();
    return files;
}

class WebHelpBuildTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        WriteWebHelpSet(program + "webhelp/");
        project.RootDir = root;
        project.Title = QStringLiteral("Help & <Co>");
        project.Encoding = QStringLiteral("utf-8");
        project.WebHelpOutputFolder = out;
        project.ViewCompiledFile = false;
        project.WebBackColor = QStringLiteral("#FFFFFF");
        project.WebFontColor = QStringLiteral("#000000");
        project.NavWidth = 250;
        nodes = AddTopics(project, project.tnTableOfContents, {
            {1, "Intro", "intro.htm", StatusLinked, "Alpha\nalpha"},
            {2, "It's <sub> & \"more\"", "sub\\page.htm"},
            {2, "Declared", "doc.htm"},
            {1, "End", "end.htm"},
        });
        WritePage(root, "intro.htm", "intro");
        WritePage(root, "sub\\page.htm", "sub page");
        WriteBytes(root + "doc.htm", "<!DOCTYPE html>\r\n<html><head><title>Doc</title></head><body><p>doc</p></body></html>");
        WritePage(root, "end.htm", "end");
    }

    bool build()
    {
        contents.qrx = &project;
        contents.CDir = program;
        contents.FOnInfo = [this](TThcObject*, const QString& info) { log << info; };
        contents.Fill();
        TWebHelpBuild web(project, contents, [this](const QString& line) { log << line; },
                          [this](const QString& line) { errors << line; });
        web.OnShowResult = [this](const QString& file) { shown << file; };
        return web.Run();
    }

    QTemporaryDir dir;
    QString program = dir.filePath("program") + QLatin1Char('/');
    QString root = dir.filePath("project") + QLatin1Char('/');
    QString out = dir.filePath("out/WebHelp") + QLatin1Char('/');
    TQrx project;
    TContents contents;
    std::vector<TopicNode*> nodes;
    QStringList log;
    QStringList errors;
    QStringList shown;
};

TEST_F(WebHelpBuildTest, WritesTheWholeFolder)
{
    WriteBytes(out + "old.htm", "from the build before");
    ASSERT_TRUE(build());
    EXPECT_TRUE(errors.isEmpty()) << qPrintable(errors.join('\n'));
    QStringList expected{"back.jpg", "data.js", "languages.js", "style.css", "images/hideall.gif", "images/next.gif",
                         "images/previous.gif", "images/print.gif", "images/showall.gif", "topics/doc.htm",
                         "topics/end.htm", "topics/intro.htm", "topics/sub/page.htm"};
    expected << NavigationFiles;
    expected.sort();
    QStringList written = FilesBelow(out);
    for (const char* image : {"icons/blank.gif", "icons/line.gif", "icons/tplus.gif", "icons/9.gif"})
        EXPECT_TRUE(written.removeAll(image) == 1) << image;
    written.removeIf([](const QString& file) { return file.startsWith("icons/"); }); // the items' own icons
    EXPECT_EQ(written, expected);
    EXPECT_EQ(ReadBytes(out + "back.jpg"), "JPEG1");

    // Progress in order, with a line per file copied.
    const QStringList steps{"", "Creating Website help...", "Preparing files...", "Copying files...",
                            "Creating navigation...", "", "Filename: " + out + "index.htm"};
    QStringList seen;
    for (const QString& line : std::as_const(log))
        if (!line.startsWith(root))
            seen << line;
    EXPECT_EQ(seen, steps);
    EXPECT_TRUE(log.contains(root + "sub/page.htm"));
    EXPECT_TRUE(shown.isEmpty());

    project.ViewCompiledFile = true;
    ASSERT_TRUE(build());
    EXPECT_EQ(shown, QStringList{out + "index.htm"});
}

TEST_F(WebHelpBuildTest, EachFileReceivesItsPlaceholders)
{
    ASSERT_TRUE(build());
    // Which placeholders each file gets: T title, C charset, D default page,
    // W width, B back colour, F font colour, N navigation, I index.
    const std::map<QString, QString> received{
        {"index.htm", "TCD"},         {"indexh.htm", "TCD"},        {"webhelpframe.htm", "TCDWB"},
        {"webhelptop.htm", "TCBF"},   {"webhelptoph.htm", "TCBF"},  {"webhelpcontents.htm", "TCNB"},
        {"webhelplefth.htm", "TCNB"}, {"webhelpsearch.htm", "TCB"}, {"webhelpbookmark.htm", "TCB"},
        {"webhelpleft.htm", "TC"},    {"webhelptoolbar.htm", "TC"}, {"webhelpindex.htm", "TCIB"},
    };
    const std::map<QChar, std::pair<QString, QString>> marks{
        {'T', {"<title>($ProjectTitle$)</title>", "<title>Help &amp; &lt;Co&gt;</title>"}},
        {'C', {"charset=($CHARSET$)", "charset=utf-8"}},
        {'D', {"D=[($DEFAULTPAGE$)]", "D=[intro.htm]"}},
        {'W', {"W=[($NAVWIDTH$)]", "W=[250]"}},
        {'B', {"B=[($BACKCOLOR$)]", "B=[#FFFFFF]"}},
        {'F', {"F=[($FONTCOLOR$)]", "F=[#000000]"}},
        {'N', {"N=[($NAVIGATION$)]", "N=[<"}},
        {'I', {"I=[($INDEXLIST$)]", "I=[<option value="}},
    };
    for (const auto& [file, which] : received) {
        const QString text = Text(out + file);
        for (const auto& [mark, forms] : marks) {
            SCOPED_TRACE(qPrintable(file + " " + mark));
            EXPECT_EQ(text.contains(forms.first), !which.contains(mark));
            EXPECT_EQ(text.contains(forms.second), which.contains(mark));
        }
        // With the index shown, the bar stays and the script line stays commented.
        EXPECT_TRUE(text.contains("<!--BEGINBAR-->bar<!--ENDBAR-->"));
        EXPECT_TRUE(text.contains("//document.write"));
        EXPECT_TRUE(text.contains("<body background=\"back.jpg\">"));
    }
    EXPECT_TRUE(Text(out + "webhelpcontents.htm").contains("N=[<script>SetEnv(0,false)</script><div><nobr>"));
    EXPECT_TRUE(Text(out + "webhelplefth.htm").contains("N=[<div><nobr>"));
    // Saved in the charset they declare: UTF-8 with its mark.
    EXPECT_TRUE(ReadBytes(out + "index.htm").startsWith("\xEF\xBB\xBF<html>"));
    EXPECT_EQ(ReadBytes(out + "languages.js"), "\xEF\xBB\xBFvar lang=\"\";lang=\"en\";\r\nvar texts={};");
}

TEST_F(WebHelpBuildTest, HiddenIndexNoBackgroundAndLanguage)
{
    project.ShowIndex = false;
    project.WebBackground = 0;
    project.WebHelpLanguage = 10;
    ASSERT_TRUE(build());
    for (const QString& file : NavigationFiles) {
        SCOPED_TRACE(qPrintable(file));
        const QString text = Text(out + file);
        const bool bar = file == "webhelpcontents.htm" || file == "webhelplefth.htm" || file == "webhelpindex.htm";
        const bool top = file == "webhelptop.htm" || file == "webhelptoph.htm";
        EXPECT_EQ(text.contains("bar"), !bar);
        EXPECT_EQ(text.contains("<script>//document.write('i');</script>"), !top);
        EXPECT_EQ(text.contains("<script>document.write('i');</script>"), top);
        EXPECT_EQ(text.contains("<body background=\"back.jpg\">"), !top);
        EXPECT_EQ(text.contains("<body>"), top);
    }
    EXPECT_FALSE(QFileInfo::exists(out + "back.jpg"));
    EXPECT_EQ(ReadBytes(out + "languages.js"), "\xEF\xBB\xBFvar lang=\"\";lang=\"zh\";\r\nvar texts={};");

    project.WebHelpLanguage = 0;
    project.WebBackground = 2;
    ASSERT_TRUE(build());
    EXPECT_EQ(ReadBytes(out + "languages.js"), "\xEF\xBB\xBFvar lang=\"\";\r\nvar texts={};");
    EXPECT_EQ(ReadBytes(out + "back.jpg"), "JPEG2");
}

TEST_F(WebHelpBuildTest, TopicPagesFindTheirViewer)
{
    project.DefaultTopic = QStringLiteral("sub\\it's.htm");
    ASSERT_TRUE(build());
    // Encoded, the apostrophe cannot end the script string it is written into.
    EXPECT_TRUE(Text(out + "index.htm").contains("D=[sub/it%27s.htm]"));

    const QString intro = Text(out + "topics/intro.htm");
    EXPECT_TRUE(ReadBytes(out + "topics/intro.htm").startsWith("\xEF\xBB\xBF<!DOCTYPE HTML PUBLIC"));
    EXPECT_TRUE(intro.startsWith("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n"
                                 "<!-- saved from url=(0014)about:internet -->\r\n<html>"));
    EXPECT_TRUE(intro.contains("charset=UTF-8"));
    EXPECT_TRUE(intro.contains("<title>Intro</title>"));
    EXPECT_TRUE(intro.contains("<body><script language=\"JavaScript\" type=\"text/JavaScript\">\r\nfunction syn(){try{"));
    EXPECT_TRUE(intro.contains("parent.nav.tree.selectNode(0);"));
    EXPECT_TRUE(intro.contains("\"../index.htm?page=intro.htm\""));

    const QString sub = Text(out + "topics/sub/page.htm");
    EXPECT_TRUE(sub.contains("\"../../index.htm?page=sub/page.htm\""));
    EXPECT_TRUE(sub.contains("parent.nav.tree.selectNode(1);"));
    // The title is the topic's, as text.
    EXPECT_TRUE(sub.contains("<title>It's &lt;sub&gt; &amp; &quot;more&quot;</title>"));

    // A page that declares its type keeps that one declaration.
    const QString doc = Text(out + "topics/doc.htm");
    EXPECT_EQ(doc.count("<!DOCTYPE", Qt::CaseInsensitive), 1);
    EXPECT_TRUE(doc.startsWith("<!DOCTYPE html>\r\n<!-- saved from url=(0014)about:internet -->\r\n<html>"));
}

TEST_F(WebHelpBuildTest, TemplateFramesTopicsThatTakeIt)
{
    project.HtmlHelpTemplate = QStringLiteral("tpl\\page.htm");
    WriteBytes(root + "tpl/page.htm",
               "<html><head><title>($title$)</title></head><body><div class=\"frame\">($content$)</div>"
               "<img src=\"logo.gif\"></body></html>");
    WriteBytes(root + "tpl/logo.gif", "GIF89a");
    nodes[3]->entry().ApplyTemp = true;
    ASSERT_TRUE(build());

    const QString sub = Text(out + "topics/sub/page.htm");
    EXPECT_TRUE(sub.contains("<body><script language=\"JavaScript\""));
    EXPECT_TRUE(sub.contains("<div class=\"frame\"><p>sub page</p></div><img src=\"../tpl/logo.gif\">"));
    EXPECT_TRUE(sub.contains("\"../../index.htm?page=sub/page.htm\""));
    EXPECT_TRUE(sub.contains("<!-- saved from url=(0014)about:internet -->"));
    EXPECT_TRUE(QFileInfo::exists(out + "topics/tpl/logo.gif"));
    EXPECT_FALSE(QFileInfo::exists(out + "topics/tpl/page.htm"));
    // A topic that refuses the template is copied as it is, marked, without script.
    const QString end = Text(out + "topics/end.htm");
    EXPECT_FALSE(end.contains("frame"));
    EXPECT_FALSE(end.contains("syn()"));
    EXPECT_TRUE(end.contains("<!-- saved from url=(0014)about:internet -->"));

    // The web help's own template, when it is not the HTML Help one.
    project.WebHelpTemplateSame = false;
    project.WebHelpTemplate = QStringLiteral("tpl\\missing.htm");
    WriteBytes(out + "keep.txt", "x");
    log.clear();
    EXPECT_FALSE(build());
    EXPECT_TRUE(log.contains("The template \"" + root + "tpl/missing.htm\" is not exsiting!")) << qPrintable(log.join('\n'));
    EXPECT_FALSE(log.contains("Preparing files..."));
    EXPECT_TRUE(QFileInfo::exists(out + "keep.txt"));
}

// Names with spaces, "&", "#" and letters beyond ASCII: the files keep
// them, every link and redirect to them is encoded.
TEST_F(WebHelpBuildTest, AddressesAreEncodedWhereverTheyAreWritten)
{
    project.Tree().clearTopics();
    const QString spaced = QString::fromUtf8("sub dir\\R&D #1 ü.htm");
    AddTopics(project, project.tnTableOfContents,
              {{1, "Plain", "a b.htm", StatusLinked, "first"}, {2, "Spaced", spaced, StatusLinked, "second"}});
    WritePage(root, "a b.htm", "plain");
    WritePage(root, spaced, "spaced");
    project.HtmlHelpTemplate = QStringLiteral("tpl.htm");
    WriteBytes(root + "tpl.htm", "<html><head><title>($title$)</title></head><body>($navigation$)|($prev$)|($next$)|"
                                 "($content$)</body></html>");
    ASSERT_TRUE(build());

    const QString encoded = QStringLiteral("sub%20dir/R%26D%20%231%20%C3%BC.htm");
    const QString page = QString::fromUtf8("topics/sub dir/R&D #1 ü.htm");
    ASSERT_TRUE(QFileInfo::exists(out + page));
    const struct {
        QString file;
        QString text;
    } expected[] = {
        {"webhelpcontents.htm", "<a href=\"topics/" + encoded + "\""},
        {"webhelplefth.htm", "<a href=\"topics/" + encoded + "\""},
        {"webhelpindex.htm", "['Spaced','topics/" + encoded + "']"},
        {"data.js", "\"topics/" + encoded + "\""},
        {"index.htm", "D=[a%20b.htm]"},
        {"topics/a b.htm", "<A href=\"" + encoded + "\">Next&gt;&gt;</a>"},
        {page, "<A href=\"../a%20b.htm\">&lt;&lt;Previous</a>"},
        {page, "<body><script"},
        {page, "</script> \r\n<A href=\"../a%20b.htm\">Plain</A> &gt; |"},
        {page, "\"../../index.htm?page=" + encoded + "\""},
        {"topics/a b.htm", "\"../index.htm?page=a%20b.htm\""},
    };
    for (const auto& [file, text] : expected)
        EXPECT_TRUE(Text(out + file).contains(text)) << qPrintable(file + ": " + text);
}

// Entries without a page of their own: a heading, a page that is gone, an
// outside address, and a part of a page no other topic shows.
TEST_F(WebHelpBuildTest, EntriesWithoutAPageOfTheirOwn)
{
    project.Tree().clearTopics();
    AddTopics(project, project.tnTableOfContents, {
        {1, "Intro", "intro.htm"},
        {1, "Heading", "", StatusNoLink},
        {2, "Gone", "gone.htm"},
        {2, "Site", "http://127.0.0.1/x.htm", StatusOutside},
        {2, "Part", "extra.htm#part"},
    });
    WritePage(root, "extra.htm", "extra");
    ASSERT_TRUE(build());
    const QString tree = Text(out + "webhelpcontents.htm");
    EXPECT_TRUE(tree.contains("<a href=\"#\" onclick=\"return LinkClick('1',true,false)\"")) << qPrintable(tree);
    EXPECT_TRUE(tree.contains("<a href=\"#\" onclick=\"return LinkClick('2',false,false)\" title=\"Gone\""));
    EXPECT_FALSE(tree.contains("gone.htm"));
    EXPECT_TRUE(tree.contains("<a href=\"http://127.0.0.1/x.htm\" onclick=\"return LinkClick('3',false,true)\" "
                              "target=\"_blank\" rel=\"noopener\""));
    EXPECT_TRUE(tree.contains("<a href=\"topics/extra.htm#part\" onclick=\"return LinkClick('4',false,true)\" "
                              "target=\"content\""));
    EXPECT_TRUE(QFileInfo::exists(out + "topics/extra.htm"));
    EXPECT_FALSE(QFileInfo::exists(out + "topics/gone.htm"));
    // The page that is gone is named in a warning of the build.
    EXPECT_EQ(log.filter(QRegularExpression("^Warning: .*gone\\.htm")).size(), 1) << qPrintable(log.join('\n'));
}

TEST_F(WebHelpBuildTest, SearchDataIsEscapedScript)
{
    project.Tree().clearTopics();
    AddTopics(project, project.tnTableOfContents, {{1, "Q", "q.htm"}});
    WriteBytes(root + "q.htm", QString("<html><head><title>Say \"hi\" & it's</title></head><body><p>a\\b \"c\" 'd'\r\n"
                                       "</script><br>中文</body></html>")
                                   .toUtf8());
    ASSERT_TRUE(build());
    const QByteArray data = ReadBytes(out + "data.js");
    EXPECT_EQ(data, QByteArray("\xEF\xBB\xBF") + QString("var contents = new Array(\"\\r\\n\\r\\na\\\\b \\\"c\\\" "
                                                        "\\'d\\' \\r\\n中文\",\"Q\",\"topics/q.htm\");")
                                                    .toUtf8());
    // The page's own title is replaced by the topic's; the record takes the page written.
    EXPECT_TRUE(Text(out + "topics/q.htm").contains("<title>Q</title>"));
}

// The search data read back by a script engine: every character of the
// texts arrives as it was.
TEST_F(WebHelpBuildTest, SearchDataReadsBackInAScriptEngine)
{
    const QString node = QStandardPaths::findExecutable("node");
    if (node.isEmpty())
        GTEST_SKIP() << "node is not installed";
    contents.Texts = {
        {QString("back\\slash \"double\" 'single'\r\nline</script><script>alert(1)</script>") + QChar(0x2028) + "end",
         QString("It's \"quoted\" \\ 中文"), "topics/a b/it's.htm"},
        {"", "", ""},
    };
    const QString file = dir.filePath("data.js");
    ASSERT_TRUE(SaveTextFile(contents.OutputSearchJS(), file, EncodingUtf8));
    QProcess process;
    process.start(node, {"-e", "const fs=require('fs');"
                               "eval(fs.readFileSync(process.argv[1],'utf8').replace(/^\\uFEFF/,'')+';globalThis.c=contents');"
                               "process.stdout.write(JSON.stringify(globalThis.c))",
                         file});
    ASSERT_TRUE(process.waitForFinished(60000));
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().constData();
    QJsonArray expected;
    for (const TTextForWeb& record : contents.Texts)
        expected << record.Text << record.Title << record.url;
    EXPECT_EQ(QJsonDocument::fromJson(process.readAllStandardOutput()).array(), expected);
}

// A project made on Windows may name its pages in another case than the
// files have: the output uses the files' names, so links and pages agree.
TEST_F(WebHelpBuildTest, PagesKeepTheirFilesNames)
{
    project.Tree().clearTopics();
    AddTopics(project, project.tnTableOfContents, {{1, "Intro", "Topics\\Intro.HTM"}});
    WritePage(root, "topics\\intro.htm", "intro");
    ASSERT_TRUE(build());
    EXPECT_TRUE(QFileInfo::exists(out + "topics/topics/intro.htm"));
    EXPECT_FALSE(QFileInfo::exists(out + "topics/Topics"));
    EXPECT_TRUE(Text(out + "topics/topics/intro.htm").contains("\"../../index.htm?page=topics/intro.htm\""));
    EXPECT_TRUE(Text(out + "webhelpcontents.htm").contains("<a href=\"topics/topics/intro.htm\""));
    EXPECT_TRUE(Text(out + "index.htm").contains("D=[topics/intro.htm]"));
}

TEST_F(WebHelpBuildTest, IconsOfTheSet)
{
    project.RealColorIcon = true;
    ASSERT_TRUE(build());
    EXPECT_EQ(ReadBytes(out + "icons/11.gif"), "GIF89a true colour");
    EXPECT_EQ(ReadBytes(out + "icons/1.gif"), "GIF89a true colour");
    EXPECT_TRUE(QFileInfo::exists(out + "icons/line.gif"));

    // Item icons and their partners come from "icons"; a missing one is skipped.
    project.RealColorIcon = false;
    contents.qrx = &project;
    contents.CDir = program;
    contents.Fill();
    contents.ContentsItems[0]->Icon = 3;
    contents.ContentsItems[1]->Icon = 12;
    contents.ContentsItems[2]->Icon = 0;
    contents.ContentsItems[3]->Icon = 40;
    const QString icons = dir.filePath("icons-only") + QLatin1Char('/');
    contents.CopyIconForWebHelp(icons);
    EXPECT_EQ(FilesBelow(icons), (QStringList{"icons/1.gif", "icons/12.gif", "icons/2.gif", "icons/3.gif",
                                              "icons/4.gif", "icons/9.gif", "icons/blank.gif", "icons/line.gif",
                                              "icons/tplus.gif"}));
}

TEST_F(WebHelpBuildTest, EmptyContentsIsAnError)
{
    project.Tree().clearTopics();
    EXPECT_FALSE(build());
    EXPECT_EQ(errors, QStringList{"Cannot create web help! Because there is no any item in Table of Contents."});
    EXPECT_TRUE(log.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(out));
}

TEST_F(WebHelpBuildTest, RefusesToEmptyAFolderThatHoldsTheAuthorsFiles)
{
    WriteBytes(dir.filePath("project_output/keep.txt"), "x");
    const QString home = QDir::homePath();
    const QStringList refused{
        root,                                   // the project itself
        "<Project_Folder>",                     // the same, as the placeholder names it
        dir.path(),                             // the folder above it
        "/",                                    // everything
        home,                                   // the author's home
        program + "webhelp/icons",              // the program's own set
        program,                                // the program's files
        "<Project_Folder>/sub",                 // holds a topic page
    };
    for (const QString& folder : refused) {
        SCOPED_TRACE(qPrintable(folder));
        project.WebHelpOutputFolder = folder;
        log.clear();
        EXPECT_THROW(build(), EQuorixError);
        EXPECT_TRUE(QFileInfo::exists(root + "sub/page.htm"));
        EXPECT_TRUE(QFileInfo::exists(program + "webhelp/icons/1.gif"));
    }
    try {
        project.WebHelpOutputFolder = root;
        build();
    } catch (const EQuorixError& error) {
        EXPECT_TRUE(error.message().contains("is or holds the project folder")) << qPrintable(error.message());
        EXPECT_TRUE(error.message().contains(root));
    }
    project.WebHelpOutputFolder = QString();
    EXPECT_THROW(build(), EQuorixError);

    // A folder beside the project, inside it without project files, or
    // beside the program's own folders (where the bundled sample writes) is fine.
    for (const QString& folder : {QString("<Project_Folder>_output\\WebHelp"), QString("<Project_Folder>\\web"),
                                  program + "sample_output/WebHelp"}) {
        project.WebHelpOutputFolder = folder;
        EXPECT_TRUE(build()) << qPrintable(folder);
    }
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("project_output/WebHelp/index.htm")));
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("project_output/keep.txt")));
    EXPECT_TRUE(QFileInfo::exists(root + "web/topics/intro.htm"));
}

} // namespace
