#pragma once

#include <QList>
#include <QString>
#include <functional>
#include <map>

// Every command of the main window's menus and tool bars. A command carries
// the Tag number its handler family dispatches on, as the project's
// operations, the build and the output views always did.
enum class TCommandFamily {
    Project,    // new, open, save, save as, close: Tags 1-7
    Build,      // 0 the whole build, 1-5 with that output's page preselected
    ViewOutput, // 1-5 an output's file, 11-15 its folder
    Window,     // the main window's own commands: Tag = TWindowCommand
    Tree,       // the topic tree's tool bar and popup menu: Tag = TTreeCommand
    AddTopic,   // the add-topic dialog: Tag 0 from the focused node, 1-4 before / after / child / end,
                // 10-12 on the root of the table of contents / pages out of TOC / templates
    TopicBar,   // the link buttons of the topic bar: Tag = TTopicBarCommand
    Page,       // the topic page: Tag = TPageCommand
    Spelling,   // Tags 1-3 check modes, 4 options
    History,    // 1 undo, 2 redo (the editor's own history)
};

enum TProjectCommand {
    CmdNewBlankProject = 1,
    CmdOpenProject,
    CmdSaveProject,
    CmdSaveProjectAs,
    CmdCloseProject,
    CmdNewFromHtml,
    CmdNewFromChm,
};

// The build dialog opens on the page of its output; the whole build on the
// project's own choice.
enum TBuildCommand {
    CmdBuildAll = 0,
    CmdBuildChm,
    CmdBuildWebHelp,
    CmdBuildWord,
    CmdBuildPdf,
    CmdBuildSingleHtml,
};

enum TViewOutputCommand {
    CmdViewChm = 1,
    CmdViewWebHelp,
    CmdViewWord,
    CmdViewPdf,
    CmdViewSingleHtml,
    CmdViewChmFolder = 11,
    CmdViewWebHelpFolder,
    CmdViewWordFolder,
    CmdViewPdfFolder,
    CmdViewSingleHtmlFolder,
};

// Where the add-topic dialog puts what it adds.
enum TAddTopicCommand {
    CmdAddFromFocused = 0,
    CmdAddBefore,
    CmdAddAfter,
    CmdAddChild,
    CmdAddEnd,
    CmdAddToToc = 10,
    CmdAddPage,
    CmdAddTemplate,
};

enum TSpellingCommand {
    CmdCheckDocument = 1,
    CmdCheckSelection,
    CmdCheckFromCursor,
    CmdSpellingOptions,
};

enum THistoryCommand {
    CmdUndo = 1,
    CmdRedo,
};

enum TWindowCommand {
    CmdImportToc = 1,
    CmdExit,
    CmdBrowseProjectFolder,
    CmdProjectSettings,
    CmdProjectSettingsAndIcons, // the tool button also recomputes the topic icons
    CmdEnvironmentOptions,
    CmdHowToUse,
    CmdHelpFile, // the tool button
    CmdAbout,
};

enum TTreeCommand {
    CmdExpandAll = 1,
    CmdCollapseAll,
    CmdDeleteSelection = 4,
    CmdMoveUp,
    CmdMoveDown,
    CmdMoveLeft,
    CmdMoveRight,
    CmdMoveRightAddHeading,
    CmdRenameTopic,
    CmdCollapseBelow,
    CmdExpandBelow,
    CmdSortAllLevels,
    CmdSortOneLevel,
    CmdSetDefaultTopic,
    CmdUseThisTemplate,
    CmdUseNoTemplate,
};

enum TTopicBarCommand {
    CmdLinkBlankPage = 1,
    CmdLinkExistingPage,
    CmdNoLink,
};

enum TPageCommand {
    CmdSavePage = 1,
    CmdSaveSource,
    CmdExternalEditor,
    CmdPreviousTopic,
    CmdNextTopic,
};

enum class TCommandId {
    NewBlankProject, NewFromHtml, NewFromChm, Open, SaveProject, SaveProjectAs, CloseProject, ImportToc, Exit,
    BuildProject, BuildChm, BuildWebHelp, BuildWord, BuildPdf, BuildSingleHtml,
    ViewChm, ViewWebHelp, ViewWord, ViewPdf, ViewSingleHtml,
    ViewChmFolder, ViewWebHelpFolder, ViewWordFolder, ViewPdfFolder, ViewSingleHtmlFolder,
    BrowseProjectFolder, ProjectSettings, ProjectSettingsTool, EnvironmentOptions, HowToUse, HelpTool, About,
    ExpandAll, CollapseAll, AddTopic, DeleteSelection, MoveUp, MoveDown, MoveLeft, MoveRight, MoveRightAddHeading,
    AddBefore, AddAfter, AddChild, AddEnd, AddToToc, AddPage, AddTemplate, DeleteTopic, RenameTopic,
    CollapseBelow, ExpandBelow, SortAllLevels, SortOneLevel, SetDefaultTopic, UseThisTemplate, UseNoTemplate,
    LinkBlankPage, LinkExistingPage, NoLink,
    SavePage, SaveSource, ExternalEditor, PreviousTopic, NextTopic,
    CheckDocument, CheckSelection, CheckFromCursor, SpellingOptions,
    Undo, Redo,
};

struct TCommand {
    TCommandId Id;
    TCommandFamily Family;
    int Tag;
    QString Caption;     // menu entry or button hint
    QString ToolCaption; // caption under a tool button, if it has one
    QString Shortcut;    // portable key text ("Ctrl+N"), if any
    bool NeedsProject;   // disabled while no project is open
    bool Wired;          // false until the command is built; shown disabled
};

namespace CommandTable {

const QList<TCommand>& All();
const TCommand& Get(TCommandId id);

} // namespace CommandTable

// Runs commands through the handler of their family with their Tag.
class TCommandDispatcher {
public:
    using Handler = std::function<void(int tag)>;

    void SetHandler(TCommandFamily family, Handler handler);
    // False when the command is not built yet or its family has no handler.
    bool Dispatch(TCommandId id) const;

private:
    std::map<TCommandFamily, Handler> m_handlers;
};
