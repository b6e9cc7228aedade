#pragma once

#include "TopicTreeCommands.h"
#include "TreeDragRules.h"

#include <QPersistentModelIndex>
#include <QTimer>
#include <QTreeView>

class TQrx;
class TTopicItemDelegate;
class TopicNode;
class TopicTree;

// The project's topic tree on screen: a view of the model's own tree, never
// a copy. Selection and expansion live in the model; the view mirrors them
// both ways, and expanding or collapsing a node swaps its image.
//
// Topics are dragged inside the tree with the view's own mouse handling
// (no platform drag): the move set goes before, into or after the node
// under the cursor, with a marker line, hover expansion and auto-scroll.
class TTopicTreeView : public QTreeView {
    Q_OBJECT
public:
    static constexpr int HoverExpandMs = 1000;
    static constexpr int AutoScrollMs = 80;

    explicit TTopicTreeView(TQrx& project, QWidget* parent = nullptr);
    // The hover-expansion and auto-scroll intervals; tests shorten them.
    void SetDragTimings(int hoverExpandMs, int autoScrollMs);

    TopicNode* nodeAt(const QModelIndex& index) const;
    // Height of one row, for drag and drop.
    int rowHeight() const;

    // Starts editing the node's title in place; false for roots.
    bool editTitle(TopicNode* node);
    bool isEditing() const { return state() == EditingState; }

    // The drag under way.
    bool isDragging() const { return m_dragging; }
    TopicTreeCommands::DragState dragState() const { return m_dragState; }
    // The node a drop would go to; null when the drop is not accepted.
    TopicNode* dropTarget() const { return m_target; }
    QRect markerRect() const { return m_marker; }
    bool hoverTimerActive() const { return m_hoverTimer.isActive(); }
    bool scrollTimerActive() const { return m_scrollTimer.isActive(); }
    TScrollDirection scrollDirection() const { return m_scrollDirection; }
    // Ends any drag without dropping and clears the drop target.
    void endDrag();
    // Opens the branches that hide selected topics and scrolls to the
    // focused one: a topic just moved into a collapsed branch stays in sight.
    void revealSelection();

signals:
    // The author asked for the popup menu; its focused node is the one clicked.
    void popupRequested(const QPoint& globalPos);
    // A title edited in place was accepted.
    void titleEdited(TopicNode* node);
    // The drag mode to show in the status bar; empty when the drag ends.
    void dragModeChanged(const QString& mode);
    // A drop changed the tree.
    void dropped();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool viewportEvent(QEvent* event) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void commitData(QWidget* editor) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    void takeSelectionFromModel();
    void giveSelectionToModel();
    void takeExpansionFromModel(const QModelIndex& parent);
    void selectRangeTo(TopicNode* clicked);

    void beginDrag();
    void dragTo(const QPoint& position);
    void drop();
    void setMarker(const QRect& marker);
    void setDropMark(TopicNode* target, bool asChild);
    void hoverExpand();
    void autoScroll();
    void resetPress();

    TQrx& m_project;
    TopicTree& m_tree;
    TTopicItemDelegate* m_delegate;
    bool m_syncing = false;
    TopicNode* m_editing = nullptr;

    // The left button went down here; a drag starts past the drag distance.
    QPersistentModelIndex m_pressIndex;
    QPoint m_pressPosition;
    // Pressed on a row of a several-row selection: the selection stays for
    // a drag and becomes that row alone on release.
    bool m_selectOnRelease = false;
    // Where a Shift+click range starts: the focused node, kept while the
    // focus stays on the end of the last range so that ranges from one
    // start can be redrawn.
    QPersistentModelIndex m_rangeStart;
    QPersistentModelIndex m_rangeEnd;

    bool m_dragging = false;
    TopicTreeCommands::DragState m_dragState = TopicTreeCommands::DropAsChild;
    TopicNode* m_target = nullptr;
    TopicNode* m_hoverNode = nullptr;
    QRect m_marker;
    QPoint m_cursor;
    TScrollDirection m_scrollDirection = TScrollDirection::None;
    QTimer m_hoverTimer;
    QTimer m_scrollTimer;
};
