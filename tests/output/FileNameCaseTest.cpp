// A project made on Windows spells its pages, pictures, style sheets and
// template buttons in another case than the files have. Every output names
// the files as they are on disk, so a reader on a case-sensitive system (a
// web server, this one) finds them.
#include "OutputTestSupport.h"
#include "TCHMOutputHost.h"
#include "TChmBuild.h"
#include "TSingleHtmlBuild.h"
#include "TWebHelpBuild.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace OutputTest;

namespace {

// Writes a stand-in help file: what matters here is the work folder.
class StubHost : public TCHMOutputHost {
public:
    explicit StubHost(QString compiledFile)
        : m_compiledFile(std::move(compiledFile))
    {
    }
    void Compile(const QString&) override { WriteBytes(m_compiledFile, "ITSF"); }
    void ShowCompiledFile(const QString&) override {}
    bool RetryDelete(const QString&) override { return false; }

private:
    QString m_compiledFile;
};

QString Text(const QString& file)
{
    QByteArray bytes = ReadBytes(file);
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    return QString::fromUtf8(bytes);
}

class FileNameCaseTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        WriteBytes(root + "topics/intro.htm",
                   "<html><head><title>Intro</title><link rel=\"stylesheet\" href=\"../Styles/Main.CSS\"></head>"
                   "<body><p><img src=\"../Images/Logo.GIF\"> <a href=\"Next.HTM\">on</a></p></body></html>");
        WriteBytes(root + "topics/next.htm", "<html><head><title>Next</title></head><body><p>next</p></body></html>");
        WriteBytes(root + "styles/main.css", "body{}");
        WriteBytes(root + "images/logo.gif", "GIF89a");
        WriteBytes(root + "template/page.htm",
                   "<html><head><title>($title$)</title><link rel=\"stylesheet\" href=\"Style.CSS\"></head><body>"
                   "($prev$)|($next$)|<img src=\"btn_prev_n.GIF\"><img src=\"btn_next_n.GIF\">|($content$)</body></html>");
        for (const char* file : {"style.css", "btn_prev_n.gif", "btn_next_n.gif", "BTN_PREV_G.GIF", "Btn_Next_G.gif"})
            WriteBytes(root + "template/" + file, "x");
        // The second page's folder differs in case from the first's.
        AddTopics(project, project.tnTableOfContents, {{1, "Intro", "Topics\\Intro.HTM"}, {1, "Next", "TOPICS\\next.htm"}});
        project.RootDir = root;
        project.Title = QStringLiteral("Case");
        project.Encoding = QStringLiteral("utf-8");
        project.ViewCompiledFile = false;
        project.HtmlHelpTemplate = QStringLiteral("Template\\Page.HTM");
        project.CompiledFile = dir.filePath("out/help.chm");
        project.DeleteProject = true; // the HTML Help project stays, to be read
        project.HHPFolder = dir.filePath("out/hhp");
        project.WebHelpOutputFolder = dir.filePath("out/web");
        project.SingleHtmlOutputFolder = dir.filePath("out/single");
        project.SingleHtmlFilename = QStringLiteral("all.htm");
        WriteBytes(program + "webhelp/style.css", "");
        WriteBytes(program + "singleb.htm", "($ALLCONTENT$)");
        WriteBytes(program + "singlehtml.htm", "($ALLCONTENT$)");
    }

    // A fresh build of one output, as the build runner does it.
    template <typename Build>
    void build()
    {
        TContents contents;
        contents.qrx = &project;
        contents.CDir = program;
        contents.Fill();
        const auto line = [this](const QString& text) { log << text; };
        Build output(project, contents, line, line);
        ASSERT_TRUE(output.Run()) << qPrintable(log.join('\n'));
    }

    QTemporaryDir dir;
    QString root = dir.filePath("project") + QLatin1Char('/');
    QString program = dir.filePath("program") + QLatin1Char('/');
    TQrx project;
    QStringList log;
};

