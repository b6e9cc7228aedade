#include "QtPrinting.h"
#include "TDHTMLEditOperation.h"
#include "TFakeDHTMLEdit.h"

#include <gtest/gtest.h>

using namespace DHTMLEdit;

// What one refresh shows for each kind of control, from the control's
// statuses and reads (the test double answers them).
TEST(RefreshStates, ButtonsAndBoxesFollowTheStatuses)
{
    TFakeDHTMLEdit edit;
    TDHTMLEditOperation op(edit);
    edit.Results[DECMD_GETBLOCKFMT] = QStringLiteral("Heading 1");
    edit.Results[DECMD_GETFONTNAME] = QStringLiteral("Courier New");
    const struct {
        const char* Name;
        int Tag;
        int Status;
        QVariant Read; // the value the box's read command answers, when it has one
        bool Enabled;
        bool Down;
        bool HasText;
        QString Text;
    } cases[] = {
        {"button on", DECMD_BOLD, DECMDF_LATCHED, {}, true, true, false, {}},
        {"button off", DECMD_BOLD, DECMDF_ENABLED, {}, true, false, false, {}},
        {"button mixed", DECMD_BOLD, DECMDF_NINCHED, {}, true, false, false, {}},
        {"button disabled", DECMD_CUT, DECMDF_DISABLED, {}, false, false, false, {}},
        {"block format", DECMD_SETBLOCKFMT, DECMDF_ENABLED, {}, true, false, true, QStringLiteral("Heading 1")},
        {"block format mixed", DECMD_SETBLOCKFMT, DECMDF_NINCHED, {}, true, false, false, {}},
        {"block format disabled", DECMD_SETBLOCKFMT, DECMDF_DISABLED, {}, false, false, false, {}},
        {"font name", DECMD_SETFONTNAME, DECMDF_ENABLED, {}, true, false, true, QStringLiteral("Courier New")},
        {"font name mixed", DECMD_SETFONTNAME, DECMDF_NINCHED, {}, true, false, true, QString()},
        {"font name disabled", DECMD_SETFONTNAME, DECMDF_DISABLED, {}, false, false, true, QString()},
        {"font size", DECMD_SETFONTSIZE, DECMDF_ENABLED, 5, true, false, true, QStringLiteral("5")},
        {"smallest font size", DECMD_SETFONTSIZE, DECMDF_ENABLED, 1, true, false, true, QStringLiteral("1")},
        {"no font size", DECMD_SETFONTSIZE, DECMDF_ENABLED, 0, true, false, true, QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        edit.Statuses[c.Tag] = c.Status;
        if (c.Read.isValid())
            edit.Results[DECMD_GETFONTSIZE] = c.Read;
        const TEditorControlState state = op.States({c.Tag}).value(c.Tag);
        EXPECT_EQ(state.Enabled, c.Enabled);
        EXPECT_EQ(state.Down, c.Down);
        EXPECT_EQ(state.HasText, c.HasText);
        EXPECT_EQ(state.Text, c.Text);
    }
    // Tags the refresh leaves alone are not in the answer.
    EXPECT_FALSE(op.States({EDTAG_EDITOR, EDTAG_IMAGELIST, 3}).contains(EDTAG_EDITOR));
}

// The combo boxes' commands take only what they can apply; the colour
// commands apply the current colours; nothing runs while unusable.
TEST(RefreshStates, CommandsTakeTheirValues)
{
    TFakeDHTMLEdit edit;
    TDHTMLEditOperation op(edit);
    const struct {
        int Command;
        QString Value;
        bool Runs;
        QVariant Sent;
    } cases[] = {
        {DECMD_SETFONTSIZE, QStringLiteral("7"), true, QStringLiteral("7")},
        {DECMD_SETFONTSIZE, QStringLiteral(" 3 "), true, QStringLiteral("3")},
        {DECMD_SETFONTSIZE, QStringLiteral("8"), false, {}},
        {DECMD_SETFONTSIZE, QStringLiteral("big"), false, {}},
        {DECMD_SETFONTNAME, QStringLiteral("Arial"), true, QStringLiteral("Arial")},
        {DECMD_SETFONTNAME, QStringLiteral("Edit list..."), false, {}},
        {DECMD_SETFONTNAME, QStringLiteral("  "), false, {}},
        {DECMD_SETBLOCKFMT, QStringLiteral("Heading 3"), true, QStringLiteral("Heading 3")},
        {DECMD_SETFORECOLOR, {}, true, QStringLiteral("#ff0000")},
        {DECMD_SETBACKCOLOR, {}, true, QStringLiteral("#ffff00")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Value.toStdString());
        edit.Commands.clear();
        EXPECT_EQ(op.ExecCommand(c.Command, c.Value), c.Runs);
        ASSERT_EQ(edit.Commands.size(), c.Runs ? 1 : 0);
        if (c.Runs)
            EXPECT_EQ(edit.Commands[0].value, c.Sent);
    }
    int editList = 0;
    op.Hooks.EditFontList = [&] { ++editList; };
    op.ExecCommand(DECMD_SETFONTNAME, QStringLiteral("Edit list..."));
    EXPECT_EQ(editList, 1);

    op.ApplyBackColor(0x00a0ff);
    EXPECT_EQ(edit.Commands.last().value, QVariant(QStringLiteral("#00a0ff")));
    edit.Commands.clear();
    edit.Statuses[DECMD_BOLD] = DECMDF_DISABLED;
    EXPECT_FALSE(op.ExecCommand(DECMD_BOLD));
    EXPECT_TRUE(edit.Commands.isEmpty());
}
