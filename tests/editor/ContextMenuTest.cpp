#include "OperationTestSupport.h"

#include <QClipboard>
#include <QGuiApplication>

using namespace DHTMLEdit;
using namespace EditorMenus;

namespace {

const QString Page = QStringLiteral(
    "<p>plain <a href=\"other.htm\">link</a> <a name=\"mark\">anchor</a> "
    "<img src=\"pic.gif\" width=\"20\" height=\"20\"></p>"
    "<table border=\"1\"><tr><td>cell</td></tr></table>");

} // namespace

class ContextMenuTest : public OperationTest {
protected:
    void SetUp() override
    {
        OperationTest::SetUp();
        open(page(Page));
        auto note = [this](const char* name) { return [this, name] { ran.append(QString::fromLatin1(name)); }; };
        op->Hooks.Bookmarks = note("bookmark");
        op->Hooks.InsertHyperlink = note("hyperlink");
        op->Hooks.PictureProperties = note("picture");
        op->Hooks.CellProperties = note("cell");
        op->Hooks.TableProperties = note("table");
        op->Hooks.PageProperties = note("page");
        op->Hooks.AddToKeywords = note("keywords");
        op->Hooks.AppendRow = note("append row");
        op->Hooks.KeywordsPageVisible = [] { return true; };
    }

    void selectPicture()
    {
        pageScript(QStringLiteral("var r = document.createRange(); r.selectNode(document.querySelector('img'));"
                                  "getSelection().removeAllRanges(); getSelection().addRange(r);"));
    }

    QStringList ran;
};

// The menu's entries follow what is under the caret; an entry runs its
// command.
TEST_F(ContextMenuTest, EntriesFollowWhatIsUnderTheCaret)
{
    struct TPlace {
        const char* Name;
        std::function<void()> Select;
        QList<int> Normal; // the entries offered, besides the separators, select all, font and page
    };
    const TPlace places[] = {
        {"caret in plain text", [&] { caretAfter(QStringLiteral("plain")); }, {CtxBookmark, CtxHyperlink}},
        {"selected text", [&] { select(QStringLiteral("plain")); },
         {CtxCut, CtxCopy, CtxSetAsKeywords, CtxBookmark, CtxHyperlink}},
        {"caret in a link", [&] { caretAfter(QStringLiteral("li")); }, {CtxBookmark, CtxHyperlink}},
        {"caret in an anchor", [&] { caretAfter(QStringLiteral("anc")); }, {CtxBookmark}},
        {"a picture", [&] { selectPicture(); }, {CtxCut, CtxCopy, CtxHyperlink, CtxImageProperties}},
        {"caret in a cell", [&] { caretAfter(QStringLiteral("ce")); },
         {CtxBookmark, CtxHyperlink, CtxCellProperties, CtxTableProperties}},
    };
    QGuiApplication::clipboard()->clear();
    for (const TPlace& place : places) {
        SCOPED_TRACE(place.Name);
        place.Select();
        QList<int> expected(ContextItemCount, MenuGreyed);
        for (int item : {CtxSeparator1, CtxSeparator2, CtxSelectAll, CtxFont, CtxSeparator3, CtxPageProperties})
            expected[item] = MenuNormal;
        for (int item : place.Normal)
            expected[item] = MenuNormal;
        op->ShowContextMenu();
        EXPECT_EQ(edit->ContextMenuStates(), expected);
    }
    EXPECT_EQ(edit->ContextMenuStrings(), ContextMenuStrings());

    // Entries run their commands; those of the control only when usable.
    caretAfter(QStringLiteral("ce"));
    for (int item : {CtxCellProperties, CtxTableProperties, CtxPageProperties, CtxBookmark, CtxHyperlink})
        op->ContextMenuAction(item);
    EXPECT_EQ(ran, (QStringList{"cell", "table", "page", "bookmark", "hyperlink"}));
    op->ContextMenuAction(CtxSelectAll);
    EXPECT_EQ(dom().selectionType(), QStringLiteral("Text"));
    op->ContextMenuAction(CtxCut);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !QGuiApplication::clipboard()->text().isEmpty(); }));
    EXPECT_FALSE(element(QStringLiteral("BODY"))->innerText().contains(QStringLiteral("plain")));
}

