#pragma once

class TopicNode;
class TopicTree;

// Which tree commands the window offers, by what the tree's selection holds.

// The entries of the tree's popup menu for the focused node.
struct TTreePopupState {
    bool AddAround = false;      // "之前添加", "在之后添加", "添加子级", "添加结尾": on a topic
    bool AddToToc = false;       // "将页面添加到目录...": on "Table of contents"
    bool AddPage = false;        // "添加页面...": on "Pages out of TOC"
    bool AddTemplate = false;    // "添加模板...": on "Templates"
    bool DeleteEnabled = false;  // "删除": topics only
    bool RenameEnabled = false;  // "更改标题": roots keep their names
    bool SetDefaultTopic = false; // topics of the table of contents and out of TOC
    bool UseThisTemplate = false; // templates
    bool UseNoTemplate = false;   // templates and the "Templates" root
};
// Nothing focused: every add entry hidden, the rest disabled or hidden.
TTreePopupState TreePopupFor(const TopicNode* focused);

// The topic bar and the tree tool bar after a selection change.
struct TTopicBarState {
    bool TreeButtonsEnabled = false; // move, indent, move-right-and-add-heading, delete
    bool LabelsNormal = false;       // "标题:" / "网址:" in the normal text colour, else grey
    bool FieldsEnabled = false;      // title and URL fields
    bool ClearFields = false;        // title and URL fields emptied
    bool FillFields = false;         // one topic: the fields show it
    bool LinkButtonsEnabled = false;
    bool IconPickerEnabled = false;
    int IconPickerIndex = -1;        // the icon all selected topics share; -1 shows nothing
    bool DisableViews = false;       // the editing views go behind their blank panels
    bool PreviousNextEnabled = false;
};
TTopicBarState TopicBarFor(const TopicTree& tree);
