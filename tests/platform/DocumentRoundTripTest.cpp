#include "EditorTestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

namespace {

const QString FullPage = QStringLiteral(
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\" \"http://www.w3.org/TR/html4/loose.dtd\">\n"
    "<!-- before the page -->\n"
    "<html lang=\"zh\"><head>\n"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">\n"
    "<title>标题 Title</title>\n"
    "<link rel=\"stylesheet\" href=\"style.css\">\n"
    "<style type=\"text/css\">p.note { color: #336699; }</style>\n"
    "<script type=\"text/javascript\">function hi() { document.write('x'); }</script>\n"
    "</head>\n"
    "<body bgcolor=\"#ffffee\" onload=\"hi()\">\n"
    "<!-- a note for authors -->\n"
    "<p class=\"note\" data-topic=\"17\">Hello <b>中文</b> &amp; more&nbsp;text</p>\n"
    "<script>document.body.appendChild(document.createElement('hr'));</script>\n"
    "<a name=\"end\"></a>\n"
    "</body></html>\n"
    "<!-- after the page -->");

} // namespace

// Loading a page and reading it back without edits keeps all of it.
TEST_F(EditorTest, PageRoundTripsWithoutEdits)
{
    load(FullPage, QDir::tempPath());
    const QString html = edit->DocumentHTML();
    for (const char* part : {
             "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\" \"http://www.w3.org/TR/html4/loose.dtd\">",
             "<!-- before the page -->", "<html lang=\"zh\">",
             "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">", "<title>标题 Title</title>",
             "<link rel=\"stylesheet\" href=\"style.css\">", "<style type=\"text/css\">p.note { color: #336699; }</style>",
             "<script type=\"text/javascript\">function hi() { document.write('x'); }</script>",
             "<body bgcolor=\"#ffffee\" onload=\"hi()\">", "<!-- a note for authors -->",
             "<p class=\"note\" data-topic=\"17\">Hello <b>中文</b> &amp; more&nbsp;text</p>",
             "<script>document.body.appendChild(document.createElement('hr'));</script>", "<a name=\"end\"></a>",
             "<!-- after the page -->"}) {
        EXPECT_TRUE(html.contains(QString::fromUtf8(part))) << part << "\nin:\n" << html.toStdString();
    }
    // The parser puts a comment after the closing tags inside the body: kept, if not in place.
    EXPECT_TRUE(html.endsWith(QStringLiteral("<!-- after the page --></body></html>")));
    EXPECT_FALSE(html.contains(QStringLiteral("<hr>"))) << "the page's own script ran";
    EXPECT_FALSE(html.contains(QStringLiteral("contenteditable")));
    EXPECT_FALSE(edit->IsDirty());

    // What was read back loads to the same text again.
    load(html);
    EXPECT_EQ(edit->DocumentHTML(), html);
}

TEST_F(EditorTest, ShowingBordersAndDetailsLeavesThePageAlone)
{
    load(QStringLiteral("<html><head></head><body><table border=\"0\"><tr><td>a</td></tr></table><p>b</p></body></html>"));
    const QString before = edit->DocumentHTML();
    edit->SetShowBorders(true);
    edit->SetShowDetails(true);
    EXPECT_EQ(edit->DocumentHTML(), before);
    EXPECT_FALSE(edit->IsDirty());
    EXPECT_EQ(pageScript(QStringLiteral("getComputedStyle(document.querySelector('td')).outlineStyle")).toString(),
              QStringLiteral("dashed"));
    edit->SetShowBorders(false);
    EXPECT_EQ(pageScript(QStringLiteral("getComputedStyle(document.querySelector('td')).outlineStyle")).toString(),
              QStringLiteral("none"));
}

// Pages far beyond the 2 MB that setHtml takes load whole.
TEST_F(EditorTest, ThreeMegabytePageLoads)
{
    QString body;
    const QString paragraph = QStringLiteral("<p>Paragraph %1 of a long manual, with some <b>bold</b> words.</p>\n");
    for (int i = 0; body.size() < 3 * 1024 * 1024; ++i)
        body += paragraph.arg(i);
    const QString html = QStringLiteral("<html><head><title>long</title></head><body>") + body
        + QStringLiteral("<p id=\"last\">the end</p></body></html>");

    QElapsedTimer timer;
    timer.start();
    load(html);
    const QString back = edit->DocumentHTML();
    EXPECT_LT(timer.elapsed(), 20000);
    EXPECT_GE(back.size(), 3 * 1024 * 1024);
    EXPECT_TRUE(back.contains(QStringLiteral("<p id=\"last\">the end</p>")));
    EXPECT_EQ(dom().getElementsByTagName(QStringLiteral("P")).last()->innerText(), QStringLiteral("the end"));
}

