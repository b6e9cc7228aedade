#pragma once

#include <QString>

// The HTML Help window settings a project keeps: geometry, panes, buttons,
// tabs, tree styles and fonts. The values are those a new object has; the
// project's own defaults are set when a project is initialised.
class TCHMProject {
public:
    // Copies the stored settings only (what the settings dialog edits).
    void Assign(const TCHMProject& other);

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
};
