#pragma once

#include <QString>

// What the window looks at whenever the program is idle.
struct TIdleInputs {
    bool HasProject = false;
    bool ProjectChanged = false;
    // Where the keyboard focus is.
    enum class Focus { Elsewhere, Tree, Editor } FocusIn = Focus::Elsewhere;
    bool Dragging = false;
    // The editor can take the author's typing (enabled, shown and not loading).
    bool EditorReady = false;
    bool UrlFieldEnabled = false;
    QString UrlText;
    int CurrentStatus = 0;
    // The focused node; null for nothing.
    bool HasFocusedNode = false;
    bool FocusedNodeIsRoot = false;
    // Which of the commands concerned are built (the command table's Wired).
    bool LinkBlankWired = true;
    bool NoLinkWired = true;
    bool TopicFieldsWired = true;
    bool TreeCommandsWired = true;
};

// What the window then shows. Optional parts are left as they are when unset.
struct TIdleOutcome {
    static const QString TreeHint;
    static const QString EditorHint;

    // The "保存" tool button, only while the project has changes.
    bool SaveEnabled = false;
    // The hint for the control with the focus; a drag keeps the hint it shows.
    bool KeepHint = false;
    QString Hint;
    // The link buttons follow what the URL field shows (only while it is enabled).
    bool SetLinkButtons = false;
    bool LinkBlankEnabled = false;
    bool NoLinkEnabled = false;
    // The topic options belong to pages inside the project folder.
    bool TopicFieldsEnabled = false;
    // Tree commands act on topics, not on roots (only when a node is focused).
    bool SetTreeCommands = false;
    bool TreeCommandsEnabled = false;
};

TIdleOutcome IdleOutcome(const TIdleInputs& in);
