#include "EditorTestSupport.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

using namespace DHTMLEdit;

namespace {

const QString Page = QStringLiteral(
    "<html><head></head><body><p id=\"p1\">hello world</p><p id=\"p2\">second line</p></body></html>");
const QString TablePage = QStringLiteral(
    "<html><body><table border=\"1\"><tbody><tr><td>a1</td><td>b1</td></tr><tr><td>a2</td><td>b2</td></tr>"
    "</tbody></table><p>after</p></body></html>");

} // namespace

class EditCommandsTest : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        load(Page);
    }

    QString body() { return element(QStringLiteral("BODY"))->innerHTML(); }
    void selectFirst() { selectContents(element(QStringLiteral("P"), 0)); }
    void caretIn(const THtmlElementPtr& target, int offset = 1)
    {
        auto range = target->createTextRange();
        range->collapse(true);
        range->moveEnd(QStringLiteral("character"), offset);
        range->collapse(false);
        range->select();
    }
    int rowCount() { return element(QStringLiteral("TABLE"))->rows().size(); }
    int cellCount(int row) { return element(QStringLiteral("TABLE"))->rows()[row]->cells().size(); }
};

// Each action on a selected paragraph: the markup it leaves, and the status
// it reports before (enabled) and after (on, for commands with a state).
TEST_F(EditCommandsTest, ActionsChangeThePageAndTheirStatusFollows)
{
    const struct {
        int command;
        QString value;
        QString expected; // in the body's HTML afterwards
        int statusAfter;
    } cases[] = {
        {DECMD_BOLD, {}, QStringLiteral("<b>hello world</b>"), DECMDF_LATCHED},
        {DECMD_ITALIC, {}, QStringLiteral("<i>hello world</i>"), DECMDF_LATCHED},
        {DECMD_UNDERLINE, {}, QStringLiteral("<u>hello world</u>"), DECMDF_LATCHED},
        {DECMD_JUSTIFYCENTER, {}, QStringLiteral("center"), DECMDF_LATCHED},
        {DECMD_JUSTIFYRIGHT, {}, QStringLiteral("right"), DECMDF_LATCHED},
        {DECMD_ORDERLIST, {}, QStringLiteral("<ol><li>hello world</li></ol>"), DECMDF_LATCHED},
        {DECMD_UNORDERLIST, {}, QStringLiteral("<ul><li>hello world</li></ul>"), DECMDF_LATCHED},
        {DECMD_INDENT, {}, QStringLiteral("<blockquote"), DECMDF_ENABLED},
        {DECMD_SETFORECOLOR, QStringLiteral("#ff0000"), QStringLiteral("color=\"#ff0000\""), DECMDF_ENABLED},
        {DECMD_SETBACKCOLOR, QStringLiteral("#ffff00"), QStringLiteral("background-color: rgb(255, 255, 0)"),
         DECMDF_ENABLED},
        {DECMD_SETFONTNAME, QStringLiteral("Courier New"), QStringLiteral("face=\"Courier New\""), DECMDF_ENABLED},
        {DECMD_SETFONTSIZE, QStringLiteral("5"), QStringLiteral("size=\"5\""), DECMDF_ENABLED},
        {DECMD_SETBLOCKFMT, QStringLiteral("Heading 2"), QStringLiteral("<h2>hello world</h2>"), DECMDF_ENABLED},
        {DECMD_DELETE, {}, QStringLiteral("<p id=\"p2\">second line</p>"), DECMDF_DISABLED},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        load(Page);
        EXPECT_EQ(edit->QueryStatus(c.command), DECMDF_DISABLED) << "no selection yet";
        selectFirst();
        EXPECT_EQ(edit->QueryStatus(c.command), DECMDF_ENABLED);
        EXPECT_FALSE(edit->IsDirty());
        EXPECT_TRUE(edit->ExecCommand(c.command, OLECMDEXECOPT_DODEFAULT,
                                      c.value.isNull() ? QVariant() : QVariant(c.value))
                        .toBool());
        EXPECT_TRUE(body().contains(c.expected)) << body().toStdString();
        EXPECT_FALSE(body().contains(QStringLiteral("hello world")) && c.command == DECMD_DELETE);
        EXPECT_EQ(edit->QueryStatus(c.command), c.statusAfter);
        EXPECT_TRUE(edit->IsDirty());
    }
}