// Without the dialogs of later parts their entries stay greyed.
TEST_F(ContextMenuTest, EntriesWithoutTheirDialogsAreGreyed)
{
    op->Hooks = {};
    caretAfter(QStringLiteral("ce"));
    op->ShowContextMenu();
    const QList<int> states = edit->ContextMenuStates();
    for (int item : {CtxSetAsKeywords, CtxBookmark, CtxHyperlink, CtxImageProperties, CtxCellProperties,
                     CtxTableProperties, CtxPageProperties})
        EXPECT_EQ(states[item], MenuGreyed) << item;
    op->ContextMenuAction(CtxPageProperties); // nothing to run: nothing happens
    EXPECT_FALSE(edit->IsDirty());
}

// The refresh's own rules: a selected picture disables the line, rule,
// special-character and table-editing buttons; the append items need a
// table under the caret.
TEST_F(ContextMenuTest, RefreshRulesForPicturesAndTables)
{
    const QList<int> tags{EDTAG_HORIZONTALLINE, EDTAG_LINEBREAK, EDTAG_SPECIALCHARACTER, EDTAG_TABLEEDIT,
                          EDTAG_APPENDROW, EDTAG_APPENDCOLUMN, EDTAG_INSERTTABLE, EDTAG_UNDO};
    caretAfter(QStringLiteral("plain"));
    TEditorStates states = op->States(tags);
    for (int tag : {EDTAG_HORIZONTALLINE, EDTAG_LINEBREAK, EDTAG_SPECIALCHARACTER, EDTAG_TABLEEDIT})
        EXPECT_TRUE(states.value(tag).Enabled) << tag;
    EXPECT_FALSE(states.value(EDTAG_APPENDROW).Enabled) << "no table here";
    EXPECT_FALSE(states.value(EDTAG_APPENDCOLUMN).Enabled) << "and no append command";
    EXPECT_FALSE(states.value(EDTAG_INSERTTABLE).Enabled) << "the table dialog is not there yet";
    EXPECT_FALSE(states.value(EDTAG_UNDO).Enabled);

    selectPicture();
    states = op->States(tags);
    for (int tag : {EDTAG_HORIZONTALLINE, EDTAG_LINEBREAK, EDTAG_SPECIALCHARACTER, EDTAG_TABLEEDIT})
        EXPECT_FALSE(states.value(tag).Enabled) << tag;

    caretAfter(QStringLiteral("ce"));
    states = op->States(tags);
    EXPECT_TRUE(states.value(EDTAG_APPENDROW).Enabled);
    EXPECT_FALSE(states.value(EDTAG_APPENDCOLUMN).Enabled) << "no append-column command";
    op->EditTable(EDTAG_APPENDROW);
    EXPECT_EQ(ran, QStringList{"append row"});
}

// Fragments go in at the caret, and the caret then stands after them.
TEST_F(ContextMenuTest, InsertedFragmentsLeaveTheCaretAfterThem)
{
    caretAfter(QStringLiteral("plain"));
    op->InsertCharacter(3);
    op->InsertCharacter(5);
    op->InsertElements(EDTAG_LINEBREAK);
    EXPECT_TRUE(edit->DocumentHTML().contains(QStringLiteral("<p>plain©™<br> <a href")));
    EXPECT_EQ(op->GetSelText(), QString());
    select(QStringLiteral("plain"));
    EXPECT_EQ(op->GetSelText(), QStringLiteral("plain"));
    EXPECT_EQ(op->GetSelHTML(), QStringLiteral("plain"));
    EXPECT_TRUE(op->SomethingSelected());
    caretAfter(QStringLiteral("plain"));
    EXPECT_FALSE(op->SomethingSelected()) << "a caret is no selection";
}
