#include "EditorTestSupport.h"

#include "IHTMLControlRange.h"
#include "IHTMLStyle.h"
#include "QuorixError.h"

namespace {

const QString Words = QStringLiteral(
    "<html><body><p>The quick, brown fox's <b>den</b>.</p><p>Second  para</p></body></html>");

} // namespace

// Walking the page word by word as the spell checker does: a word takes
// the blanks after it, a punctuation mark is a word of its own, and a
// paragraph boundary ends a word.
TEST_F(EditorTest, WordMovesWalkThePageText)
{
    load(Words);
    auto range = element(QStringLiteral("BODY"))->createTextRange();
    range->collapse(true);
    QStringList words;
    for (;;) {
        if (range->moveEnd(QStringLiteral("word"), 1) == 0)
            break;
        words << range->text();
        range->collapse(false);
    }
    EXPECT_EQ(words, (QStringList{QStringLiteral("The "), QStringLiteral("quick"), QStringLiteral(", "),
                                  QStringLiteral("brown "), QStringLiteral("fox's "), QStringLiteral("den"),
                                  QStringLiteral("."), QStringLiteral("Second  "), QStringLiteral("para")}));

    // Backwards, and by characters; the answer counts the units moved.
    EXPECT_EQ(range->moveStart(QStringLiteral("word"), -2), -2);
    EXPECT_EQ(range->text(), QStringLiteral("Second  para"));
    range->collapse(true);
    EXPECT_EQ(range->moveEnd(QStringLiteral("character"), 3), 3);
    EXPECT_EQ(range->text(), QStringLiteral("Sec"));
    EXPECT_EQ(range->moveStart(QStringLiteral("character"), -1000), -(QStringLiteral("The quick, brown fox's den.").size() + 1));
    EXPECT_THROW(range->moveEnd(QStringLiteral("sentence"), 1), EQuorixError);
}

TEST_F(EditorTest, TextRangesEditThePage)
{
    load(Words);
    auto whole = element(QStringLiteral("BODY"))->createTextRange();
    auto word = whole->duplicate();
    word->collapse(true);
    word->moveEnd(QStringLiteral("word"), 2); // "The quick"
    word->moveEnd(QStringLiteral("character"), -0);
    EXPECT_TRUE(whole->inRange(*word));
    EXPECT_FALSE(word->inRange(*whole));
    EXPECT_EQ(word->parentElement()->tagName(), QStringLiteral("P"));

    // Setting the text keeps the range over the new text, as a replace needs.
    word->setText(QStringLiteral("A slow"));
    EXPECT_EQ(word->text(), QStringLiteral("A slow"));
    EXPECT_TRUE(element(QStringLiteral("P"))->innerText().startsWith(QStringLiteral("A slow, brown")));

    auto den = element(QStringLiteral("B"))->createTextRange();
    EXPECT_EQ(den->htmlText(), QStringLiteral("den"));
    den->pasteHTML(QStringLiteral("<i>lair</i> and <u>cave</u>"));
    EXPECT_EQ(element(QStringLiteral("B"))->innerHTML(), QStringLiteral("<i>lair</i> and <u>cave</u>"));
    EXPECT_EQ(den->text(), QString()) << "collapsed after the pasted HTML";
    EXPECT_TRUE(edit->IsDirty());
}

// A bookmark puts a selection back on the same text after the page was
// loaded again, as the history does after an undo.
TEST_F(EditorTest, BookmarksSurviveAReload)
{
    load(Words);
    auto range = element(QStringLiteral("P"), 1)->createTextRange();
    range->moveStart(QStringLiteral("character"), 2);
    range->moveEnd(QStringLiteral("character"), -3);
    ASSERT_EQ(range->text(), QStringLiteral("cond  p"));
    range->select();
    const QString bookmark = dom().createSelectionRange()->getBookmark();

    load(edit->DocumentHTML());
    EXPECT_THROW(range->text(), EQuorixError) << "objects of the earlier page are gone";
    auto restored = element(QStringLiteral("BODY"))->createTextRange();
    ASSERT_TRUE(restored->moveToBookmark(bookmark));
    restored->select();
    EXPECT_EQ(dom().selectionType(), QStringLiteral("Text"));
    EXPECT_EQ(dom().createSelectionRange()->text(), QStringLiteral("cond  p"));
    EXPECT_FALSE(restored->moveToBookmark(QStringLiteral("garbage")));
}

