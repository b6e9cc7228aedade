#include "IdleRules.h"

#include "TLeftTreeData.h"

const QString TIdleOutcome::TreeHint =
    QStringLiteral("For table of Contents: Ctrl+Click to multi-select; Shift+Click to section-select");
const QString TIdleOutcome::EditorHint = QStringLiteral("For editor: Press Shift-Enter to insert a line break");

TIdleOutcome IdleOutcome(const TIdleInputs& in)
{
    TIdleOutcome out;
    out.SaveEnabled = in.HasProject && in.ProjectChanged;

    if (in.Dragging)
        out.KeepHint = true;
    else if (in.FocusIn == TIdleInputs::Focus::Tree)
        out.Hint = TIdleOutcome::TreeHint;
    else if (in.FocusIn == TIdleInputs::Focus::Editor && in.EditorReady)
        out.Hint = TIdleOutcome::EditorHint;

    if (in.UrlFieldEnabled) {
        out.SetLinkButtons = true;
        out.LinkBlankEnabled = in.LinkBlankWired && in.UrlText != QLatin1String("(unsaved)");
        out.NoLinkEnabled = in.NoLinkWired && in.UrlText != QLatin1String("(no-link)");
    }

    // An address with a scheme or a drive is outside the folder.
    const bool pageInFolder = in.HasProject && in.CurrentStatus == StatusLinked && !in.UrlText.isEmpty()
        && !in.UrlText.contains(QLatin1Char(':'));
    out.TopicFieldsEnabled = pageInFolder && in.TopicFieldsWired;

    if (in.HasFocusedNode) {
        out.SetTreeCommands = true;
        out.TreeCommandsEnabled = in.HasProject && !in.FocusedNodeIsRoot && in.TreeCommandsWired;
    }
    return out;
}