TEST_F(FileNameCaseTest, TemplatedPagesOfHtmlHelpAndWebHelp)
{
    StubHost host(project.CompiledFile);
    TContents contents;
    contents.qrx = &project;
    contents.Fill();
    ASSERT_TRUE(TChmBuild(project, contents, host, [this](const QString& text) { log << text; }).Run())
        << qPrintable(log.join('\n'));
    build<TWebHelpBuild>();

    const QString hhp = dir.filePath("out/hhp/");
    const QString web = dir.filePath("out/web/topics/");
    // What each page holds in both outputs: previous/next links, buttons
    // (normal and greyed), the template's style sheet, the page's own
    // picture, style sheet and link.
    const struct {
        const char* page;
        const char* text;
    } expected[] = {
        {"topics/intro.htm", "<A href=\"next.htm\">Next&gt;&gt;</a>"},
        {"topics/intro.htm", "<A href=\"next.htm\" title=\"Next\"><img id=\"quorix_template_next\" alt=\"Next\" "
                             "src=\"../template/btn_next_n.gif\" border=\"0\"></a>"},
        {"topics/intro.htm", "<img id=\"quorix_template_prev\" alt=\"Previous\" src=\"../template/BTN_PREV_G.GIF\" "
                             "border=\"0\">"},
        {"topics/intro.htm", "href=\"../template/style.css\""},
        {"topics/intro.htm", "<img src=\"../images/logo.gif\">"},
        {"topics/intro.htm", "href=\"../styles/main.css\""},
        {"topics/intro.htm", "<a href=\"next.htm\">on</a>"},
        {"topics/next.htm", "<A href=\"intro.htm\">&lt;&lt;Previous</a>"},
        {"topics/next.htm", "<A href=\"intro.htm\" title=\"Previous\"><img id=\"quorix_template_prev\" "
                            "alt=\"Previous\" src=\"../template/btn_prev_n.gif\" border=\"0\"></a>"},
        {"topics/next.htm", "<img id=\"quorix_template_next\" alt=\"Next\" src=\"../template/Btn_Next_G.gif\" "
                            "border=\"0\">"},
    };
    for (const QString& folder : {hhp, web}) {
        for (const auto& [page, text] : expected) {
            const QString written = Text(folder + page);
            EXPECT_TRUE(written.contains(text)) << qPrintable(folder + page + "\n" + written);
        }
        for (const char* page : {"topics/intro.htm", "topics/next.htm"})
            for (const char* spelling : {"Logo.GIF", "Main.CSS", "Style.CSS", "_n.GIF", "Next.HTM", "TOPICS"})
                EXPECT_FALSE(Text(folder + page).contains(spelling)) << qPrintable(folder + page) << " " << spelling;
        for (const char* file : {"images/logo.gif", "styles/main.css", "template/style.css", "template/btn_prev_n.gif",
                                 "template/BTN_PREV_G.GIF", "template/Btn_Next_G.gif"})
            EXPECT_TRUE(QFileInfo::exists(folder + file)) << qPrintable(folder + file);
    }
}

TEST_F(FileNameCaseTest, SingleHtmlNamesTheFilesBesideIt)
{
    build<TSingleHtmlBuild>();
    const QString single = Text(dir.filePath("out/single/all.htm"));
    EXPECT_TRUE(single.contains("<img src=\"images/logo.gif\"> <a href=\"#A1\">on</a>")) << qPrintable(single);
    EXPECT_FALSE(single.contains("Logo.GIF"));
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("out/single/images/logo.gif")));

    // A page in the project folder itself keeps exact names as written.
    project.Tree().clearTopics();
    AddTopics(project, project.tnTableOfContents, {{1, "Top", "Top.htm"}});
    WriteBytes(root + "top.htm", "<html><body><img src=\"./images/logo.gif\"><img src=\"IMAGES/LOGO.GIF\"></body></html>");
    build<TSingleHtmlBuild>();
    EXPECT_TRUE(Text(dir.filePath("out/single/all.htm"))
                    .contains("<img src=\"./images/logo.gif\"><img src=\"images/logo.gif\">"));
}

} // namespace
