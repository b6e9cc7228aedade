#include "PageParts.h"

#include "TextTestSupport.h"

#include <gtest/gtest.h>

TEST(GetTitle, TakesTheFirstTitleWithoutLineBreaksAndDecoded)
{
    const TextCase cases[] = {
        {"<TITLE>A&amp;B\r\nC</TITLE>", "A&BC"},
        {"<head><Title> spaced </tItle></head>", " spaced "},
        {"<title>one</title><title>two</title>", "one"},
        {"</title><title>x", ""},                 // out of order
        {"<title>no end", ""},
        {"no title at all", ""},
        {"<title></title>", ""},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(GetTitle(u8(c.input)), u8(c.expected)) << c.input;
}

TEST(SetTitle, ReplacesTheTitleOrInsertsOneAfterEachHead)
{
    const TextCase cases[] = {
        {"<HEAD><TITLE>old</TITLE></HEAD>", "<HEAD><title>A & B</title></HEAD>"},
        {"<html><HEAD></HEAD>", "<html><head>\r\n<title>A &amp; B</title>\r\n</HEAD>"},
        {"<html><head id=x></head>", "<html><head id=x></head>"},  // only "<head>" itself
        {"<body>x</body>", "<body>x</body>"},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(SetTitle(u8(c.input), "A & B"), u8(c.expected)) << c.input;
}

TEST(GetBody, IsBetweenTheBodyTagAndItsEnd)
{
    const TextCase cases[] = {
        {"<html><BODY class=a>\r\n<p>x</p></Body></html>", "\r\n<p>x</p>"},
        {"<body>a</body>b</body>", "a"},
        {"</body><body>x", ""},
        {"<body>x", ""},
        {"<body", ""},
        {"<body></body>", ""},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(GetBody(u8(c.input)), u8(c.expected)) << c.input;
    EXPECT_EQ(GetHead("<HTML><Head><title>t</title></HEAD><body>"), "<title>t</title>");
}

TEST(BodyTag, IsFoundAndInsertedAfter)
{
    EXPECT_EQ(GetBodyTag("<html><BODY bgcolor=red>x</BODY>"), "<body bgcolor=red>");
    EXPECT_EQ(GetBodyTag("<html>x"), "");
    EXPECT_EQ(GetBodyTag("<body"), "");
    EXPECT_EQ(InsertAfterBodyTag("<BODY a=1>x</BODY>", "<script/>"), "<body a=1><script/>x</BODY>");
    // Without a body start tag the page keeps its content.
    EXPECT_EQ(InsertAfterBodyTag("<p>x</p>", "<script/>"), "<p>x</p>");
}

TEST(GetH1Title, IsTheTrimmedFirstHeading)
{
    const TextCase cases[] = {
        {"<H1 class=t>\r\n  Intro &amp; more \r\n</h1>", "Intro & more"},
        {"<h1>a\r\nb</h1>", "ab"},
        {"<h1>  </h1>", "No title"},
        {"<h2>x</h2>", "No title"},
        {"</h1><h1>x", "No title"},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(GetH1Title(u8(c.input)), u8(c.expected)) << c.input;
}

TEST(GetCharset, ReadsTheValueUpToItsTerminator)
{
    const TextCase cases[] = {
        {"<meta content=\"text/html; charset=GB2312\">", "gb2312"},
        {"<meta content=\"text/html; CHARSET=utf-8 \">", "utf-8 "},
        {"<meta content='text/html; charset=big5'>", "big5"},
        {"<meta charset=\"UTF-8\">", "utf-8"},
        {"<meta charset='iso-8859-1'>", "iso-8859-1"},
        {"<meta charset=utf-8>", "utf-8"},
        {"charset=a;b c\td", "a;b c"},
        {"charset=", ""},
        {"charset=x", "x"},
        {"no declaration", ""},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(GetCharset(u8(c.input)), u8(c.expected)) << c.input;
}

TEST(SetCharset, ReplacesTheValueOrInsertsAMetaAfterEachHead)
{
    const TextCase cases[] = {
        {"<meta content=\"text/html; CHARSET=gb2312\">", "<meta content=\"text/html; charset=utf-8\">"},
        {"<meta charset=\"gb2312\">", "<meta charset=\"utf-8\">"},
        {"<HEAD><title>t</title>",
         "<head>\r\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\"><title>t</title>"},
        {"<p>no head</p>", "<p>no head</p>"},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(SetCharset(u8(c.input), "utf-8"), u8(c.expected)) << c.input;
}

TEST(FindTag, ReturnsTheTagInThePagesOwnCase)
{
    EXPECT_EQ(FindTag("<html><BODY BgColor=Red>x", "body"), "<BODY BgColor=Red>");
    EXPECT_EQ(FindTag("<meta a><META b>", "meta"), "<meta a>");
    EXPECT_EQ(FindTag("<body", "body"), "");
    EXPECT_EQ(FindTag("<p>", "body"), "");
    // Positions in the lower-cased copy are positions in the page.
    EXPECT_EQ(FindTag(u8("İİ<img src=b>"), "img"), u8("<img src=b>"));
}

TEST(GetAttribute, ReadsQuotedAndUnquotedValues)
{
    struct Case {
        const char* tag;
        const char* name;
        const char* expected;
    } const cases[] = {
        {"<a href=\"x.htm\" name=top>", "href", "x.htm"},
        {"<a href=\"x.htm\" name=top>", "NAME", "top"},
        {"<img SRC='a b.gif' alt=x>", "src", "a b.gif"},
        {"<a name=top>", "name", "top"},
        {"<a name=\"a>b\">", "name", "a"},         // a ">" ends even a quoted value that matches
        {"<a title=\"a>b\" name=n>", "name", "n"}, // but not one of another attribute
        {"<a title=\"x\"name=n>", "name", ""},     // a name starts only after whitespace
        {"<a name = top>", "name", ""},
        {"<name=x>", "name", ""},                  // the tag's own name
        {"<a\tname=t\r\nhref=h>", "href", "h"},
        {"<a href=>", "href", ""},
        {"<a name=\"unterminated", "name", ""},
        {"", "name", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetAttribute(u8(c.tag), u8(c.name)), u8(c.expected)) << c.tag << " " << c.name;
}

TEST(GetBookmarkNames, ListsAnchorsWithoutLinks)
{
    const QString html = u8("<A NAME=top></a><a href=\"x.htm\" name=link>x</a><a name=\"Second\">"
                            "<a name=>\n<a id=x><a\nname=skipped>");
    EXPECT_EQ(GetBookmarkNames(html), "top\r\nSecond");
    EXPECT_EQ(GetBookmarkNames("<a name=x"), "");
    // A ">" closer than five characters is not the tag's end.
    EXPECT_EQ(GetBookmarkNames("<a >name=late>"), "");
    EXPECT_EQ(GetBookmarkNames("<a b>c name=late>"), "late");
}

TEST(ExtractHeadStyles, CollectsStylesBeforeTheBody)
{
    const QString html = u8("<html><head><STYLE type=text/css>p{}</Style>\n<style>\r\na{}</style >x"
                            "<link></head><body><style>inside body</style></body>");
    EXPECT_EQ(ExtractHeadStyles(html),
              u8("<STYLE type=text/css>p{}</Style>\r\n<style>\r\na{}</style \r\n"));
    // A closing tag closes what is open above its element too.
    EXPECT_EQ(ExtractHeadStyles("<style><b>x</style>"), "<style><b>x</style>\r\n");
    EXPECT_EQ(ExtractHeadStyles("<style>x</b></style"), "<style>x</b></style\r\n");
    EXPECT_EQ(ExtractHeadStyles("<style>x"), "");
    EXPECT_EQ(ExtractHeadStyles("<BODY><style>x</style>"), "");
}
