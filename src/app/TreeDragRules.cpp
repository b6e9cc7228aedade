#include "TreeDragRules.h"

using namespace TopicTreeCommands;

namespace {
constexpr int MarkerWidth = 32;
constexpr int MarkerHeight = 2;
constexpr int MarkerOffset = 3;
constexpr int BottomZone = 40;
constexpr int TopZone = 24;
constexpr int LeftZone = 40;
constexpr int RightZone = 23;
} // namespace

QString DragModeName(DragState state)
{
    switch (state) {
    case DropBefore:
        return QStringLiteral("Insert Before");
    case DropAfter:
        return QStringLiteral("Insert After");
    case DropAsChild:
        break;
    }
    return QStringLiteral("Insert As a Child");
}

QRect DropMarkerRect(DragState state, const QRect& row, int depth, int indentation, int horizontalScroll)
{
    if (state == DropAsChild || !row.isValid())
        return {};
    const int x = depth * indentation - horizontalScroll + MarkerOffset;
    const int y = state == DropBefore ? row.top() - MarkerHeight / 2 : row.bottom() + 1 - MarkerHeight / 2;
    return QRect(x, y, MarkerWidth, MarkerHeight);
}

TScrollDirection AutoScrollAt(const QPoint& cursor, const QSize& viewport)
{
    if (cursor.y() >= viewport.height() - BottomZone)
        return TScrollDirection::Down;
    if (cursor.y() < TopZone)
        return TScrollDirection::Up;
    if (cursor.x() < LeftZone)
        return TScrollDirection::Left;
    if (cursor.x() >= viewport.width() - RightZone)
        return TScrollDirection::Right;
    return TScrollDirection::None;
}
