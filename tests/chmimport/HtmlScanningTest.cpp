// The tag sets, whitespace routines, tag reading, body splitting and the
// element stack the page scanners share.
#include "HtmlScanning.h"
#include "THtmlTags.h"

#include <gtest/gtest.h>

namespace {

TEST(TagSetsTest, MembershipIgnoresCaseAndFollowsEachSet)
{
    struct Case {
        const char* name;
        bool boundary, element, nonDoc, empty;
    };
    const Case cases[] = {
        {"p", true, false, false, false},   {"BR", true, false, false, true},
        {"div", true, true, false, false},  {"Li", true, true, false, true},
        {"frameset", true, true, true, false}, {"script", false, false, true, false},
        {"img", false, false, false, true}, {"span", false, false, false, false},
        {"!--", false, false, false, false}, {"TbOdY", true, true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString name = QString::fromLatin1(c.name);
        EXPECT_EQ(IsBlockBoundaryTag(name), c.boundary);
        EXPECT_EQ(IsBlockElementTag(name), c.element);
        EXPECT_EQ(IsNonDocumentTag(name), c.nonDoc);
        EXPECT_EQ(IsEmptyTag(name), c.empty);
    }
    EXPECT_TRUE(IsUrlAttribute("background"));
    EXPECT_FALSE(IsUrlAttribute("alt"));
    EXPECT_TRUE(IsPageExtension(".sHtml"));
    EXPECT_FALSE(IsPageExtension(".css"));
}

TEST(WhitespaceTest, OnlyTabLineBreaksAndSpaceCount)
{
    EXPECT_EQ(CollapseWhitespace(QStringLiteral("  a \r\n\t b  ")), QStringLiteral("a b"));
    EXPECT_EQ(TrimWhitespace(QStringLiteral(" \r\n ")), QString());
    const QString nbsp = QString(QChar(0xA0)) + QStringLiteral("a") + QChar(0xA0);
    EXPECT_EQ(CollapseWhitespace(nbsp), nbsp);
    EXPECT_EQ(TrimWhitespace(nbsp), nbsp);
    EXPECT_EQ(TrimWhitespace(QStringLiteral("\t x y \n")), QStringLiteral("x y"));
}

TEST(ReadTagTest, NamesEndTagsAndTagsThatMakeNoElement)
{
    struct Case {
        const char* html;
        const char* name;
        bool end, valid;
        const char* text;
    };
    const Case cases[] = {
        {"<br/>x", "br", false, true, "<br/>"},
        {"<br>x", "br", false, true, "<br>"},
        {"</TD >", "TD", true, true, "</TD >"},
        {"<IMG SRC=x>", "IMG", false, true, "<IMG SRC=x>"},
        {"<!-- c -->", "!--", false, true, "<!-- c -->"},
        {"<p\nclass=a>", "p", false, true, "<p\nclass=a>"},
        {"< p>", "", false, false, "< p>"},
        {"<>", "", false, false, "<>"},
        {"</>", "", false, false, "</>"},
        {"<div", "div", false, true, "<div"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.html);
        const TTagRead tag = ReadTag(QString::fromLatin1(c.html), 0);
        EXPECT_EQ(tag.Name, QString::fromLatin1(c.name));
        EXPECT_EQ(tag.End, c.end);
        EXPECT_EQ(tag.Valid, c.valid);
        EXPECT_EQ(tag.Text, QString::fromLatin1(c.text));
    }
}

TEST(SplitAtBodyTest, BeforeBodyAndAfter)
{
    struct Case {
        const char* html;
        const char* before;
        const char* body;
        const char* after;
    };
    const Case cases[] = {
        {"<html><BODY bgcolor=white>text</BODY></html>", "<html><BODY bgcolor=white>", "text", "</BODY></html>"},
        {"<p>fragment</p>", "", "<p>fragment</p>", ""},
        {"<body><table><tbody><tr><td>x</td></tr></tbody></table>", "<body>",
         "<table><tbody><tr><td>x</td></tr></tbody></table>", ""},
        {"<body\nid=a>a</body>b</BODY>", "<body\nid=a>", "a", "</BODY>"},
        {"</body><body>x", "</body><body>", "x", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.html);
        const TBodyParts parts = SplitAtBody(QString::fromLatin1(c.html));
        EXPECT_EQ(parts.Before, QString::fromLatin1(c.before));
        EXPECT_EQ(parts.Body, QString::fromLatin1(c.body));
        EXPECT_EQ(parts.After, QString::fromLatin1(c.after));
    }
}

// A small forward scanner over the stack, keeping tags and text.
QString Scan(const QString& html)
{
    THtmlTags stack;
    for (qsizetype at = 0; at < html.size();) {
        if (html[at] != QLatin1Char('<')) {
            stack.Current().Inner += html[at];
            stack.Current().InnerText += html[at];
            stack.Current().CharCount += IsScanWhitespace(html[at]) ? 0 : 1;
            ++at;
            continue;
        }
        const TTagRead tag = ReadTag(html, at);
        at = tag.Next;
        if (!tag.Valid)
            continue;
        if (tag.End)
            stack.Close(tag.Name, tag.Text, THtmlTags::Fold::KeepTags);
        else if (IsEmptyTag(tag.Name))
            stack.Current().Inner += tag.Text;
        else
            stack.Open(tag.Name, tag.Text);
    }
    stack.FoldAll(THtmlTags::Fold::KeepTags);
    return stack.Root().Inner;
}

TEST(ElementStackTest, UnclosedAndStrayTagsFold)
{
    // The unclosed div is folded into the cell, without an end tag of its own.
    EXPECT_EQ(Scan("<table><tr><td><div>a</td></tr></table>"), "<table><tr><td><div>a</td></tr></table>");
    // A stray end tag opens and closes nothing.
    EXPECT_EQ(Scan("<p>a</div>b</p>"), "<p>ab</p>");
    EXPECT_EQ(Scan("<p>a<br/>b<br>c<IMG SRC=x></p>"), "<p>a<br/>b<br>c<IMG SRC=x></p>");
    // Never closed at all: folded at the end of the scan.
    EXPECT_EQ(Scan("<b><i>x"), "<b><i>x");
}

TEST(ElementStackTest, FoldingAddsCountsAndFollowsNonDocument)
{
    THtmlTags stack;
    EXPECT_EQ(stack.Root().Name, "Root");
    EXPECT_EQ(stack.FindOpen("Root"), -1);
    THtmlTag& head = stack.Open("HEAD", "<HEAD>");
    EXPECT_TRUE(head.NonDoc);
    EXPECT_TRUE(head.NotCut);
    EXPECT_TRUE(head.InTop);
    EXPECT_TRUE(stack.Open("span", "<span>").NonDoc);
    stack.Current().CharCount = 3;
    stack.Current().Blocks = 2;
    stack.Current().Inner = "abc";
    EXPECT_FALSE(stack.Close("div", "</div>", THtmlTags::Fold::DropTags));
    EXPECT_EQ(stack.Count(), 3);
    EXPECT_TRUE(stack.Close("head", "</head>", THtmlTags::Fold::DropTags));
    EXPECT_EQ(stack.Count(), 1);
    EXPECT_EQ(stack.Root().Inner, "abc");
    EXPECT_EQ(stack.Root().CharCount, 3);
    EXPECT_EQ(stack.Root().Blocks, 2);
    stack.Open("p", "<p>");
    stack.SetCount(0);
    EXPECT_EQ(stack.Count(), 1);
}

} // namespace
