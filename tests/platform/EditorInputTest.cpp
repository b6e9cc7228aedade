#include "EditorTestSupport.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>

using namespace DHTMLEdit;

namespace {

const QString Page = QStringLiteral("<html><body><p>hello world</p></body></html>");

QWidget* keyTarget(TWebEngineDHTMLEdit& edit)
{
    QWidget* proxy = edit.view()->focusProxy();
    return proxy ? proxy : edit.view();
}

} // namespace

// Quorix keeps its own history: the undo and redo keys never reach the
// browser's undo stack, which still holds the edit afterwards.
TEST_F(EditorTest, UndoKeysLeaveTheBrowserStackAlone)
{
    load(Page);
    edit->activateWindow();
    edit->setFocus();
    selectContents(element(QStringLiteral("P")));
    ASSERT_TRUE(edit->ExecCommand(DECMD_BOLD).toBool());
    ASSERT_TRUE(element(QStringLiteral("P"))->innerHTML().contains(QStringLiteral("<b>")));

    QTest::keyClick(keyTarget(*edit), Qt::Key_Z, Qt::ControlModifier);
    waitForKeys(keyTarget(*edit));
    EXPECT_TRUE(element(QStringLiteral("P"))->innerHTML().contains(QStringLiteral("<b>")));

    // Nor do the redo keys: the browser's own undo, then Ctrl+Y, leaves it undone.
    pageScript(QStringLiteral("document.execCommand('undo')"));
    ASSERT_FALSE(element(QStringLiteral("P"))->innerHTML().contains(QStringLiteral("<b>")));
    QTest::keyClick(keyTarget(*edit), Qt::Key_Y, Qt::ControlModifier);
    QTest::keyClick(keyTarget(*edit), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    waitForKeys(keyTarget(*edit));
    EXPECT_FALSE(element(QStringLiteral("P"))->innerHTML().contains(QStringLiteral("<b>")));
    pageScript(QStringLiteral("document.execCommand('redo')"));
    ASSERT_TRUE(element(QStringLiteral("P"))->innerHTML().contains(QStringLiteral("<b>")));

    // Typing still reaches the page.
    QTest::keyClicks(keyTarget(*edit), QStringLiteral("xy"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return element(QStringLiteral("P"))->innerText().contains(QStringLiteral("xy")); }));

    // The browser's own stack was never used: its undo can still take the
    // typing and the bold back.
    EXPECT_TRUE(pageScript(QStringLiteral("document.queryCommandEnabled('undo')")).toBool());
    pageScript(QStringLiteral("document.execCommand('undo'); document.execCommand('undo');"));
    EXPECT_EQ(element(QStringLiteral("P"))->innerHTML(), QStringLiteral("hello world"));
}

// Changes of content and caret are told after the call that made them;
// the dirty mark starts false at every load.
TEST_F(EditorTest, DisplayChangesAndDirtyMark)
{
    int changes = 0;
    edit->OnDisplayChanged = [&] { ++changes; };
    load(Page);
    EXPECT_FALSE(edit->IsDirty());

    changes = 0;
    selectContents(element(QStringLiteral("P")));
    EXPECT_TRUE(QTest::qWaitFor([&] { return changes > 0; })) << "a selection change";
    EXPECT_FALSE(edit->IsDirty());

    changes = 0;
    element(QStringLiteral("P"))->setAttribute(QStringLiteral("align"), QStringLiteral("center"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return changes > 0; })) << "a content change";
    EXPECT_TRUE(edit->IsDirty());

    load(Page);
    EXPECT_FALSE(edit->IsDirty());
}

// The context menu is the one the program sets while the event runs; a
// chosen entry is reported by its index.
TEST_F(EditorTest, ContextMenuIsTheProgramsOwn)
{
    load(Page);
    QPoint asked(-1, -1);
    int chosen = -1;
    edit->OnShowContextMenu = [&](int x, int y) {
        asked = QPoint(x, y);
        edit->SetContextMenu({QStringLiteral("Cut"), QString(), QStringLiteral("Select All"), QStringLiteral("Paste")},
                             {2, 0, 0, 2});
    };
    edit->OnContextMenuAction = [&](int index) { chosen = index; };

    // A right click: the browser asks for the menu, the control shows its own.
    QTest::mousePress(keyTarget(*edit), Qt::RightButton, {}, QPoint(20, 15));
    QTest::mouseRelease(keyTarget(*edit), Qt::RightButton, {}, QPoint(20, 15));
    EXPECT_TRUE(QTest::qWaitFor([&] { return edit->contextMenu() != nullptr; }));
    EXPECT_EQ(asked, QPoint(20, 15));
    QMenu* menu = edit->contextMenu();
    ASSERT_NE(menu, nullptr);
    const QList<QAction*> actions = menu->actions();
    ASSERT_EQ(actions.size(), 4);
    EXPECT_EQ(actions[0]->text(), QStringLiteral("Cut"));
    EXPECT_FALSE(actions[0]->isEnabled());
    EXPECT_TRUE(actions[1]->isSeparator());
    EXPECT_TRUE(actions[2]->isEnabled());
    EXPECT_FALSE(actions[3]->isEnabled());
    actions[2]->trigger();
    EXPECT_EQ(chosen, 2);
    menu->close();
}
