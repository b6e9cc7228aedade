// The contents trees and the keyword index of web help, from hand-made item
// lists: exact markup, images by position, icons and escaping.
#include "OutputTestSupport.h"
#include "WebHelpPages.h"

#include <gtest/gtest.h>

using namespace OutputTest;

namespace {

struct Item {
    int Level;
    QString Title;
    QString Url = {};
    int Status = StatusLinked;
    int Icon = 0;
    QString Keywords = {};
};

class WebHelpTreeTest : public testing::Test {
protected:
    void SetUp() override { contents.qrx = &project; }

    void setItems(const std::vector<Item>& items)
    {
        contents.ContentsItems.clear();
        for (const Item& source : items) {
            auto item = std::make_unique<TContentsItem>();
            item->Index = int(contents.ContentsItems.size());
            item->Level = source.Level;
            item->Title = source.Title;
            item->Url = source.Url;
            item->Status = source.Status;
            item->Icon = source.Icon;
            item->Keywords = QString(source.Keywords).replace(QLatin1String("\n"), QLatin1String("\r\n"));
            item->Accessible = source.Status == StatusLinked && !source.Url.isEmpty() && !source.Url.contains(':');
            contents.ContentsItems.push_back(std::move(item));
        }
        contents.preprocess();
    }

    // Levels 1, 2, 2, 1 with a page in a sub-folder.
    void setOutline()
    {
        setItems({{1, "A", "a.htm"}, {2, "B", "b.htm"}, {2, "C", "sub\\c.htm"}, {1, "D", "d.htm"}});
    }