TEST_F(EditorTest, ElementsAttributesAndHtml)
{
    load(QStringLiteral("<html><body><p id=\"a\" style=\"color: red\">one <a href=\"x.htm\" target=\"_blank\">link</a></p>"
                        "<img src=\"pic.gif\" alt=\"pic\"></body></html>"));
    const THtmlElementPtr link = element(QStringLiteral("A"));
    ASSERT_TRUE(link);
    EXPECT_EQ(link->tagName(), QStringLiteral("A"));
    EXPECT_EQ(link->parentElement()->getAttribute(QStringLiteral("id")), QStringLiteral("a"));
    EXPECT_EQ(link->getAttribute(QStringLiteral("target")), QStringLiteral("_blank"));
    EXPECT_TRUE(link->removeAttribute(QStringLiteral("target")));
    EXPECT_FALSE(link->removeAttribute(QStringLiteral("target")));
    EXPECT_FALSE(link->hasAttribute(QStringLiteral("target")));
    link->setAttribute(QStringLiteral("name"), QStringLiteral("m1"));
    EXPECT_EQ(link->outerHTML(), QStringLiteral("<a href=\"x.htm\" name=\"m1\">link</a>"));
    link->setInnerText(QStringLiteral("<text>"));
    EXPECT_EQ(link->innerHTML(), QStringLiteral("&lt;text&gt;"));

    const THtmlElementPtr paragraph = element(QStringLiteral("P"));
    EXPECT_EQ(paragraph->style()->getPropertyValue(QStringLiteral("color")), QStringLiteral("red"));
    paragraph->style()->setProperty(QStringLiteral("text-align"), QStringLiteral("center"));
    EXPECT_EQ(paragraph->getAttribute(QStringLiteral("style")), QStringLiteral("color: red; text-align: center;"));

    // Replacing an element's outer HTML replaces it in the page.
    element(QStringLiteral("IMG"))->setOuterHTML(QStringLiteral("<a href=\"big.htm\"><img src=\"pic.gif\" border=\"0\"></a>"));
    EXPECT_EQ(dom().getElementsByTagName(QStringLiteral("a")).size(), 2);
    EXPECT_TRUE(edit->DocumentHTML().contains(QStringLiteral("<a href=\"big.htm\"><img src=\"pic.gif\" border=\"0\"></a>")));
    EXPECT_TRUE(edit->IsDirty());
}

