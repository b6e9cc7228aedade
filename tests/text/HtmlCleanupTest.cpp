#include "HtmlCleanup.h"

#include "TextTestSupport.h"

#include <gtest/gtest.h>

TEST(RemoveBetween, DropsEachMarkedSpanWithExactCase)
{
    const TextCase cases[] = {
        {"a<!--BEGINBAR-->x<!--ENDBAR-->b<!--BEGINBAR-->y<!--ENDBAR-->c", "abc"},
        {"a<!--BEGINBAR-->x", "a<!--BEGINBAR-->x"},
        {"a<!--beginbar-->x<!--endbar-->", "a<!--beginbar-->x<!--endbar-->"},
        {"<!--ENDBAR-->a<!--BEGINBAR-->b<!--ENDBAR-->c", "<!--ENDBAR-->ac"},
        {"a<!--BEGINBAR-->x<!--ENDBAR-->b<!--BEGINBAR-->y", "ab<!--BEGINBAR-->y"},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(RemoveBetween(u8(c.input), "<!--BEGINBAR-->", "<!--ENDBAR-->"), u8(c.expected)) << c.input;
    EXPECT_EQ(RemoveBetween("abc", "", "x"), "abc");
    EXPECT_EQ(RemoveBetween("a<s>b<s>c", "<s>", ""), "abc");
}

TEST(RemoveBetweenText, ComparesWithoutCaseAndFoldsTheMarks)
{
    const QString page = u8("<META http-equiv=X-UA-Compatible content=IE=8>x<Meta charset=utf-8>");
    EXPECT_EQ(RemoveBetweenText(page, "<meta", ">", "x-ua-compatible"), u8("x<meta charset=utf-8>"));
    EXPECT_EQ(RemoveBetweenText(page, "<meta", ">"), u8("x"));
    // The end mark is searched from the start mark itself.
    EXPECT_EQ(RemoveBetweenText("a<!-->b", "<!--", "-->"), "ab");
    EXPECT_EQ(RemoveBetween("a<!-->b", "<!--", "-->"), "a<!-->b");
    // A span without the text stays whole; the search goes on after it.
    EXPECT_EQ(RemoveBetweenText("<a>1</a><A>2x</A><a>3</a>", "<a>", "</a>", "X"), "<a>1</a><a>3</a>");
    EXPECT_EQ(RemoveBetweenText("<TITLE>t</TITLE>", "<title", "</title>"), "");
    EXPECT_EQ(RemoveBetweenText("A<B", "<b", ""), "A<b");
    EXPECT_EQ(RemoveBetweenText("<b>x", "<b>", "</b>"), "<b>x");
}

TEST(CleanWordHtml, RemovesWordMarkupFromWordPagesOnly)
{
    const QString word = u8(
        "<html xmlns:v=\"urn:schemas-microsoft-com:vml\" xmlns=\"http://www.w3.org/TR/REC-html40\">\r\n"
        "<head>\r\n<meta name=ProgId content=Word.Document>\r\n"
        "<meta name=Generator content=\"Microsoft Word 15\">\r\n"
        "<meta name=Originator content=\"Microsoft Word 15\">\r\n"
        "<link rel=File-List href=\"a_files/filelist.xml\">\r\n"
        "<link rel=Edit-Time-Data href=\"a_files/editdata.mso\">\r\n"
        "<link rel=themeData href=\"a_files/themedata.thmx\">\r\n"
        "<!--[if gte mso 9]><xml><o:DocumentProperties/></xml><![endif]-->"
        "<style>@page WordSection1 {size:8.5in 11.0in;} @page {mso-footnote-separator:url(\"a_files/header.htm\") fs;}</style>"
        "</head><body><p>a<o:p></o:p></p>\r\n\r\n\r\n<p><O:P>&nbsp;</o:p></p>"
        "<![if !supportLists]>1.<![endif]><![if supportFields]>field<![endif]>"
        "</body></html>");
    // The six line ends left after the removed lines go as two triples.
    const QString expected = u8(
        "<html>\r\n<head>\r\n<meta name=ProgId content=Word.Document>"
        "<style>@page WordSection1 {size:8.5in 11.0in;} </style>"
        "</head><body><p>a</p><p>&nbsp;</p>1.</body></html>");
    EXPECT_EQ(CleanWordHtml(word), expected);

    const QString other = u8("<html><!--[if IE]>x<![endif]--><o:p></o:p></html>");
    EXPECT_EQ(CleanWordHtml(other), other);
}

TEST(CleanWordHtml, KeepsTheRestWhenAConditionalIsNotClosed)
{
    const QString page = u8("<meta name=ProgId content=Word.Document>a<!--[if x]>b<![if c]>d");
    EXPECT_EQ(CleanWordHtml(page), page);
}

TEST(CleanEditorHtml, CleansCellsAndEmptyFonts)
{
    const TextCase cases[] = {
        {"<TD style=\"COLOR: \" width=1>x</TD>", "<TD>x</TD>"},
        {"<tr bgColor=>", "<tr>"},
        {"<td bgColor= width=2\r\nheight=3 borderColor=>", "<td width=2 height=3 >"},
        {"<TD\r\nwidth=2>", "<TD width=2>"},
        {"<tdx bgColor= >", "<tdx bgColor= >"},
        {"<p><FONT >a<b>b</b></FONT></p>", "<p>a<b>b</b></p>"},
        {"<font><b>x</font>y", "<b>xy"},
        {"<font><font>x</font></font>", "x"},
        {"<font color=red><font>x</font>y</font>", "<font color=red>xy</font>"},
        {"<font\r\nface=Arial\r\n  size=2>x</font>", "<font face=Arial size=2>x</font>"},
        {"</p>x<br>", "</p>x<br>"},
        {"<b>x</B>", "<b>x</B>"},
        {"a < b", "a < b"},
        {"<font", "<font"},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(CleanEditorHtml(u8(c.input)), u8(c.expected)) << c.input;
}

TEST(CleanEditorHtml, SurvivesDeepNesting)
{
    QString deep;
    for (int i = 0; i < 200000; ++i)
        deep += "<font><div>";
    EXPECT_EQ(CleanEditorHtml(deep).size(), 200000 * 5);
}

TEST(CollapseTagSpaces, CollapsesInsideTheNamedStartTags)
{
    EXPECT_EQ(CollapseTagSpaces(u8("<IMG  src=a\r\n\talt=b>  <img>"), "img"), u8("<IMG src=a alt=b>  <img>"));
    EXPECT_EQ(CollapseTagSpaces(u8("<p  a=1><img\n"), "img"), u8("<p  a=1><img\n"));
    const QString big = "<img  a>" + QString(100000, u'x');
    EXPECT_EQ(CollapseTagSpaces(big, "img"), big);
    const QString limit = "<img  a>" + QString(100000 - 8, u'x');
    EXPECT_EQ(CollapseTagSpaces(limit, "img").left(7), "<img a>");
}