// Reads answer the values the set commands wrote; a selection over two
// different values reports the command as mixed.
TEST_F(EditCommandsTest, ReadsFollowTheSetCommandsAndMixedSelectionsShow)
{
    selectFirst();
    edit->ExecCommand(DECMD_SETBLOCKFMT, OLECMDEXECOPT_DODEFAULT, QStringLiteral("Heading 1"));
    edit->ExecCommand(DECMD_SETFONTNAME, OLECMDEXECOPT_DODEFAULT, QStringLiteral("Courier New"));
    edit->ExecCommand(DECMD_SETFONTSIZE, OLECMDEXECOPT_DODEFAULT, QStringLiteral("6"));
    EXPECT_EQ(edit->ExecCommand(DECMD_GETBLOCKFMT, OLECMDEXECOPT_DONTPROMPTUSER).toString(), QStringLiteral("Heading 1"));
    EXPECT_EQ(edit->ExecCommand(DECMD_GETFONTNAME, OLECMDEXECOPT_DONTPROMPTUSER).toString(), QStringLiteral("Courier New"));
    EXPECT_EQ(edit->ExecCommand(DECMD_GETFONTSIZE, OLECMDEXECOPT_DONTPROMPTUSER).toInt(), 6);

    edit->ExecCommand(DECMD_SELECTALL);
    EXPECT_EQ(dom().selectionType(), QStringLiteral("Text"));
    EXPECT_EQ(edit->QueryStatus(DECMD_SETBLOCKFMT), DECMDF_NINCHED);
    EXPECT_EQ(edit->QueryStatus(DECMD_SETFONTNAME), DECMDF_NINCHED);
    EXPECT_EQ(edit->QueryStatus(DECMD_SETFONTSIZE), DECMDF_NINCHED);
    EXPECT_EQ(edit->QueryStatus(DECMD_BOLD), DECMDF_NINCHED) << "a heading is bold, a paragraph not";

    // The second paragraph alone is plain.
    selectContents(element(QStringLiteral("P"), 0));
    EXPECT_EQ(edit->ExecCommand(DECMD_GETBLOCKFMT, OLECMDEXECOPT_DONTPROMPTUSER).toString(), QStringLiteral("Normal"));
    EXPECT_EQ(edit->QueryStatus(DECMD_BOLD), DECMDF_ENABLED);

    const QStringList names = edit->ExecCommand(DECMD_GETBLOCKFMTNAMES, OLECMDEXECOPT_DONTPROMPTUSER).toStringList();
    EXPECT_TRUE(names.contains(QStringLiteral("Normal")));
    EXPECT_TRUE(names.contains(QStringLiteral("Heading 6")));
    EXPECT_TRUE(names.contains(QStringLiteral("Bulleted List")));

    // Removing the format takes the font away again.
    selectContents(element(QStringLiteral("H1")));
    edit->ExecCommand(DECMD_REMOVEFORMAT);
    EXPECT_EQ(element(QStringLiteral("H1"))->innerHTML(), QStringLiteral("hello world"));
}

// Copy, cut and paste go through the system clipboard; paste is offered
// only when the clipboard holds something.
TEST_F(EditCommandsTest, ClipboardCommands)
{
    QGuiApplication::clipboard()->clear();
    caretIn(element(QStringLiteral("P"), 1));
    EXPECT_EQ(edit->QueryStatus(DECMD_COPY), DECMDF_DISABLED) << "nothing selected";
    EXPECT_EQ(edit->QueryStatus(DECMD_PASTE), DECMDF_DISABLED) << "empty clipboard";

    selectFirst();
    EXPECT_EQ(edit->QueryStatus(DECMD_COPY), DECMDF_ENABLED);
    ASSERT_TRUE(edit->ExecCommand(DECMD_COPY).toBool());
    // The browser hands the text over after the command.
    EXPECT_TRUE(QTest::qWaitFor([] { return !QGuiApplication::clipboard()->text().isEmpty(); }));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("hello world"));

    caretIn(element(QStringLiteral("P"), 1), 6);
    EXPECT_EQ(edit->QueryStatus(DECMD_PASTE), DECMDF_ENABLED);
    ASSERT_TRUE(edit->ExecCommand(DECMD_PASTE).toBool());
    EXPECT_TRUE(element(QStringLiteral("P"), 1)->innerText().startsWith(QStringLiteral("secondhello world")));

    selectFirst();
    ASSERT_TRUE(edit->ExecCommand(DECMD_CUT).toBool());
    EXPECT_FALSE(element(QStringLiteral("P"), 0)->innerText().contains(QStringLiteral("hello")));
}