// A page lives in its folder: relative pictures load, links read as files.
TEST_F(EditorTest, RelativeAddressesResolveAgainstTheBaseFolder)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(SavePicture(dir.filePath(QStringLiteral("图片 pics/red.png"))));

    load(QStringLiteral("<html><body><img src=\"图片 pics/red.png\"><a href=\"other page.htm#s2\">x</a>"
                        "<a href=\"#top\">y</a><a href=\"http://example.com/a\">z</a></body></html>"),
         dir.path() + QLatin1Char('/'));
    ASSERT_TRUE(edit->WaitUntilLoaded());
    // Pictures load after the page.
    EXPECT_TRUE(QTest::qWaitFor([&] { return pageScript(QStringLiteral("document.images[0].complete")).toBool(); }));
    EXPECT_EQ(element(QStringLiteral("IMG"))->property(QStringLiteral("naturalWidth")).toInt(), PictureWidth);

    const QList<THtmlElementPtr> links = dom().getElementsByTagName(QStringLiteral("a"));
    ASSERT_EQ(links.size(), 3);
    EXPECT_EQ(links[0]->href(), QUrl::fromLocalFile(dir.filePath(QStringLiteral("other page.htm"))).toString()
                                    + QStringLiteral("#s2"));
    EXPECT_EQ(links[1]->href(), QStringLiteral("#top"));
    EXPECT_EQ(links[2]->href(), QStringLiteral("http://example.com/a"));
    EXPECT_EQ(links[0]->getAttribute(QStringLiteral("href")), QStringLiteral("other page.htm#s2"));
    EXPECT_TRUE(edit->DocumentHTML().contains(QStringLiteral("src=\"图片 pics/red.png\"")));
}

// Moving the page to another folder keeps the author's edits and their mark.
TEST_F(EditorTest, ChangingTheFolderKeepsEdits)
{
    load(QStringLiteral("<html><body><p>one</p></body></html>"), QDir::tempPath());
    element(QStringLiteral("P"))->setInnerHTML(QStringLiteral("two"));
    ASSERT_TRUE(edit->IsDirty());
    edit->SetBaseURL(QDir::homePath());
    ASSERT_TRUE(edit->WaitUntilLoaded());
    EXPECT_EQ(element(QStringLiteral("P"))->innerHTML(), QStringLiteral("two"));
    EXPECT_TRUE(edit->IsDirty());
    EXPECT_EQ(edit->BaseURL(), QDir::homePath());
}

// Setting the page and then its folder, as the window does, loads once and
// reports the document complete once; reading while it loads gives the page set.
TEST_F(EditorTest, DocumentCompleteComesOncePerPage)
{
    // Each complete notes whether the page then is the second one.
    QList<bool> completes;
    edit->OnDocumentComplete = [&] { completes.append(element(QStringLiteral("P")) == nullptr); };
    edit->SetDocumentHTML(QStringLiteral("<html><body><p>a</p></body></html>"));
    edit->SetBaseURL(QDir::tempPath());
    EXPECT_TRUE(edit->Busy());
    EXPECT_EQ(edit->DocumentHTML(), QStringLiteral("<html><body><p>a</p></body></html>"));
    EXPECT_FALSE(edit->IsDirty());
    ASSERT_TRUE(edit->WaitUntilLoaded());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !completes.isEmpty(); }));
    EXPECT_EQ(completes.size(), 1);
    EXPECT_FALSE(edit->Busy());

    edit->NewDocument();
    ASSERT_TRUE(edit->WaitUntilLoaded());
    ASSERT_TRUE(QTest::qWaitFor([&] { return completes.contains(true); }));
    // A second complete of the first page would have come before.
    EXPECT_EQ(completes, (QList<bool>{false, true}));
    EXPECT_TRUE(element(QStringLiteral("BODY"))->innerHTML().isEmpty());
}
