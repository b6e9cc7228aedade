#pragma once

class QSettings;

// The main window's state between runs, stored per user under the names and
// types the program always used ("Left", "Top", "Height", "Width",
// "NavWidth", "Maximized", "ShowBorder", "ShowDetail": integers, the last
// three 0 or 1).
struct TWindowState {
    int Left = 0;
    int Top = 0;
    int Height = 0; // the window's size in normal state
    int Width = 0;
    int NavWidth = 0; // the left panel
    bool Maximized = false;
    bool ShowBorders = false; // the editor's switches
    bool ShowDetails = false;

    // The state a window designed as `designed` starts with. The stored
    // size only sets a lower bound: a height below 500 gives 700 and a width
    // below 918 gives 918, otherwise the designed size stays. Reading stops
    // at the first missing or unreadable value: the window is then
    // maximized and shows borders (a first run).
    static TWindowState Load(const QSettings& settings, const TWindowState& designed);
    // Writes a window's normal bounds and switches; a left panel of no
    // width is stored as 1.
    void Save(QSettings& settings) const;

    bool operator==(const TWindowState&) const = default;
};