// Row and column commands work on the caret's cell and only there.
TEST_F(EditCommandsTest, TableCommands)
{
    load(TablePage);
    caretIn(element(QStringLiteral("P")));
    for (int command : {DECMD_INSERTROW, DECMD_INSERTCOL, DECMD_DELETEROWS, DECMD_DELETECOLS})
        EXPECT_EQ(edit->QueryStatus(command), DECMDF_DISABLED) << command;

    caretIn(element(QStringLiteral("TD"), 2)); // a2
    for (int command : {DECMD_INSERTROW, DECMD_INSERTCOL, DECMD_DELETEROWS, DECMD_DELETECOLS})
        EXPECT_EQ(edit->QueryStatus(command), DECMDF_ENABLED) << command;

    edit->ExecCommand(DECMD_INSERTROW);
    ASSERT_EQ(rowCount(), 3);
    EXPECT_EQ(element(QStringLiteral("TD"), 2)->innerHTML(), QStringLiteral("&nbsp;")) << "the new row is above";
    EXPECT_EQ(cellCount(1), 2);

    caretIn(element(QStringLiteral("TD"), 1)); // b1
    edit->ExecCommand(DECMD_INSERTCOL);
    EXPECT_EQ(cellCount(0), 3);
    EXPECT_EQ(element(QStringLiteral("TABLE"))->rows()[0]->cells()[1]->innerHTML(), QStringLiteral("&nbsp;"));
    EXPECT_EQ(element(QStringLiteral("TABLE"))->rows()[0]->cells()[2]->innerHTML(), QStringLiteral("b1"));

    caretIn(element(QStringLiteral("TABLE"))->rows()[0]->cells()[0]);
    edit->ExecCommand(DECMD_DELETEROWS);
    EXPECT_EQ(rowCount(), 2);
    caretIn(element(QStringLiteral("TABLE"))->rows()[0]->cells()[0]);
    edit->ExecCommand(DECMD_DELETECOLS);
    EXPECT_EQ(cellCount(0), 2);
    EXPECT_TRUE(edit->IsDirty());
}

TEST_F(EditCommandsTest, UnknownCommandsAreUnsupported)
{
    selectFirst();
    for (int command : {0, 5001, 5049, 5033, 6000}) {
        EXPECT_EQ(edit->QueryStatus(command), DECMDF_NOTSUPPORTED) << command;
        EXPECT_FALSE(edit->ExecCommand(command).toBool());
    }
    EXPECT_FALSE(edit->IsDirty());
}

// The find dialog searches the page and selects what it finds.
TEST_F(EditCommandsTest, FindSelectsTheText)
{
    EXPECT_EQ(edit->QueryStatus(DECMD_FINDTEXT), DECMDF_ENABLED);
    ASSERT_TRUE(edit->ExecCommand(DECMD_FINDTEXT).toBool());
    auto* dialog = edit->findChild<TFindDialog*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    dialog->close();

    const QVariantMap found = pageScript(QStringLiteral("quorixEditor.call('find', ['LINE', false, false])")).toMap();
    EXPECT_TRUE(found.value(QStringLiteral("value")).toBool());
    EXPECT_EQ(dom().createSelectionRange()->text(), QStringLiteral("line"));
    const QVariantMap exact = pageScript(QStringLiteral("quorixEditor.call('find', ['LINE', true, false])")).toMap();
    EXPECT_FALSE(exact.value(QStringLiteral("value")).toBool()) << "matching case";
    EXPECT_FALSE(edit->IsDirty());
}
