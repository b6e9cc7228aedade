#include "EditorTestSupport.h"

#include "QtPrinting.h"

namespace {

// Tables as authors write them: the first without <tbody> (the parser adds
// one), one with it, one inside a cell of another.
const QString Tables = QStringLiteral(
    "<!DOCTYPE html>\n<html><head><title>t</title></head><body>"
    "<table border=\"1\"><tr><td>plain a</td><td>plain b</td></tr></table>"
    "<table><tbody><tr><td>explicit</td></tr></tbody></table>"
    "<table><tr><td>outer<table><tr><td>inner cell</td></tr></table></td></tr></table>"
    "<!-- <table> in a comment --><script>var t = '<table>';</script>"
    "<p>after</p></body></html>");

} // namespace

// Load, read, load again: the same text, with no row group the author did
// not write; reading leaves the selection where it was.
TEST_F(EditorTest, TablesReadBackAsWritten)
{
    load(Tables);
    EXPECT_EQ(edit->DocumentHTML(), Tables);
    EXPECT_EQ(element(QStringLiteral("TBODY"), 0)->parentElement()->rows().size(), 1) << "the page itself keeps its groups";

    selectContents(element(QStringLiteral("TD"), 1));
    const QString before = edit->SelectionBookmark();
    EXPECT_EQ(edit->DocumentHTML(), Tables);
    EXPECT_EQ(edit->SelectionBookmark(), before);
    EXPECT_EQ(dom().createSelectionRange()->text(), QStringLiteral("plain b"));
    EXPECT_FALSE(edit->IsDirty()) << "reading is no edit";

    // An edit inside such a table keeps the rest as written.
    element(QStringLiteral("TD"), 1)->setInnerText(QStringLiteral("changed"));
    QString expected = Tables;
    expected.replace(QStringLiteral("plain b"), QStringLiteral("changed"));
    EXPECT_EQ(edit->DocumentHTML(), expected);
    load(expected);
    EXPECT_EQ(edit->DocumentHTML(), expected);
}

// A bookmark finds its place again in the page loaded from the text of the
// page it was taken in, also where editing split a text node; it keeps the
// scroll position.
TEST_F(EditorTest, BookmarksFindTheirPlaceInTheReloadedText)
{
    QString body;
    for (int i = 0; i < 200; ++i)
        body += QStringLiteral("<p>line %1</p>").arg(i);
    load(QStringLiteral("<html><head></head><body>") + body + QStringLiteral("<p id=\"x\">alpha beta</p></body></html>"));
    // "alpha beta" as three text nodes, and an empty one: the parser makes one.
    pageScript(QStringLiteral("const t = document.getElementById('x').firstChild; t.splitText(6).splitText(2);"
                              "t.parentNode.insertBefore(document.createTextNode(''), t.nextSibling);"
                              "const r = document.createRange(); const n = t.nextSibling.nextSibling;"
                              "r.setStart(n, 0); r.setEnd(n.nextSibling, 2); getSelection().removeAllRanges(); getSelection().addRange(r);"
                              "document.getElementById('x').scrollIntoView();"));
    ASSERT_EQ(dom().createSelectionRange()->text(), QStringLiteral("beta"));
    const QString bookmark = edit->SelectionBookmark();
    const int scrolled = pageScript(QStringLiteral("Math.round(window.scrollY)")).toInt();
    ASSERT_GT(scrolled, 0);

    load(edit->DocumentHTML());
    EXPECT_EQ(pageScript(QStringLiteral("window.scrollY")).toInt(), 0);
    ASSERT_TRUE(edit->SelectBookmark(bookmark));
    EXPECT_EQ(dom().createSelectionRange()->text(), QStringLiteral("beta"));
    EXPECT_EQ(pageScript(QStringLiteral("Math.round(window.scrollY)")).toInt(), scrolled);

    // A caret is a place too; text that is no bookmark is refused.
    pageScript(QStringLiteral("const r = document.createRange(); r.setStart(document.getElementById('x').firstChild, 3);"
                              "getSelection().removeAllRanges(); getSelection().addRange(r);"));
    const QString caret = edit->SelectionBookmark();
    load(edit->DocumentHTML());
    ASSERT_TRUE(edit->SelectBookmark(caret));
    EXPECT_EQ(edit->SelectionBookmark(), caret);
    EXPECT_FALSE(edit->SelectBookmark(QStringLiteral("quorix-path:{broken")));
    EXPECT_EQ(edit->SelectionBookmark(), caret);

    // A page too short for the place: as near as it goes.
    load(QStringLiteral("<html><head></head><body><p>short</p></body></html>"));
    EXPECT_TRUE(edit->SelectBookmark(bookmark));
    EXPECT_EQ(dom().selectionType(), QStringLiteral("None"));
}

// The change counter moves with every edit and every page, not with the
// caret; a picture selected is no text place.
TEST_F(EditorTest, ChangeCountAndControlSelection)
{
    load(QStringLiteral("<html><head></head><body><p>a <img src=\"x.gif\" width=\"20\" height=\"20\"> b</p></body></html>"));
    const quint64 loaded = edit->ChangeCount();
    selectContents(element(QStringLiteral("P")));
    EXPECT_EQ(edit->ChangeCount(), loaded);
    element(QStringLiteral("P"))->setAttribute(QStringLiteral("align"), QStringLiteral("center"));
    const quint64 edited = edit->ChangeCount();
    EXPECT_NE(edited, loaded);
    load(edit->DocumentHTML());
    EXPECT_NE(edit->ChangeCount(), edited) << "another page";
    EXPECT_FALSE(edit->IsDirty());

    pageScript(QStringLiteral("var r = document.createRange(); r.selectNode(document.querySelector('img'));"
                              "getSelection().removeAllRanges(); getSelection().addRange(r);"));
    EXPECT_EQ(edit->SelectionBookmark(), QString::fromUtf16(DHTMLEdit::SelectionControlRecord));
}
