#pragma once

#include "TWindowState.h"

class IDHTMLEdit;
class QMainWindow;
class QSplitter;

// The window state as the window shows it: position and size (the normal
// ones while maximised), the navigation width and the editor's switches.
TWindowState CaptureWindowState(const QMainWindow& window, const QSplitter& splitter, const IDHTMLEdit& editor);
// Puts a stored state on screen; a position from another screen layout is
// moved onto the primary screen.
void ApplyWindowState(const TWindowState& state, QMainWindow& window, QSplitter& splitter, IDHTMLEdit& editor);
