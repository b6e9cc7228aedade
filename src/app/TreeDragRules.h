#pragma once

#include "TopicTreeCommands.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

// Dragging topics with the mouse: what the tree shows while the cursor moves.

// The mode shown in the status bar: "Insert Before", "Insert As a Child", "Insert After".
QString DragModeName(TopicTreeCommands::DragState state);

// The red marker line, 32 pixels wide and 2 high, at the top edge of the
// target's row (before) or its bottom edge (after); empty when the drop
// goes into the target. `row` is the row's rectangle in the viewport.
QRect DropMarkerRect(TopicTreeCommands::DragState state, const QRect& row, int depth, int indentation,
    int horizontalScroll);

// Where the tree scrolls by itself while the cursor stays near an edge of
// the viewport: 40 pixels at the bottom, 24 at the top, 40 at the left, 23
// at the right; the vertical zones win.
enum class TScrollDirection { None, Up, Down, Left, Right };
TScrollDirection AutoScrollAt(const QPoint& cursor, const QSize& viewport);
