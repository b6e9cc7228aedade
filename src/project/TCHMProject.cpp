#include "TCHMProject.h"

#include <initializer_list>
#include <utility>

namespace {

int flagWord(int base, std::initializer_list<std::pair<bool, int>> flags)
{
    int word = base;
    for (const auto& [on, value] : flags)
        if (on)
            word += value;
    return word;
}

} // namespace

void TCHMProject::Assign(const TCHMProject& other)
{
    Top = other.Top;
    Left = other.Left;
    Height = other.Height;
    Width = other.Width;
    PaneWidth = other.PaneWidth;
    DefaultTab = other.DefaultTab;

    ShowMSDNMenu = other.ShowMSDNMenu;
    ShowPanesToolbar = other.ShowPanesToolbar;
    ShowPane = other.ShowPane;
    HideToolbar = other.HideToolbar;
    HideToolbarText = other.HideToolbarText;
    StayOnTop = other.StayOnTop;
    Maximize = other.Maximize;
    Hide = other.Hide;
    Locate = other.Locate;
    Back = other.Back;
    bForward = other.bForward;
    Stop = other.Stop;
    Refresh = other.Refresh;
    Home = other.Home;
    Print = other.Print;
    Option = other.Option;
    Jump1 = other.Jump1;
    Jump2 = other.Jump2;
    AutoShowHide = other.AutoShowHide;
    AutoSync = other.AutoSync;
    Content = other.Content;
    Index = other.Index;
    Search = other.Search;
    Favorite = other.Favorite;
    UseFolder = other.UseFolder;
    AutoTrack = other.AutoTrack;
    SelectRow = other.SelectRow;
    PlusMinus = other.PlusMinus;
    ShowSelection = other.ShowSelection;
    ShowRoot = other.ShowRoot;
    DrawLines = other.DrawLines;
    AutoExpand = other.AutoExpand;
    RightToLeft = other.RightToLeft;
    LeftScroll = other.LeftScroll;
    Border = other.Border;
    DialogFrame = other.DialogFrame;
    RaisedEdge = other.RaisedEdge;
    SunkenEdge = other.SunkenEdge;
    SavePosition = other.SavePosition;

    ContentsFont = other.ContentsFont;
    IndexFont = other.IndexFont;
    Title = other.Title;
    Language = other.Language;
    Font = other.Font;
    DefaultTopic = other.DefaultTopic;
}

// The values are those of the HTML Help window definition (HHWIN_PROP_*,
// HHWIN_BUTTON_*), the Windows window styles and the tree-view styles.
void TCHMProject::SetFace()
{
    Face = flagWord(0x2000, {{ShowMSDNMenu, 0x10000}, {HideToolbar, 0x8000}, {HideToolbarText, 0x40},
                                {ShowPanesToolbar, 0x20}, {AutoShowHide, 0x1}, {AutoSync, 0x100},
                                {Search, 0x400 + 0x20000}, {Favorite, 0x1000}, {SavePosition, 0x40000}});
}

void TCHMProject::SetToolbar()
{
    Toolbar = flagWord(0, {{Hide, 0x2}, {Locate, 0x800}, {Back, 0x4}, {bForward, 0x8}, {Stop, 0x10},
                              {Refresh, 0x20}, {Home, 0x40}, {Print, 0x2000}, {Option, 0x1000},
                              {Jump1, 0x40000}, {Jump2, 0x80000}});
}

void TCHMProject::SetWindow()
{
    Window = flagWord(0xB0000, {{Maximize, 0x1000000}});
}

void TCHMProject::SetWindowEx()
{
    WindowEx = flagWord(0, {{StayOnTop, 0x8}});
}

void TCHMProject::SetWinStyle()
{
    WinStyle = flagWord(0, {{AutoTrack, 0x200}, {SelectRow, 0x1000}, {PlusMinus, 0x1}, {ShowSelection, 0x20},
                               {ShowRoot, 0x4}, {DrawLines, 0x2}, {AutoExpand, 0x400}, {Border, 0x800000},
                               {DialogFrame, 0x400000}});
}

void TCHMProject::SetWinStyleEx()
{
    WinStyleEx = flagWord(0, {{RightToLeft, 0x2000}, {LeftScroll, 0x4000}, {RaisedEdge, 0x100}, {SunkenEdge, 0x200}});
}

void TCHMProject::SetFlagWords()
{
    SetFace();
    SetToolbar();
    SetWindow();
    SetWindowEx();
    SetWinStyle();
    SetWinStyleEx();
}
