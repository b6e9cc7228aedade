#include "TreeMenuRules.h"

#include "TopicTree.h"

TTreePopupState TreePopupFor(const TopicNode* focused)
{
    TTreePopupState state;
    if (focused == nullptr)
        return state;
    const int kind = focused->entry().Kind;
    if (!focused->isRoot()) {
        state.AddAround = true;
        state.DeleteEnabled = true;
        state.RenameEnabled = true;
        state.SetDefaultTopic = kind != KindTemplates;
        state.UseThisTemplate = kind == KindTemplates;
        state.UseNoTemplate = kind == KindTemplates;
        return state;
    }
    state.AddToToc = kind == KindRootTableOfContents;
    state.AddPage = kind == KindRootPagesOutOfToc;
    state.AddTemplate = kind == KindRootTemplates;
    state.UseNoTemplate = kind == KindRootTemplates;
    return state;
}

TTopicBarState TopicBarFor(const TopicTree& tree)
{
    TTopicBarState state;
    const TopicNode* focused = tree.selected();
    if (focused == nullptr) {
        state.ClearFields = true;
        state.DisableViews = true;
        return state;
    }
    state.TreeButtonsEnabled = !focused->isRoot();
    if (focused->isRoot()) {
        state.ClearFields = true;
        state.DisableViews = true;
        return state;
    }
    if (tree.selection().size() == 1) {
        state.LabelsNormal = true;
        state.FieldsEnabled = true;
        state.FillFields = true;
        state.LinkButtonsEnabled = true;
        state.IconPickerEnabled = true;
        state.IconPickerIndex = focused->entry().Icon;
    } else {
        state.ClearFields = true;
        state.DisableViews = true;
        state.IconPickerEnabled = true;
        state.IconPickerIndex = focused->entry().Icon;
        for (const TopicNode* node : tree.selection()) {
            if (!node->isRoot() && node->entry().Icon != state.IconPickerIndex) {
                state.IconPickerIndex = -1;
                break;
            }
        }
    }
    // Icons and previous / next belong to the table of contents.
    const bool tocTopic = focused->entry().Kind == KindTableOfContents;
    state.IconPickerEnabled = state.IconPickerEnabled && tocTopic;
    state.PreviousNextEnabled = tocTopic;
    return state;
}