    TQrx project;
    TContents contents;
};

TEST_F(WebHelpTreeTest, ScriptedTreeBelowTheRoot)
{
    project.StartFromRoot = false;
    setOutline();
    EXPECT_EQ(contents.MakeJs(),
              R"~(<script>SetEnv(0,false)</script>)~"
              R"~(<div><nobr><a href="topics/a.htm" onclick="return LinkClick('0',true,true)" onDblClick="return LinkDblClick('0')" target="content" title="A" onmousemove="window.status='A'"><img id="img0" src="icons/1.gif" class="p"> <span id="l0" class="unselected">A</span></a></nobr></div>)~"
              "\r\n"
              R"~(<div id="d0" style="display:none"><div><nobr><img src="icons/tshaped.gif" class="p"><a href="topics/b.htm" onclick="return LinkClick('1',false,true)" target="content" title="B" onmousemove="window.status='B'"><img src="icons/9.gif" class="p"> <span id="l1" class="unselected">B</span></a></nobr></div>)~"
              "\r\n"
              R"~(<div><nobr><img src="icons/upangle.gif" class="p"><a href="topics/sub/c.htm" onclick="return LinkClick('2',false,true)" target="content" title="C" onmousemove="window.status='C'"><img src="icons/9.gif" class="p"> <span id="l2" class="unselected">C</span></a></nobr></div>)~"
              "\r\n"
              R"~(</div><div><nobr><a href="topics/d.htm" onclick="return LinkClick('3',false,true)" target="content" title="D" onmousemove="window.status='D'"><img src="icons/9.gif" class="p"> <span id="l3" class="unselected">D</span></a></nobr></div>)~"
              "\r\n"
              R"~(<script>divlist = [0]</script>)~");
}

TEST_F(WebHelpTreeTest, ScriptedTreeFromTheRoot)
{
    project.StartFromRoot = true;
    project.AutoCollapse = true;
    setOutline();
    const QString tree = contents.MakeJs();
    EXPECT_TRUE(tree.startsWith(R"~(<script>SetEnv(0,true)</script><div><nobr><a href="#" onClick="return NodeClick('0')"><img id="imgn0" src="icons/daplus.gif" class="p"></a><a href="topics/a.htm")~"))
        << qPrintable(tree);
    // Children get a column for their parent: a line, since D follows A.
    EXPECT_TRUE(tree.contains(R"~(<div><nobr><img src="icons/line.gif" class="p"><img src="icons/tshaped.gif" class="p"><a href="topics/b.htm")~"));
    EXPECT_TRUE(tree.contains(R"~(<div><nobr><img src="icons/line.gif" class="p"><img src="icons/upangle.gif" class="p"><a href="topics/sub/c.htm")~"));
    EXPECT_TRUE(tree.contains(R"~(</div><div><nobr><img src="icons/upangle.gif" class="p"><a href="topics/d.htm")~"));

    // A single entry is first and last at once; a lone leaf gets the straight connector.
    setItems({{1, "Only", "o.htm"}});
    EXPECT_TRUE(contents.MakeJs().contains(R"~(<div><nobr><img src="icons/sline.gif" class="p"><a href="topics/o.htm")~"));
    setItems({{1, "Only", "o.htm"}, {2, "Child", "c.htm"}});
    EXPECT_TRUE(contents.MakeJs().contains(R"~(<img id="imgn0" src="icons/splus.gif" class="p">)~"));
}

TEST_F(WebHelpTreeTest, WithoutLinesEveryImageIsPlain)
{
    project.StartFromRoot = true;
    project.DrawLines = false;
    setItems({{1, "A", "a.htm"}, {2, "B", "b.htm"}, {3, "B1", "b1.htm"}, {2, "C", "c.htm"}, {1, "D", "d.htm"}});
    const QString tree = contents.MakeJs();
    EXPECT_TRUE(tree.startsWith("<script>SetEnv(1,false)</script>"));
    for (const char* image : {"line.gif", "tshaped.gif", "upangle.gif", "downangle.gif", "sline.gif", "daplus.gif",
                              "tplus.gif", "uaplus.gif", "splus.gif"})
        EXPECT_FALSE(tree.contains(image)) << image;
    EXPECT_EQ(tree.count("src=\"icons/plus.gif\""), 2);
    EXPECT_EQ(tree.count("src=\"icons/blank.gif\""), 3 /* connectors */ + 4 /* columns */);
    // Two levels of containers open, closed again before D and at the end.
    EXPECT_TRUE(tree.contains(R"~(<div id="d1" style="display:none"><div><nobr><img src="icons/blank.gif" class="p"><img src="icons/blank.gif" class="p"><img src="icons/blank.gif" class="p"><a href="topics/b1.htm")~"));
    EXPECT_TRUE(tree.contains("</div><div><nobr><img src=\"icons/blank.gif\" class=\"p\"><img src=\"icons/blank.gif\" class=\"p\"><a href=\"topics/c.htm\""));
    EXPECT_TRUE(tree.endsWith("<script>divlist = [0,1]</script>"));
}

TEST_F(WebHelpTreeTest, StaticTreeShowsEverythingWithoutScript)
{
    project.StartFromRoot = false;
    setOutline();
    EXPECT_EQ(contents.MakeHTML(),
              R"~(<div><nobr><a href="topics/a.htm" target="content" title="A"><img id="img0" src="icons/2.gif" class="p"> <span id="l0" class="unselected">A</span></a></nobr></div>)~"
              "\r\n"
              R"~(<div id="d0"><div><nobr><img src="icons/tshaped.gif" class="p"><a href="topics/b.htm" target="content" title="B"><img src="icons/9.gif" class="p"> <span id="l1" class="unselected">B</span></a></nobr></div>)~"
              "\r\n"
              R"~(<div><nobr><img src="icons/upangle.gif" class="p"><a href="topics/sub/c.htm" target="content" title="C"><img src="icons/9.gif" class="p"> <span id="l2" class="unselected">C</span></a></nobr></div>)~"
              "\r\n"
              R"~(</div><div><nobr><a href="topics/d.htm" target="content" title="D"><img src="icons/9.gif" class="p"> <span id="l3" class="unselected">D</span></a></nobr></div>)~"
              "\r\n");
    project.StartFromRoot = true;
    EXPECT_TRUE(contents.MakeHTML().startsWith(R"~(<div><nobr><a href="#"><img id="imgn0" src="icons/daplus.gif" class="p"></a><a href="topics/a.htm" target="content")~"));
}

TEST_F(WebHelpTreeTest, AddressesByKindOfEntry)
{
    project.StartFromRoot = false;
    setItems({
        {1, "Heading", "", StatusNoLink},
        {2, "Under heading", "", StatusNoLink},
        {1, "Web", "http://example.com/x?a=1&b=2", StatusOutside},
        {2, "Web child", "mailto:help@example.com", StatusLinked},
        {1, "Draft", "$$unsavedpage1.htm", StatusUnsaved},
        {2, "Missing", "gone\\p.htm", StatusLinked},
        {2, "Imported", "", StatusOutside},
        {1, "Spaced", "sub dir\\a b & c #1 Grüße.htm"},
    });
    contents.ContentsItems[4]->Accessible = true;
    contents.ContentsItems[5]->Accessible = false;
    // How each entry's link begins: its address, its click and its frame. A
    // heading, a missing page and an outside entry without address link
    // nowhere; the static tree shows them as text.
    const struct {
        const char* scripted;
        const char* plain;
    } expected[] = {
        {R"~(<a href="#" onclick="return LinkClick('0',true,false)" onDblClick="return LinkDblClick('0')" title="Heading")~",
         R"~(<a title="Heading">)~"},
        {R"~(<a href="#" onclick="return LinkClick('1',false,false)" title="Under heading")~",
         R"~(<a title="Under heading">)~"},
        {R"~(<a href="http://example.com/x?a=1&amp;b=2" onclick="return LinkClick('2',true,true)" onDblClick="return LinkDblClick('2')" target="_blank" rel="noopener" title="Web")~",
         R"~(<a href="http://example.com/x?a=1&amp;b=2" target="_blank" rel="noopener" title="Web">)~"},
        {R"~(<a href="mailto:help@example.com" onclick="return LinkClick('3',false,true)" target="_blank" rel="noopener" title="Web child")~",
         R"~(<a href="mailto:help@example.com" target="_blank" rel="noopener" title="Web child">)~"},
        {R"~(<a href="topics/$$unsavedpage1.htm" onclick="return LinkClick('4',true,true)" onDblClick="return LinkDblClick('4')" target="content" title="Draft")~",
         R"~(<a href="topics/$$unsavedpage1.htm" target="content" title="Draft">)~"},
        {R"~(<a href="#" onclick="return LinkClick('5',false,false)" title="Missing")~", R"~(<a title="Missing">)~"},
        {R"~(<a href="#" onclick="return LinkClick('6',false,false)" title="Imported")~", R"~(<a title="Imported">)~"},
        {R"~(<a href="topics/sub%20dir/a%20b%20%26%20c%20%231%20Gr%C3%BC%C3%9Fe.htm" onclick="return LinkClick('7',false,true)" target="content" title="Spaced")~",
         R"~(<a href="topics/sub%20dir/a%20b%20%26%20c%20%231%20Gr%C3%BC%C3%9Fe.htm" target="content" title="Spaced">)~"},
    };
    const QString scripted = contents.MakeJs();
    const QString plain = contents.MakeHTML();
    for (size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(contents.ContentsItems[i]->Title.toStdString());
        EXPECT_TRUE(scripted.contains(QString::fromUtf8(expected[i].scripted))) << qPrintable(scripted);
        EXPECT_TRUE(plain.contains(QString::fromUtf8(expected[i].plain))) << qPrintable(plain);
    }
    EXPECT_FALSE(scripted.contains("href=\"topics/\""));
    EXPECT_FALSE(plain.contains("href=\"#\""));
}

TEST_F(WebHelpTreeTest, TitlesAreTextInTreesAndStatusLine)
{
    setItems({{1, "It's <b>\"bold\"</b> & C:\\path", "a.htm"}, {1, "Ünïcødé 中文", "b.htm"}});
    const QString js = contents.MakeJs();
    EXPECT_TRUE(js.contains(R"~(title="It's &lt;b&gt;&quot;bold&quot;&lt;/b&gt; &amp; C:\path")~"));
    EXPECT_TRUE(js.contains(R"~(onmousemove="window.status='It\'s &lt;b&gt;&quot;bold&quot;&lt;/b&gt; &amp; C:\\path'")~"));
    EXPECT_TRUE(js.contains(R"~(class="unselected">It's &lt;b&gt;&quot;bold&quot;&lt;/b&gt; &amp; C:\path</span>)~"));
    EXPECT_TRUE(js.contains(QStringLiteral("title=\"Ünïcødé 中文\"")));
    EXPECT_FALSE(js.contains("<b>"));
    const QString html = contents.MakeHTML();
    EXPECT_FALSE(html.contains("<b>"));
    EXPECT_FALSE(html.contains("onmousemove"));
}

TEST_F(WebHelpTreeTest, IconPairs)
{
    struct Case {
        int icon;
        bool children;
        bool realColor;
        const char* closed;
        const char* open;
    };
    const Case cases[] = {
        {0, true, false, "1.gif", "2.gif"},   {1, true, false, "1.gif", "2.gif"},
        {2, true, false, "1.gif", "2.gif"},   {7, true, false, "7.gif", "8.gif"},
        {8, true, false, "7.gif", "8.gif"},   {9, true, false, "9.gif", "9.gif"},
        {30, true, false, "30.gif", "30.gif"}, {0, false, false, "9.gif", "9.gif"},
        {4, false, false, "4.gif", "4.gif"},  {25, false, false, "25.gif", "25.gif"},
        {5, true, true, "1.gif", "2.gif"},    {5, false, true, "11.gif", "11.gif"},
        {0, false, true, "11.gif", "11.gif"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.icon << (c.children ? " with" : " without") << " children"
                                        << (c.realColor ? ", true colour" : ""));
        const TWebIconPair pair = WebHelpIconPair(c.icon, c.children, c.realColor);
        EXPECT_EQ(pair.Closed, c.closed);
        EXPECT_EQ(pair.Open, c.open);
    }
    // The scripted tree starts closed, the static one open.
    setItems({{1, "A", "a.htm", StatusLinked, 4}, {2, "B", "b.htm", StatusLinked, 6}});
    EXPECT_TRUE(contents.MakeJs().contains(R"~(<img id="img0" src="icons/3.gif" class="p">)~"));
    EXPECT_TRUE(contents.MakeHTML().contains(R"~(<img id="img0" src="icons/4.gif" class="p">)~"));
    EXPECT_TRUE(contents.MakeHTML().contains(R"~(<img src="icons/6.gif" class="p">)~"));
    project.RealColorIcon = true;
    EXPECT_TRUE(contents.MakeJs().contains(R"~(<img id="img0" src="icons/1.gif" class="p">)~"));
    EXPECT_TRUE(contents.MakeJs().contains(R"~(<img src="icons/11.gif" class="p">)~"));
}

TEST_F(WebHelpTreeTest, IndexSortsWithCaseAndGroupsTopics)
{
    setItems({
        {1, "It's one", "one.htm", StatusLinked, 0, "alpha\nBeta"},
        {1, "Two", "sub\\two.htm", StatusLinked, 0, "Alpha\nbeta/inner#sec\nalpha"},
        {1, "Three", "three.htm", StatusLinked, 0, "beta/other"},
        {1, "No page", "", StatusNoLink, 0, "alpha"},
    });
    EXPECT_EQ(contents.MakeIndexForWeb(),
              R"~(<option value="writepage([['It\'s one','topics/one.htm'],['Two','topics/sub/two.htm']]);">alpha</option>)~"
              R"~(<option value="writepage([['Two','topics/sub/two.htm']]);">Alpha</option>)~"
              R"~(<option value="writepage([['It\'s one','topics/one.htm']]);">Beta</option>)~"
              "<option>beta</option>\r\n"
              R"~(<option value="writepage([['Two','topics/sub/two.htm#sec']]);">&nbsp;&nbsp;&nbsp;&nbsp;inner</option>)~"
              R"~(<option value="writepage([['Three','topics/three.htm']]);">&nbsp;&nbsp;&nbsp;&nbsp;other</option>)~");

    setItems({{1, "A", "a.htm", StatusLinked, 0, "  \n"}});
    EXPECT_EQ(contents.MakeIndexForWeb(), "");
}

// Levels above a keyword are indented as deep as they lie; a "#" with
// nothing before or after it is part of the keyword's text, not an anchor.
TEST_F(WebHelpTreeTest, IndexLevelsAnchorsAndEncodedAddresses)
{
    setItems({
        {1, "One", "one.htm", StatusLinked, 0, "a/b/c\na/b/d/e\n#hash\nC#\nsetup#install"},
        {1, "Spaced", "sub dir\\R&D #1.htm", StatusLinked, 0, "spaced#part two"},
    });
    EXPECT_EQ(contents.MakeIndexForWeb(),
              R"~(<option value="writepage([['One','topics/one.htm']]);">#hash</option>)~"
              "<option>a</option>\r\n"
              "<option>&nbsp;&nbsp;&nbsp;&nbsp;b</option>\r\n"
              R"~(<option value="writepage([['One','topics/one.htm']]);">&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;c</option>)~"
              "<option>&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;d</option>\r\n"
              R"~(<option value="writepage([['One','topics/one.htm']]);">&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;e</option>)~"
              R"~(<option value="writepage([['One','topics/one.htm']]);">C#</option>)~"
              R"~(<option value="writepage([['One','topics/one.htm#install']]);">setup</option>)~"
              R"~(<option value="writepage([['Spaced','topics/sub%20dir/R%26D%20%231.htm#part%20two']]);">spaced</option>)~");
}

TEST_F(WebHelpTreeTest, IndexKeywordsAndTitlesAreText)
{
    setItems({{1, "<script>\"x\" & 'y'</script>", "a.htm", StatusLinked, 0, "a<b>/c&d\"//e"}});
    EXPECT_EQ(contents.MakeIndexForWeb(),
              "<option>a&lt;b&gt;</option>\r\n"
              R"~(<option value="writepage([['&lt;script&gt;&quot;x&quot; &amp; \'y\'&lt;/script&gt;','topics/a.htm']]);">)~"
              R"~(&nbsp;&nbsp;&nbsp;&nbsp;c&amp;d&quot;/e</option>)~");
}

TEST(WebHelpPagesTest, SavedFromMark)
{
    const QString mark = "<!-- saved from url=(0014)about:internet -->";
    EXPECT_EQ(AddSavedFromMark("<html><body>x</body></html>"),
              "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n" + mark + "\r\n<html><body>x</body></html>");
    EXPECT_EQ(AddSavedFromMark("<!doctype html>\r\n<html></html>"), "<!doctype html>\r\n" + mark + "\r\n<html></html>");
    const QString page = AddSavedFromMark("<!DOCTYPE html><html></html>");
    EXPECT_EQ(page.count("<!DOCTYPE"), 1);
    EXPECT_EQ(page, "<!DOCTYPE html>\r\n" + mark + "<html></html>");
}

TEST(WebHelpPagesTest, SyncScriptFindsTheViewerAboveThePage)
{
    const QString top = WebHelpSyncScript("a.htm", 0);
    EXPECT_EQ(top,
              "<script language=\"JavaScript\" type=\"text/JavaScript\">\r\n"
              "function syn(){try{\r\n"
              "if(parent.nav.tree){\r\n"
              " if(parent.nav.tree.loaded){\r\n"
              "  parent.nav.tree.selectNode(0);\r\n"
              " }else{\r\n"
              "  setTimeout(\"syn()\",500);\r\n"
              "}\r\n"
              "  }else{\r\n"
              "  setTimeout(\"syn()\",500);\r\n"
              "  }}catch(e){}}\r\n"
              "if(parent!=self){\r\n"
              "  setTimeout(\"syn()\",100);\r\n"
              "}else{\r\n"
              "  parent.location.href = \"../index.htm?page=a.htm\";\r\n"
              "}\r\n"
              "originalOnload = window.onload;\r\n"
              "if(originalOnload==null){\r\n"
              "window.onload = function(){try{parent.contentLoaded = true;}catch(e){}};\r\n"
              "}else{\r\n"
              "window.onload = function(){originalOnload();try{parent.contentLoaded = true;}catch(e){}};\r\n"
              "}\r\n"
              "</script> \r\n");
    const QString sub = WebHelpSyncScript("sub\\page.htm", 12);
    EXPECT_TRUE(sub.contains("parent.location.href = \"../../index.htm?page=sub/page.htm\";"));
    EXPECT_TRUE(sub.contains("parent.nav.tree.selectNode(12);"));
    EXPECT_TRUE(WebHelpSyncScript("a/b/c.htm", 1).contains("\"../../../index.htm?page=a/b/c.htm\""));
    // The viewer takes the address as a link names it: encoded.
    EXPECT_TRUE(WebHelpSyncScript(QString::fromUtf8("sub dir\\R&D \"#1\" 中.htm"), 2)
                    .contains("\"../../index.htm?page=sub%20dir/R%26D%20%22%231%22%20%E4%B8%AD.htm\""));
}

TEST(WebHelpPagesTest, AddressesAreEncodedNameByName)
{
    const struct {
        const char* path;
        const char* anchor;
        const char* address;
    } cases[] = {
        {"a.htm", "", "a.htm"},
        {"sub\\page.htm", "", "sub/page.htm"},
        {"a b.htm", "", "a%20b.htm"},
        {"R&D.htm", "", "R%26D.htm"},
        {"page#2.htm", "", "page%232.htm"},
        {"100%.htm", "", "100%25.htm"},
        {"it's \"q\".htm", "", "it%27s%20%22q%22.htm"},
        {"a:b.htm", "", "a%3Ab.htm"},
        {"Grüße/中文.htm", "", "Gr%C3%BC%C3%9Fe/%E4%B8%AD%E6%96%87.htm"},
        {"$$unsavedpage1.htm", "", "$$unsavedpage1.htm"},
        {"../x (1)+y=z;@!.htm", "", "../x%20(1)+y=z;@!.htm"},
        {"a b.htm", "part two", "a%20b.htm#part%20two"},
        {"a.htm", "ü", "a.htm#%C3%BC"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WebHelpAddress(QString::fromUtf8(c.path), QString::fromUtf8(c.anchor)), c.address) << c.path;
    EXPECT_EQ(WebHelpAddress("a b.htm"), WebHelpAddress("a b.htm", QString()));
    EXPECT_EQ(WebHelpBreadcrumb("<A href=\"../a b.htm\">A &amp; B</A> &gt; Heading &gt; <A href=\"x#1.htm\">X</A> &gt; "),
              "<A href=\"../a%20b.htm\">A &amp; B</A> &gt; Heading &gt; <A href=\"x%231.htm\">X</A> &gt; ");
}

TEST(WebHelpPagesTest, PlainTextForSearch)
{
    const struct {
        const char* html;
        const char* text;
    } cases[] = {
        {"before<html><head><title>T</title><style>p{}</style><script>x</script></head><body>a &amp; b</body></html>",
         "a &amp; b"},
        {"<body><p>one\r\ntwo<br>three<br/>four<ul><li>i</li><li>j</li></ul></body>",
         "\r\n\r\none two\r\nthree\r\nfour\r\ni\r\nj\r\n"},
        {"<body><P class=x>para<BR>x<ol><li>k</li></ol></body>", "\r\n\r\npara\r\nx\r\nk\r\n"},
        {"<body>中文 «quote»</body>", "中文 «quote»"},
        {"no tags at all", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WebHelpPlainText(QString::fromUtf8(c.html)), QString::fromUtf8(c.text)) << c.html;
}

TEST(WebHelpPagesTest, ScriptStringsAndLanguages)
{
    EXPECT_EQ(WebHelpJsString("a\\b\r\nc\"d'e</script>"), "a\\\\b\\r\\nc\\\"d\\'e</script>");
    EXPECT_EQ(WebHelpJsString(QString(QChar(0x2028))), "\\u2028");
    const QStringList codes{"", "en", "nl", "fr", "de", "it", "se", "pt", "ja", "ko", "zh", "cn", "en", "en"};
    for (int n = 0; n < codes.size(); ++n)
        EXPECT_EQ(WebHelpLanguageCode(n == 13 ? -1 : n), codes[n]) << n;
}

} // namespace
