#include "OperationTestSupport.h"

#include "TFindDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDialog>
#include <QTimer>

using namespace DHTMLEdit;

namespace {

const QString Words = QStringLiteral("<p>hello world</p>");
const QString TwoParagraphs = QStringLiteral("<p>hello world</p><p>second line</p>");
// a spans two rows, d two columns:
//   a b c
//   a d d
//   e f g
const QString MergedTable = QStringLiteral(
    "<table border=\"1\"><tr><td rowspan=\"2\">a</td><td>b</td><td>c</td></tr>"
    "<tr><td colspan=\"2\">d</td></tr><tr><td>e</td><td>f</td><td>g</td></tr></table>");

struct TCommandCase {
    const char* Name;
    QString Body;      // the fixture page's body
    QString From, To;  // the selection: from the start of From to the end of To
    int Caret;         // 0 the selection, 1 a caret before From, 2 after it
    int Command;
    QString Value;
    int StatusBefore;
    QString Expected;  // the body afterwards
    int StatusAfter;
};

// Every command of the control, through the command layer: the page it
// leaves and what it reports before and after.
const TCommandCase Cases[] = {
    {"bold", Words, "world", {}, 0, DECMD_BOLD, {}, DECMDF_ENABLED, "<p>hello <b>world</b></p>", DECMDF_LATCHED},
    {"bold off", "<p>hello <b>world</b></p>", "world", {}, 0, DECMD_BOLD, {}, DECMDF_LATCHED, Words, DECMDF_ENABLED},
    {"italic", Words, "hello", {}, 0, DECMD_ITALIC, {}, DECMDF_ENABLED, "<p><i>hello</i> world</p>", DECMDF_LATCHED},
    {"underline", Words, "world", {}, 0, DECMD_UNDERLINE, {}, DECMDF_ENABLED, "<p>hello <u>world</u></p>",
     DECMDF_LATCHED},
    {"bold mixed", "<p><b>hello</b> world</p>", "hello", "world", 0, DECMD_BOLD, {}, DECMDF_NINCHED,
     "<p><b>hello world</b></p>", DECMDF_LATCHED},
    {"copy", Words, "world", {}, 0, DECMD_COPY, {}, DECMDF_ENABLED, Words, DECMDF_ENABLED},
    {"copy at a caret", Words, "world", {}, 1, DECMD_COPY, {}, DECMDF_DISABLED, Words, DECMDF_DISABLED},
    {"cut", Words, " world", {}, 0, DECMD_CUT, {}, DECMDF_ENABLED, "<p>hello</p>", DECMDF_DISABLED},
    {"delete", Words, "hello ", {}, 0, DECMD_DELETE, {}, DECMDF_ENABLED, "<p>world</p>", DECMDF_DISABLED},
    {"paste", Words, "hello", {}, 2, DECMD_PASTE, {}, DECMDF_ENABLED, "<p>hello, pasted world</p>", DECMDF_ENABLED},
    {"find", Words, "hello", {}, 1, DECMD_FINDTEXT, {}, DECMDF_ENABLED, Words, DECMDF_ENABLED},
    {"indent", Words, "hello", {}, 1, DECMD_INDENT, {}, DECMDF_ENABLED,
     "<blockquote style=\"margin: 0 0 0 40px; border: none; padding: 0px;\"><p>hello world</p></blockquote>",
     DECMDF_ENABLED},
    {"outdent", "<blockquote><p>hello world</p></blockquote>", "hello", {}, 1, DECMD_OUTDENT, {}, DECMDF_ENABLED,
     Words, DECMDF_ENABLED},
    {"centre", Words, "hello", {}, 1, DECMD_JUSTIFYCENTER, {}, DECMDF_ENABLED,
     "<p style=\"text-align: center;\">hello world</p>", DECMDF_LATCHED},
    {"left", "<p align=\"right\">hello world</p>", "hello", {}, 1, DECMD_JUSTIFYLEFT, {}, DECMDF_ENABLED,
     "<p align=\"right\" style=\"text-align: left;\">hello world</p>", DECMDF_LATCHED},
    {"right", Words, "hello", {}, 1, DECMD_JUSTIFYRIGHT, {}, DECMDF_ENABLED,
     "<p style=\"text-align: right;\">hello world</p>", DECMDF_LATCHED},
    {"numbered list", TwoParagraphs, "hello", "second", 0, DECMD_ORDERLIST, {}, DECMDF_ENABLED,
     "<ol><li>hello world</li><li>second line</li></ol>", DECMDF_LATCHED},
    {"numbered list off", "<ol><li>hello world</li></ol>", "hello", {}, 1, DECMD_ORDERLIST, {}, DECMDF_LATCHED,
     "hello world", DECMDF_ENABLED},
    {"bulleted list", Words, "hello", {}, 1, DECMD_UNORDERLIST, {}, DECMDF_ENABLED, "<ul><li>hello world</li></ul>",
     DECMDF_LATCHED},
    {"remove format", "<p><b>hello</b> <i>world</i></p>", "hello", "world", 0, DECMD_REMOVEFORMAT, {},
     DECMDF_ENABLED, Words, DECMDF_ENABLED},
    {"select all", TwoParagraphs, "hello", {}, 1, DECMD_SELECTALL, {}, DECMDF_ENABLED, TwoParagraphs,
     DECMDF_ENABLED},
    {"back colour", Words, "world", {}, 0, DECMD_SETBACKCOLOR, {}, DECMDF_ENABLED,
     "<p>hello <span style=\"background-color: rgb(255, 255, 0);\">world</span></p>", DECMDF_ENABLED},
    {"fore colour", Words, "world", {}, 0, DECMD_SETFORECOLOR, {}, DECMDF_ENABLED,
     "<p>hello <font color=\"#ff0000\">world</font></p>", DECMDF_ENABLED},
    {"block format", TwoParagraphs, "second", {}, 1, DECMD_SETBLOCKFMT, "Heading 2", DECMDF_ENABLED,
     "<p>hello world</p><h2>second line</h2>", DECMDF_ENABLED},
    {"block format mixed", "<h1>hello world</h1><p>second line</p>", "world", "second", 0, DECMD_SETBLOCKFMT,
     "Formatted", DECMDF_NINCHED, "<pre>hello world<br>second line</pre>", DECMDF_ENABLED},
    {"font name", Words, "hello", {}, 0, DECMD_SETFONTNAME, "Courier New", DECMDF_ENABLED,
     "<p><font face=\"Courier New\">hello</font> world</p>", DECMDF_ENABLED},
    {"font size", Words, "world", {}, 0, DECMD_SETFONTSIZE, "5", DECMDF_ENABLED,
     "<p>hello <font size=\"5\">world</font></p>", DECMDF_ENABLED},
    {"font size out of range", Words, "world", {}, 0, DECMD_SETFONTSIZE, "9", DECMDF_ENABLED, Words,
     DECMDF_ENABLED},
    // Rows and columns over a grid that honours rowspan and colspan.
    {"insert row through a tall cell", MergedTable, "d", {}, 1, DECMD_INSERTROW, {}, DECMDF_ENABLED,
     "<table border=\"1\"><tr><td rowspan=\"3\">a</td><td>b</td><td>c</td></tr><tr><td colspan=\"2\">&nbsp;</td></tr>"
     "<tr><td colspan=\"2\">d</td></tr><tr><td>e</td><td>f</td><td>g</td></tr></table>",
     DECMDF_ENABLED},
    {"insert column through a wide cell", MergedTable, "g", {}, 1, DECMD_INSERTCOL, {}, DECMDF_ENABLED,
     "<table border=\"1\"><tr><td rowspan=\"2\">a</td><td>b</td><td>&nbsp;</td><td>c</td></tr>"
     "<tr><td colspan=\"3\">d</td></tr><tr><td>e</td><td>f</td><td>&nbsp;</td><td>g</td></tr></table>",
     DECMDF_ENABLED},
    {"insert column beside a tall cell", MergedTable, "b", {}, 1, DECMD_INSERTCOL, {}, DECMDF_ENABLED,
     "<table border=\"1\"><tr><td rowspan=\"2\">a</td><td>&nbsp;</td><td>b</td><td>c</td></tr>"
     "<tr><td>&nbsp;</td><td colspan=\"2\">d</td></tr><tr><td>e</td><td>&nbsp;</td><td>f</td><td>g</td></tr></table>",
     DECMDF_ENABLED},
    {"delete a row a tall cell starts in", MergedTable, "b", {}, 1, DECMD_DELETEROWS, {}, DECMDF_ENABLED,
     "<table border=\"1\"><tr><td>a</td><td colspan=\"2\">d</td></tr><tr><td>e</td><td>f</td><td>g</td></tr></table>",
     DECMDF_ENABLED},
    {"delete rows of a selection", MergedTable, "d", "f", 0, DECMD_DELETEROWS, {}, DECMDF_ENABLED,
     "<table border=\"1\"><tr><td>a</td><td>b</td><td>c</td></tr></table>", DECMDF_ENABLED},
    {"delete the columns of a wide cell", MergedTable, "d", {}, 1, DECMD_DELETECOLS, {}, DECMDF_ENABLED,
     "<table border=\"1\"><tr><td>a</td></tr><tr><td>e</td></tr></table>", DECMDF_ENABLED},
    {"delete a column a wide cell spans", MergedTable, "c", {}, 1, DECMD_DELETECOLS, {}, DECMDF_ENABLED,
     "<table border=\"1\"><tr><td rowspan=\"2\">a</td><td>b</td></tr><tr><td>d</td></tr><tr><td>e</td><td>f</td></tr>"
     "</table>",
     DECMDF_ENABLED},
    {"delete the last row", "<table><tr><td>x</td></tr></table><p>after</p>", "x", {}, 1, DECMD_DELETEROWS, {},
     DECMDF_ENABLED, "<p>after</p>", DECMDF_DISABLED}, // no cell left for the caret
    {"rows outside a table", Words, "hello", {}, 1, DECMD_INSERTROW, {}, DECMDF_DISABLED, Words, DECMDF_DISABLED},
    {"columns outside a table", Words, "hello", {}, 1, DECMD_DELETECOLS, {}, DECMDF_DISABLED, Words,
     DECMDF_DISABLED},
};

// The reads: what they answer where the caret is.
struct TReadCase {
    const char* Name;
    QString Body;
    QString At;
    int Command;
    QVariant Expected;
};

const TReadCase Reads[] = {
    {"block format", "<h1>hello</h1>", "hello", DECMD_GETBLOCKFMT, QStringLiteral("Heading 1")},
    {"block format in a list", "<ol><li>hello</li></ol>", "hello", DECMD_GETBLOCKFMT, QStringLiteral("Numbered List")},
    {"block format of a paragraph", Words, "hello", DECMD_GETBLOCKFMT, QStringLiteral("Normal")},
    {"font name", "<p><font face=\"Courier New\">hello</font></p>", "hello", DECMD_GETFONTNAME,
     QStringLiteral("Courier New")},
    {"font size", "<p><font size=\"5\">hello</font></p>", "hello", DECMD_GETFONTSIZE, 5},
    {"smallest font size", "<p><font size=\"1\">hello</font></p>", "hello", DECMD_GETFONTSIZE, 1},
};

// Answers the next modal font dialog with `font`, or cancels it.
void answerFontDialog(const std::optional<QFont>& font)
{
    auto* timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, font] {
        auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr)
            return;
        timer->stop();
        timer->deleteLater();
        if (font) {
            dialog->setCurrentFont(*font);
            dialog->accept();
        } else {
            dialog->reject();
        }
    });
    timer->start();
}

} // namespace

