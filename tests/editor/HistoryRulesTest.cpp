#include "QtPrinting.h"
#include "TDHTMLEditOperation.h"
#include "TFakeDHTMLEdit.h"

#include <gtest/gtest.h>

using namespace DHTMLEdit;

// The history's rules, on the test double of the control: a refresh is a
// display change, an edit is a new page text with the dirty mark set.
class HistoryRulesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        edit.Html = QStringLiteral("<p>loaded</p>");
        op.DisplayChanged(); // the first refresh after the page loaded
    }

    // The author changes the page, then the control reports it.
    void change(const QString& html, const QString& caret = QString())
    {
        edit.Html = html;
        edit.Dirty = true;
        if (!caret.isNull())
            edit.Bookmark = caret;
        op.DisplayChanged();
    }

    TFakeDHTMLEdit edit;
    TDHTMLEditOperation op{edit};
    TDHTMLEditHistory& history = op.History();
};

TEST_F(HistoryRulesTest, ALoadedPageIsCleanAndUndoDoesNothing)
{
    EXPECT_EQ(history.Position, 0);
    EXPECT_EQ(history.Source, QStringList{QStringLiteral("<p>loaded</p>")});
    EXPECT_FALSE(op.IsDirty());
    op.Undo();
    EXPECT_EQ(edit.Loads, 0);
    EXPECT_EQ(op.States({EDTAG_UNDO, EDTAG_REDO}).value(EDTAG_UNDO).Enabled, false);
}

// The selection of each snapshot: where the caret last was with that text
// (for undo), and where it was when the change was made (for redo).
TEST_F(HistoryRulesTest, UndoAndRedoPutTheSelectionBack)
{
    edit.Bookmark = QStringLiteral("before");
    op.DisplayChanged(); // a caret move: the newest snapshot notes it
    change(QStringLiteral("<p>loaded!</p>"), QStringLiteral("after"));
    edit.Bookmark = QStringLiteral("moved on");
    op.DisplayChanged();
    EXPECT_EQ(history.Selection, (QStringList{QStringLiteral("before"), QStringLiteral("moved on")}));
    EXPECT_EQ(history.Selection2, (QStringList{QString::fromUtf16(SelectionNoneRecord), QStringLiteral("after")}));

    op.Undo();
    EXPECT_EQ(edit.Html, QStringLiteral("<p>loaded</p>"));
    EXPECT_EQ(edit.Bookmark, QStringLiteral("before"));
    EXPECT_FALSE(op.IsDirty());
    op.DisplayChanged(); // the reload is no edit
    EXPECT_EQ(history.Source.size(), 2);
    op.Redo();
    EXPECT_EQ(edit.Html, QStringLiteral("<p>loaded!</p>"));
    EXPECT_EQ(edit.Bookmark, QStringLiteral("after"));
    EXPECT_TRUE(op.IsDirty());

    // Where a picture was selected, nothing is selected again.
    change(QStringLiteral("<p>loaded!!</p>"), QString::fromUtf16(SelectionControlRecord));
    change(QStringLiteral("<p>loaded!!!</p>"), QStringLiteral("text"));
    edit.Bookmark = QStringLiteral("untouched");
    op.Undo();
    EXPECT_EQ(edit.Html, QStringLiteral("<p>loaded!!</p>"));
    EXPECT_EQ(edit.Bookmark, QStringLiteral("untouched"));
}

// Without the dirty mark a changed text is a page loaded, not an edit.
TEST_F(HistoryRulesTest, OnlyTheAuthorsChangesAreSnapshots)
{
    edit.Html = QStringLiteral("<p>set from outside</p>");
    op.DisplayChanged();
    EXPECT_EQ(history.Source.size(), 1);
    change(QStringLiteral("<p>set from outside, then edited</p>"));
    EXPECT_EQ(history.Source.size(), 2);
}

// Undo and redo load the snapshot in the folder of the topic's file.
TEST_F(HistoryRulesTest, SnapshotsLoadInTheTopicsFolder)
{
    history.CurrentFile = [] { return QStringLiteral("/home/author/help/topics/intro.htm"); };
    change(QStringLiteral("<p>two</p>"));
    op.Undo();
    EXPECT_EQ(edit.Folder, QStringLiteral("/home/author/help/topics/"));
}

// The snapshots never hold more than the cap: the oldest go first, the page
// still counts as changed, and what is left can be undone.
TEST_F(HistoryRulesTest, TheCapDropsTheOldestSnapshots)
{
    const QString body(1000, QLatin1Char('x'));
    const qint64 snapshot = (body.size() + 7) * 2; // "<p>" body "</p>" in UTF-16
    history.SetCapacity(10 * snapshot + 100);
    for (int i = 0; i < 50; ++i)
        change(QStringLiteral("<p>") + body + QString::number(i % 10) + QStringLiteral("</p>"),
               QStringLiteral("c%1").arg(i));
    EXPECT_LE(history.SizeInBytes(), history.Capacity());
    EXPECT_GE(history.Source.size(), 9);
    EXPECT_LE(history.Source.size(), 11);
    EXPECT_EQ(history.Source.last(), QStringLiteral("<p>") + body + QStringLiteral("9</p>"));
    EXPECT_TRUE(history.LostOriginal());

    while (history.CanUndo())
        op.Undo();
    EXPECT_NE(edit.Html, QStringLiteral("<p>loaded</p>"));
    EXPECT_TRUE(op.IsDirty()) << "the page as loaded is gone from the history, not from the author's changes";

    // A smaller cap trims at once, what redo could reach too; the snapshot
    // shown stays, however large.
    history.SetCapacity(1);
    EXPECT_EQ(history.Source.size(), 1);
    EXPECT_EQ(history.Source[0], edit.Html);
    op.New();
    EXPECT_EQ(history.Position, -1);
    EXPECT_FALSE(op.IsDirty());
}
