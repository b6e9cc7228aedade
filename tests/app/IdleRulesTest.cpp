#include "IdleRules.h"
#include "TLeftTreeData.h"

#include <gtest/gtest.h>

namespace {

TIdleInputs projectWithPage()
{
    TIdleInputs in;
    in.HasProject = true;
    in.UrlFieldEnabled = true;
    in.UrlText = QStringLiteral("topics\\intro.htm");
    in.CurrentStatus = StatusLinked;
    in.HasFocusedNode = true;
    return in;
}

} // namespace

TEST(IdleRules, HintFollowsTheFocusAndADragKeepsItsOwn)
{
    using Focus = TIdleInputs::Focus;
    const struct {
        Focus focus;
        bool dragging;
        bool editorReady;
        bool keepHint;
        QString hint;
    } cases[] = {
        {Focus::Tree, false, false, false, TIdleOutcome::TreeHint},
        {Focus::Editor, false, true, false, TIdleOutcome::EditorHint},
        {Focus::Editor, false, false, false, QString()}, // loading or disabled: no hint
        {Focus::Elsewhere, false, true, false, QString()},
        {Focus::Tree, true, false, true, QString()},
    };
    for (const auto& c : cases) {
        TIdleInputs in = projectWithPage();
        in.FocusIn = c.focus;
        in.Dragging = c.dragging;
        in.EditorReady = c.editorReady;
        const TIdleOutcome out = IdleOutcome(in);
        EXPECT_EQ(out.KeepHint, c.keepHint) << int(c.focus);
        EXPECT_EQ(out.Hint, c.hint) << int(c.focus);
    }
}

TEST(IdleRules, SaveButtonOnlyForAChangedProject)
{
    TIdleInputs in = projectWithPage();
    EXPECT_FALSE(IdleOutcome(in).SaveEnabled);
    in.ProjectChanged = true;
    EXPECT_TRUE(IdleOutcome(in).SaveEnabled);
    in.HasProject = false;
    EXPECT_FALSE(IdleOutcome(in).SaveEnabled);
}

TEST(IdleRules, LinkButtonsFollowTheAddressField)
{
    const struct {
        QString url;
        bool blank;
        bool noLink;
    } cases[] = {
        {QStringLiteral("(unsaved)"), false, true},
        {QStringLiteral("(no-link)"), true, false},
        {QStringLiteral("a.htm"), true, true},
    };
    for (const auto& c : cases) {
        TIdleInputs in = projectWithPage();
        in.UrlText = c.url;
        const TIdleOutcome out = IdleOutcome(in);
        EXPECT_TRUE(out.SetLinkButtons);
        EXPECT_EQ(out.LinkBlankEnabled, c.blank) << c.url.toStdString();
        EXPECT_EQ(out.NoLinkEnabled, c.noLink) << c.url.toStdString();
    }
    TIdleInputs disabled = projectWithPage();
    disabled.UrlFieldEnabled = false;
    EXPECT_FALSE(IdleOutcome(disabled).SetLinkButtons) << "a disabled field leaves the buttons to the topic bar";
}

TEST(IdleRules, TopicOptionsOnlyForLinkedPagesInsideTheFolder)
{
    const struct {
        int status;
        QString url;
        bool enabled;
    } cases[] = {
        {StatusLinked, QStringLiteral("topics\\intro.htm"), true},
        {StatusLinked, QStringLiteral("http://example.com/a.htm"), false},
        {StatusLinked, QString(), false},
        {StatusUnsaved, QStringLiteral("(unsaved)"), false},
        {StatusNoLink, QStringLiteral("(no-link)"), false},
    };
    for (const auto& c : cases) {
        TIdleInputs in = projectWithPage();
        in.CurrentStatus = c.status;
        in.UrlText = c.url;
        EXPECT_EQ(IdleOutcome(in).TopicFieldsEnabled, c.enabled) << c.url.toStdString();
    }
    TIdleInputs unwired = projectWithPage();
    unwired.TopicFieldsWired = false;
    EXPECT_FALSE(IdleOutcome(unwired).TopicFieldsEnabled);
}

TEST(IdleRules, TreeCommandsActOnTopicsNotRoots)
{
    TIdleInputs in = projectWithPage();
    EXPECT_TRUE(IdleOutcome(in).SetTreeCommands);
    EXPECT_TRUE(IdleOutcome(in).TreeCommandsEnabled);
    in.FocusedNodeIsRoot = true;
    EXPECT_FALSE(IdleOutcome(in).TreeCommandsEnabled);
    in.HasFocusedNode = false;
    EXPECT_FALSE(IdleOutcome(in).SetTreeCommands) << "nothing focused: the buttons stay as they are";
}