class CommandTableTest : public OperationTest {
protected:
    QString body()
    {
        const QString html = edit->DocumentHTML();
        const qsizetype start = html.indexOf(QStringLiteral("<body>"));
        const qsizetype end = html.lastIndexOf(QStringLiteral("</body>"));
        return start < 0 || end < 0 ? html : html.mid(start + 6, end - start - 6);
    }
};

TEST_F(CommandTableTest, EveryCommandLeavesThePageAndItsStatus)
{
    for (const TCommandCase& c : Cases) {
        SCOPED_TRACE(c.Name);
        if (c.Command == DECMD_PASTE)
            QGuiApplication::clipboard()->setText(QStringLiteral(", pasted"));
        open(page(c.Body));
        ASSERT_TRUE(c.Caret == 0 ? select(c.From, c.To) : select(c.From, c.From, c.Caret));
        EXPECT_EQ(edit->QueryStatus(c.Command), c.StatusBefore);
        const bool ran = op->ExecCommand(c.Command, c.Value);
        EXPECT_EQ(ran, c.StatusBefore >= DECMDF_ENABLED && c.Value != QStringLiteral("9"));
        if (c.Command == DECMD_FINDTEXT) {
            auto* dialog = edit->findChild<TFindDialog*>();
            ASSERT_NE(dialog, nullptr);
            EXPECT_TRUE(dialog->isVisible());
            dialog->close();
        }
        EXPECT_EQ(body(), c.Expected);
        EXPECT_EQ(edit->QueryStatus(c.Command), c.StatusAfter);
        EXPECT_EQ(edit->IsDirty(), body() != c.Body);
        // What a command leaves loads to the same text again.
        const QString after = edit->DocumentHTML();
        load(after);
        EXPECT_EQ(edit->DocumentHTML(), after);
    }
    // What copy and cut handed over.
    open(page(Words));
    select(QStringLiteral("world"));
    op->ExecCommand(DECMD_COPY);
    EXPECT_TRUE(QTest::qWaitFor([] { return QGuiApplication::clipboard()->text() == QStringLiteral("world"); }));
    // Select all selects the page.
    op->ExecCommand(DECMD_SELECTALL);
    EXPECT_EQ(dom().selectionType(), QStringLiteral("Text"));
    EXPECT_EQ(dom().createSelectionRange()->text(), QStringLiteral("hello world"));
}

