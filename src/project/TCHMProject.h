#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// One HTML Help project: the window settings a project keeps (geometry,
// panes, buttons, tabs, tree styles and fonts), the flag words derived from
// them and the build data the project files are written from. The values are
// those a new object has; the project's own defaults are set when a project
// is initialised. The files themselves are written in src/output.
class TCHMProject {
public:
    // Copies the stored settings only (what the settings dialog edits):
    // geometry, pane width, default tab, the window options from
    // ShowMSDNMenu to SavePosition, the fonts, Title, Language, Font and
    // DefaultTopic (not the compiler, which the build dialog sets).
    void Assign(const TCHMProject& other);

    // The flag words of the window definition and the contents tree,
    // computed from the options.
    void SetToolbar();
    void SetFace();
    void SetWindow();
    void SetWindowEx();
    void SetWinStyle();
    void SetWinStyleEx();
    void SetFlagWords();

    int Top = 70;
    int Left = 100;
    int Height = 420;
    int Width = 600;
    int PaneWidth = 200;
    int DefaultTab = 0; // 0 Contents, 1 Index, 2 Search, 3 Favorites
    bool AutoSearch = true; // not stored: list every file of the work folder

    bool ShowMSDNMenu = false;
    bool ShowPanesToolbar = true;
    bool ShowPane = true;
    bool HideToolbar = false;
    bool HideToolbarText = false;
    bool StayOnTop = false;
    bool Maximize = false;
    bool Hide = true;
    bool Locate = true;
    bool Back = true;
    bool bForward = true;
    bool Stop = true;
    bool Refresh = true;
    bool Home = true;
    bool Print = true;
    bool Option = true;
    bool Jump1 = false;
    bool Jump2 = false;
    bool AutoShowHide = false;
    bool AutoSync = true;
    bool Content = true;
    bool Index = true;
    bool Search = true;
    bool Favorite = true;
    bool UseFolder = false;
    bool AutoTrack = false;
    bool SelectRow = false;
    bool PlusMinus = true;
    bool ShowSelection = true;
    bool ShowRoot = true;
    bool DrawLines = true;
    bool AutoExpand = false;
    bool RightToLeft = false;
    bool LeftScroll = false;
    bool Border = false;
    bool DialogFrame = false;
    bool RaisedEdge = false;
    bool SunkenEdge = false;
    bool SavePosition = false;

    QString ContentsFont = QStringLiteral(",8,0"); // face, points, character set
    QString IndexFont = QStringLiteral(",8,0");
    QString Title;        // the build overwrites these four before every output
    QString Language;
    QString Font;
    QString DefaultTopic;
    // The HTML Help compiler the project is built with ("chmcmd", "native");
    // empty for the program's default.
    QString Compiler;

    // Derived flag words, not stored.
    int Toolbar = 0;
    int Face = 0;
    int Window = 0;
    int WindowEx = 0;
    int WinStyle = 0;
    int WinStyleEx = 0;

    // Build data, set by the build, not stored.
    QStringList Files;    // the [FILES] lines, "\" separators
    QString Folder;       // native work folder, ending with a separator
    QString SourceFolder; // a sub-folder of Folder that AutoSearch scans
    QString CHM;          // the compiled file: native absolute, or a bare name in Folder
    // The list bodies of the contents and index files, kept as the bytes
    // they are written as: names (the whole index) are in the help
    // language's code page, the rest of the contents list in the ANSI code
    // page, which a single string could not hold without losing bytes.
    QByteArray TOC;
    QByteArray IndexList;
    QString Alias; // [ALIAS] lines, each ending with CR LF
    QString Map;   // context map header, each line ending with CR LF
    QString HHPFile; // file names (no folder) chosen when writing
    QString HHCFile;
    QString HHKFile;
    QString HFile;
    QString LOGFile;
};