// The run-time style shows in the editor but never reaches the page's HTML,
// and setting it is no edit; the author's own style stays as it was.
TEST_F(EditorTest, RuntimeStyleIsNotPartOfThePage)
{
    load(QStringLiteral("<html><body><p><a name=\"mark\" style=\"color: green\">here</a></p></body></html>"));
    const QString before = edit->DocumentHTML();
    const THtmlElementPtr mark = element(QStringLiteral("A"));
    auto runtime = mark->runtimeStyle();
    runtime->setProperty(QStringLiteral("border-bottom-style"), QStringLiteral("dotted"));
    runtime->setProperty(QStringLiteral("border-bottom-color"), QStringLiteral("#FF0000"));
    EXPECT_EQ(runtime->getPropertyValue(QStringLiteral("border-bottom-style")), QStringLiteral("dotted"));
    EXPECT_EQ(pageScript(QStringLiteral("getComputedStyle(document.querySelector('a')).borderBottomStyle")).toString(),
              QStringLiteral("dotted"));
    EXPECT_EQ(edit->DocumentHTML(), before);
    EXPECT_EQ(mark->outerHTML(), QStringLiteral("<a name=\"mark\" style=\"color: green\">here</a>"));
    EXPECT_EQ(mark->style()->cssText(), QStringLiteral("color: green;"));
    EXPECT_FALSE(edit->IsDirty());

    // An edit of the author's style under the run-time layer is kept and is an edit.
    mark->style()->setProperty(QStringLiteral("font-weight"), QStringLiteral("bold"));
    EXPECT_TRUE(edit->IsDirty());
    EXPECT_TRUE(edit->DocumentHTML().contains(QStringLiteral("style=\"color: green; font-weight: bold;\"")));

    runtime->setCssText(QString());
    EXPECT_EQ(pageScript(QStringLiteral("getComputedStyle(document.querySelector('a')).borderBottomStyle")).toString(),
              QStringLiteral("none"));
    EXPECT_TRUE(edit->DocumentHTML().contains(QStringLiteral("style=\"color: green; font-weight: bold;\"")));
}

TEST_F(EditorTest, TablesRowsAndCells)
{
    load(QStringLiteral("<html><body><table><tr><td width=\"50\" bgcolor=\"#eeeeee\">a</td><td colspan=\"2\">b</td>"
                        "</tr></table></body></html>"));
    const THtmlElementPtr table = element(QStringLiteral("TABLE"));
    ASSERT_EQ(table->rows().size(), 1);
    const QList<THtmlElementPtr> cells = table->rows()[0]->cells();
    ASSERT_EQ(cells.size(), 2);
    EXPECT_EQ(cells[1]->cellIndex(), 1);
    EXPECT_EQ(cells[1]->property(QStringLiteral("colSpan")).toInt(), 2);
    EXPECT_EQ(cells[0]->property(QStringLiteral("bgColor")).toString(), QStringLiteral("#eeeeee"));
    EXPECT_EQ(cells[0]->getAttribute(QStringLiteral("width")), QStringLiteral("50"));

    const THtmlElementPtr row = table->insertRow(-1);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->tagName(), QStringLiteral("TR"));
    const THtmlElementPtr cell = row->insertCell(-1);
    cell->setInnerHTML(QStringLiteral("&nbsp;"));
    cell->setProperty(QStringLiteral("rowSpan"), 2);
    EXPECT_EQ(table->rows().size(), 2);
    EXPECT_TRUE(table->outerHTML().contains(QStringLiteral("<tr><td rowspan=\"2\">&nbsp;</td></tr>")));
}

// A selected picture makes a control selection whose common parent is the
// picture itself.
TEST_F(EditorTest, ControlSelection)
{
    load(QStringLiteral("<html><body><p>a <img src=\"x.gif\" width=\"20\" height=\"20\"> b</p></body></html>"));
    EXPECT_EQ(dom().selectionType(), QStringLiteral("None"));
    EXPECT_EQ(dom().createControlRange(), nullptr);
    EXPECT_TRUE(dom().createSelectionRange()->text().isEmpty());

    pageScript(QStringLiteral("var r = document.createRange(); r.selectNode(document.querySelector('img'));"
                              "getSelection().removeAllRanges(); getSelection().addRange(r);"));
    EXPECT_EQ(dom().selectionType(), QStringLiteral("Control"));
    auto controls = dom().createControlRange();
    ASSERT_TRUE(controls);
    EXPECT_EQ(controls->length(), 1);
    EXPECT_EQ(controls->commonParentElement()->tagName(), QStringLiteral("IMG"));
    EXPECT_EQ(controls->item(0)->getAttribute(QStringLiteral("src")), QStringLiteral("x.gif"));
    EXPECT_EQ(edit->QueryStatus(DHTMLEdit::DECMD_DELETE), DHTMLEdit::DECMDF_ENABLED);
}