TEST_F(CommandTableTest, ReadsAnswerWhereTheCaretIs)
{
    for (const TReadCase& c : Reads) {
        SCOPED_TRACE(c.Name);
        open(page(c.Body));
        ASSERT_TRUE(caretAfter(c.At));
        EXPECT_GE(edit->QueryStatus(c.Command), DECMDF_ENABLED);
        EXPECT_EQ(edit->ExecCommand(c.Command, OLECMDEXECOPT_DONTPROMPTUSER), c.Expected);
    }
    EXPECT_EQ(edit->QueryStatus(DECMD_GETBLOCKFMTNAMES), DECMDF_ENABLED);
    EXPECT_EQ(edit->ExecCommand(DECMD_GETBLOCKFMTNAMES, OLECMDEXECOPT_DONTPROMPTUSER).toStringList(),
              (QStringList{"Normal", "Formatted", "Address", "Heading 1", "Heading 2", "Heading 3", "Heading 4",
                           "Heading 5", "Heading 6", "Numbered List", "Bulleted List", "Definition Term",
                           "Definition", "Normal (DIV)"}));
    EXPECT_FALSE(edit->IsDirty());
}

// The font dialog applies what the author chose; cancelling it changes nothing.
TEST_F(CommandTableTest, FontDialog)
{
    open(page(Words));
    ASSERT_TRUE(select(QStringLiteral("world")));
    EXPECT_EQ(edit->QueryStatus(DECMD_FONT), DECMDF_ENABLED);
    answerFontDialog(std::nullopt);
    op->ExecCommand(DECMD_FONT);
    EXPECT_EQ(body(), Words);
    EXPECT_FALSE(edit->IsDirty());

    QFont chosen = QApplication::font();
    chosen.setPointSize(18);
    answerFontDialog(chosen);
    op->ExecCommand(DECMD_FONT);
    const QString after = body();
    EXPECT_TRUE(after.contains(QStringLiteral("size=\"5\""))) << after.toStdString();
    EXPECT_TRUE(after.contains(QStringLiteral("world"))) << after.toStdString();
}
