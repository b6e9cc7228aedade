#include "OperationTestSupport.h"
#include "TCountingEdit.h"
#include "TEditorBridge.h"

using namespace DHTMLEdit;

namespace {

// Written as the control writes it back, so the history's first snapshot
// is this very text.
const QString Loaded = QStringLiteral(
    "<!DOCTYPE html>\n<html><head><title>Page</title></head><body><p>hello world</p>"
    "<table border=\"1\"><tr><td>cell</td></tr></table><p>last line</p></body></html>");

} // namespace

// Three keystrokes give three snapshots after the page as loaded; three
// undos bring back the loaded text, clean, with the caret where it was;
// redo goes forward again with the caret after the change.
TEST_F(OperationTest, ThreeEditsAndThreeUndosGiveTheLoadedPageBack)
{
    open(Loaded);
    EXPECT_EQ(edit->DocumentHTML(), Loaded);
    EXPECT_FALSE(op->IsDirty());
    EXPECT_FALSE(op->History().CanUndo());
    ASSERT_TRUE(caretAfter(QStringLiteral("hello")));
    const QString caret = edit->SelectionBookmark();
    ASSERT_TRUE(waitForRefresh());
    EXPECT_EQ(op->History().Selection[0], caret);

    QWidget* target = keys();
    const QString typed = QStringLiteral("abc");
    for (int i = 0; i < typed.size(); ++i) {
        QTest::keyClicks(target, typed.mid(i, 1));
        ASSERT_TRUE(QTest::qWaitFor([&] { return op->History().Position == i + 1; })) << "keystroke " << i;
    }
    EXPECT_TRUE(edit->DocumentHTML().contains(QStringLiteral("<p>helloabc world</p>")));
    EXPECT_TRUE(op->IsDirty());
    EXPECT_EQ(op->History().Source.size(), 4);
    const QString afterTyping = edit->SelectionBookmark();

    for (int i = 0; i < 3; ++i)
        step(true);
    EXPECT_EQ(edit->DocumentHTML(), Loaded);
    EXPECT_FALSE(op->IsDirty());
    EXPECT_FALSE(edit->IsDirty());
    EXPECT_EQ(edit->SelectionBookmark(), caret) << "the caret is back";
    EXPECT_TRUE(op->History().CanRedo());

    step(true); // nothing before the page as loaded
    EXPECT_EQ(op->History().Position, 0);

    for (int i = 0; i < 3; ++i)
        step(false);
    EXPECT_TRUE(edit->DocumentHTML().contains(QStringLiteral("<p>helloabc world</p>")));
    EXPECT_EQ(edit->SelectionBookmark(), afterTyping) << "redo puts the caret after the change";
    EXPECT_FALSE(op->History().CanRedo());
    EXPECT_TRUE(op->IsDirty());
}

// A change after undos drops the snapshots redo could reach; the undo key
// right after a keystroke undoes that keystroke, not the one before.
TEST_F(OperationTest, AnEditAfterAnUndoDropsTheRedo)
{
    open(Loaded);
    ASSERT_TRUE(caretAfter(QStringLiteral("last")));
    QWidget* target = keys();
    for (int i = 0; i < 3; ++i) {
        QTest::keyClicks(target, QStringLiteral("x"));
        ASSERT_TRUE(QTest::qWaitFor([&] { return op->History().Position == i + 1; }));
    }
    step(true);
    step(true);
    ASSERT_TRUE(op->History().CanRedo());
    ASSERT_TRUE(edit->DocumentHTML().contains(QStringLiteral("lastx line")));

    // The caret came back after the first "x".
    QTest::keyClicks(target, QStringLiteral("y"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !op->History().CanRedo(); }));
    EXPECT_EQ(op->History().Position, 2);
    EXPECT_EQ(op->History().Source.size(), 3);
    EXPECT_TRUE(edit->DocumentHTML().contains(QStringLiteral("lastxy line")));

    // Typed and undone at once: the history takes the keystroke first.
    QTest::keyClicks(target, QStringLiteral("z"));
    step(true);
    EXPECT_TRUE(edit->DocumentHTML().contains(QStringLiteral("lastxy line")));
    step(false);
    EXPECT_TRUE(edit->DocumentHTML().contains(QStringLiteral("lastxyz line")));
}

// The editor's own command keys edit through the command layer: the history
// and the tool bars follow them, and undo takes them back.
TEST_F(OperationTest, CommandKeysGoThroughTheHistory)
{
    open(Loaded);
    ASSERT_TRUE(select(QStringLiteral("world")));
    QWidget* target = keys();
    QTest::keyClick(target, Qt::Key_B, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return op->History().Position == 1; }));
    EXPECT_TRUE(edit->DocumentHTML().contains(QStringLiteral("<p>hello <b>world</b></p>")));
    EXPECT_EQ(op->States({DECMD_BOLD}).value(DECMD_BOLD).Down, true);
    QTest::keyClick(target, Qt::Key_I, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return op->History().Position == 2; }));
    EXPECT_TRUE(edit->DocumentHTML().contains(QStringLiteral("<i>world</i>")));
    step(true);
    step(true);
    EXPECT_EQ(edit->DocumentHTML(), Loaded);
    // Ctrl+A selects through the command layer too.
    QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return dom().selectionType() == QStringLiteral("Text"); }));
}

// Moving the caret changes nothing: no snapshot, the page never read, no
// round trip to the page while the tool bars refresh; the history notes
// only where the caret is.
TEST_F(EditorTest, AHundredCaretMovesChangeNothing)
{
    TCountingEdit counting(*edit);
    TDHTMLEditOperation op(counting);
    int refreshes = 0;
    TEditorStates shown;
    op.OnRefresh = [&] {
        shown = op.States(TDHTMLEditOperation::ServedTags());
        ++refreshes;
    };
    op.Load(Loaded, QString());
    ASSERT_TRUE(edit->WaitUntilLoaded());
    ASSERT_TRUE(QTest::qWaitFor([&] { return op.History().Position == 0; }));
    edit->activateWindow();
    edit->setFocus();
    QWidget* target = edit->view()->focusProxy();
    ASSERT_NE(target, nullptr);
    selectContents(element(QStringLiteral("P")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown.value(DHTMLEdit::DECMD_CUT).Enabled; }));

    auto* bridge = edit->findChild<TEditorBridge*>();
    ASSERT_NE(bridge, nullptr);
    const int reads = counting.HtmlReads;
    const qint64 calls = bridge->calls();
    for (int i = 0; i < 100; ++i) {
        const int before = refreshes;
        QTest::keyClick(target, (i / 10) % 2 == 0 ? Qt::Key_Right : Qt::Key_Left);
        ASSERT_TRUE(QTest::qWaitFor([&] { return refreshes > before; })) << "move " << i;
    }
    EXPECT_EQ(counting.HtmlReads, reads) << "the page was read";
    EXPECT_EQ(bridge->calls(), calls) << "the refresh asked the page";
    // The record of the last move may still be on its way.
    EXPECT_TRUE(QTest::qWaitFor([&] { return op.History().Selection[0] == edit->SelectionBookmark(); }));
    EXPECT_EQ(op.History().Source.size(), 1);
    EXPECT_FALSE(op.History().CanUndo());
    EXPECT_FALSE(op.IsDirty());
    EXPECT_FALSE(edit->IsDirty());
    EXPECT_FALSE(shown.value(DHTMLEdit::DECMD_CUT).Enabled) << "a caret, nothing to cut";
    EXPECT_EQ(edit->DocumentHTML(), Loaded);
}
