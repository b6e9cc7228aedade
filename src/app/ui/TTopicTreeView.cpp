#include "TTopicTreeView.h"

#include "TQrx.h"
#include "TTopicItemDelegate.h"
#include "TopicTree.h"
#include "TreeDrawingRules.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QToolTip>

using namespace TopicTreeCommands;

namespace {

constexpr int Indentation = 19;

// The cursor of a drag of several topics: a stack of pages beside the arrow.
QCursor severalTopicsCursor()
{
    QPixmap picture(32, 32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPolygon arrow({QPoint(0, 0), QPoint(0, 15), QPoint(4, 11), QPoint(7, 17), QPoint(9, 16), QPoint(6, 10),
                          QPoint(11, 10)});
    painter.setPen(Qt::white);
    painter.setBrush(Qt::black);
    painter.drawPolygon(arrow);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    for (int page = 0; page < 3; ++page)
        painter.drawRect(QRect(12 + 3 * page, 14 + 3 * page, 10, 12));
    return QCursor(picture, 0, 0);
}

QCursor dragCursor(bool severalTopics)
{
    static const QCursor several = severalTopicsCursor();
    return severalTopics ? several : QCursor(Qt::DragMoveCursor);
}

} // namespace

TTopicTreeView::TTopicTreeView(TQrx& project, QWidget* parent)
    : QTreeView(parent)
    , m_project(project)
    , m_tree(project.Tree())
    , m_delegate(new TTopicItemDelegate(project, this))
{
    setModel(&m_tree);
    setItemDelegate(m_delegate);
    setHeaderHidden(true);
    setIndentation(Indentation);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::EditKeyPressed);
    setUniformRowHeights(true);
    header()->setStretchLastSection(true);
    setIconSize(QSize(16, 16));
    // Selected rows: blue on silver, also while the tree has no focus.
    QPalette colours = palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        colours.setColor(group, QPalette::Highlight, QColor(192, 192, 192));
        colours.setColor(group, QPalette::HighlightedText, QColor(0, 0, 255));
    }
    setPalette(colours);

    m_hoverTimer.setInterval(HoverExpandMs);
    m_scrollTimer.setInterval(AutoScrollMs);
    connect(&m_hoverTimer, &QTimer::timeout, this, &TTopicTreeView::hoverExpand);
    connect(&m_scrollTimer, &QTimer::timeout, this, &TTopicTreeView::autoScroll);

    connect(&m_tree, &TopicTree::selectionChanged, this, &TTopicTreeView::takeSelectionFromModel);
    connect(&m_tree, &TopicTree::selectionChanged, this, &TTopicTreeView::endDrag);
    connect(&m_tree, &QAbstractItemModel::modelAboutToBeReset, this, &TTopicTreeView::endDrag);
    connect(&m_tree, &QAbstractItemModel::rowsAboutToBeRemoved, this, &TTopicTreeView::endDrag);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &TTopicTreeView::giveSelectionToModel);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, &TTopicTreeView::giveSelectionToModel);

    connect(this, &QTreeView::expanded, this, [this](const QModelIndex& index) {
        if (!m_syncing)
            m_tree.setExpanded(nodeAt(index), true);
    });
    connect(this, &QTreeView::collapsed, this, [this](const QModelIndex& index) {
        if (!m_syncing)
            m_tree.setExpanded(nodeAt(index), false);
    });
    connect(&m_tree, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& from, const QModelIndex& to, const QList<int>& roles) {
                if (!roles.contains(TopicTree::ExpandedRole) || m_syncing)
                    return;
                const QScopedValueRollback<bool> syncing(m_syncing, true);
                for (int row = from.row(); row <= to.row(); ++row) {
                    const QModelIndex index = from.siblingAtRow(row);
                    setExpanded(index, index.data(TopicTree::ExpandedRole).toBool());
                }
            });
    connect(&m_tree, &QAbstractItemModel::modelReset, this, [this] {
        takeExpansionFromModel(QModelIndex());
        takeSelectionFromModel();
    });
    connect(&m_tree, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex& parent, int first, int last) {
        for (int row = first; row <= last; ++row) {
            const QModelIndex index = m_tree.index(row, 0, parent);
            {
                const QScopedValueRollback<bool> syncing(m_syncing, true);
                setExpanded(index, index.data(TopicTree::ExpandedRole).toBool());
            }
            takeExpansionFromModel(index);
        }
    });
    takeExpansionFromModel(QModelIndex());
    takeSelectionFromModel();
}

void TTopicTreeView::SetDragTimings(int hoverExpandMs, int autoScrollMs)
{
    m_hoverTimer.setInterval(hoverExpandMs);
    m_scrollTimer.setInterval(autoScrollMs);
}

TopicNode* TTopicTreeView::nodeAt(const QModelIndex& index) const
{
    return m_tree.nodeAt(index);
}

int TTopicTreeView::rowHeight() const
{
    const QModelIndex first = m_tree.index(0, 0);
    const int height = visualRect(first).height();
    return height > 0 ? height : sizeHintForRow(0);
}

bool TTopicTreeView::editTitle(TopicNode* node)
{
    const QModelIndex index = m_tree.indexOf(node);
    if (node == nullptr || node->isRoot() || !index.isValid())
        return false;
    scrollTo(index);
    QTreeView::edit(index);
    return isEditing() && m_editing == node;
}

bool TTopicTreeView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    const bool editing = QTreeView::edit(index, trigger, event);
    if (editing)
        m_editing = nodeAt(index);
    return editing;
}

void TTopicTreeView::commitData(QWidget* editor)
{
    TopicNode* node = m_editing;
    const QString before = node != nullptr ? node->text() : QString();
    QTreeView::commitData(editor);
    if (node != nullptr && node->text() != before)
        emit titleEdited(node);
}

void TTopicTreeView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    QTreeView::closeEditor(editor, hint);
    m_editing = nullptr;
}

// ---- selection and expansion --------------------------------------------------

void TTopicTreeView::takeExpansionFromModel(const QModelIndex& parent)
{
    const QScopedValueRollback<bool> syncing(m_syncing, true);
    const int rows = m_tree.rowCount(parent);
    for (int row = 0; row < rows; ++row) {
        const QModelIndex index = m_tree.index(row, 0, parent);
        if (m_tree.rowCount(index) == 0)
            continue;
        setExpanded(index, index.data(TopicTree::ExpandedRole).toBool());
        takeExpansionFromModel(index);
    }
}

void TTopicTreeView::takeSelectionFromModel()
{
    if (m_syncing)
        return;
    const QScopedValueRollback<bool> syncing(m_syncing, true);
    QItemSelection selection;
    for (const TopicNode* node : m_tree.selection()) {
        const QModelIndex index = m_tree.indexOf(node);
        selection.select(index, index);
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    if (TopicNode* focused = m_tree.selected()) {
        const QModelIndex index = m_tree.indexOf(focused);
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
        scrollTo(index);
    }
}

void TTopicTreeView::giveSelectionToModel()
{
    if (m_syncing)
        return;
    bool taken = true;
    {
        const QScopedValueRollback<bool> syncing(m_syncing, true);
        // The focused node comes first: it is the one the topic fields show.
        QList<TopicNode*> nodes;
        const QModelIndex current = selectionModel()->currentIndex();
        if (current.isValid() && selectionModel()->isSelected(current))
            nodes.append(nodeAt(current));
        for (const QModelIndex& index : selectionModel()->selectedRows()) {
            TopicNode* node = nodeAt(index);
            if (node != nullptr && !nodes.contains(node))
                nodes.append(node);
        }
        if (nodes != m_tree.selection())
            taken = m_tree.setSelection(nodes);
    }
    // The model kept its selection (the author cancelled the page's
    // question): the view shows it again.
    if (!taken)
        takeSelectionFromModel();
}

void TTopicTreeView::selectRangeTo(TopicNode* clicked)
{
    TopicNode* focused = m_tree.selected();
    const QModelIndex focusedIndex = m_tree.indexOf(focused);
    if (!m_rangeStart.isValid() || !m_rangeEnd.isValid() || m_rangeEnd != focusedIndex)
        m_rangeStart = focusedIndex;
    QModelIndex start = m_rangeStart;
    const QModelIndex end = m_tree.indexOf(clicked);
    if (!start.isValid()) {
        m_tree.select(clicked);
        return;
    }
    // A start inside a collapsed branch counts from the row that shows it.
    for (QModelIndex parent = start.parent(); parent.isValid(); parent = parent.parent())
        if (!isExpanded(parent))
            start = parent;
    const bool downwards = visualRect(start).top() <= visualRect(end).top();
    QList<TopicNode*> range{clicked};
    for (QModelIndex row = downwards ? start : end;; row = indexBelow(row)) {
        if (!row.isValid())
            break;
        if (row != end)
            range.append(nodeAt(row));
        if (row == (downwards ? end : start))
            break;
    }
    m_tree.setSelection(range);
    m_rangeEnd = end;
}

void TTopicTreeView::revealSelection()
{
    const QList<TopicNode*> selection = m_tree.selection();
    for (TopicNode* node : selection)
        for (TopicNode* parent = node->parent(); parent != nullptr && parent->parent() != nullptr;
             parent = parent->parent())
            m_tree.setExpanded(parent, true);
    if (!selection.isEmpty())
        scrollTo(m_tree.indexOf(selection.front()));
}

// ---- mouse, keys, popup, hints ------------------------------------------------

void TTopicTreeView::mousePressEvent(QMouseEvent* event)
{
    endDrag(); // a click ends what a drag left behind
    resetPress();
    const QPoint position = event->position().toPoint();
    const QModelIndex index = indexAt(position);
    if (event->button() != Qt::LeftButton || !index.isValid()) {
        QTreeView::mousePressEvent(event);
        return;
    }
    const Qt::KeyboardModifiers keys = event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier);
    if (keys == Qt::ShiftModifier && visualRect(index).contains(position)) {
        // The range starts at the focused node, wherever Qt's own anchor is.
        setFocus(Qt::MouseFocusReason);
        selectRangeTo(nodeAt(index));
        event->accept();
        return;
    }
    m_pressIndex = index;
    m_pressPosition = position;
    const bool plainClick = keys == Qt::NoModifier;
    if (plainClick && m_tree.selection().size() > 1 && selectionModel()->isSelected(index)) {
        // Keep the selection: this press may start dragging all of it.
        m_selectOnRelease = true;
        setFocus(Qt::MouseFocusReason);
        event->accept();
        return;
    }
    QTreeView::mousePressEvent(event);
}

void TTopicTreeView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint position = event->position().toPoint();
    if (m_dragging) {
        dragTo(position);
        return;
    }
    if (m_pressIndex.isValid() && event->buttons() == Qt::LeftButton) {
        if ((position - m_pressPosition).manhattanLength() >= QApplication::startDragDistance()) {
            beginDrag();
            dragTo(position);
        }
        return; // no rubber-band selection: the press may still become a drag
    }
    QTreeView::mouseMoveEvent(event);
}

void TTopicTreeView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_dragging) {
        dragTo(event->position().toPoint());
        drop();
        resetPress();
        setState(NoState);
        event->accept();
        return;
    }
    if (event->button() == Qt::LeftButton && m_selectOnRelease) {
        const QModelIndex index = m_pressIndex;
        resetPress();
        if (index.isValid())
            selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        event->accept();
        return;
    }
    resetPress();
    QTreeView::mouseReleaseEvent(event);
}

void TTopicTreeView::keyPressEvent(QKeyEvent* event)
{
    if (m_dragging && event->key() == Qt::Key_Escape) {
        endDrag();
        resetPress();
        setState(NoState);
        event->accept();
        return;
    }
    QTreeView::keyPressEvent(event);
}

void TTopicTreeView::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
    if (event->reason() == QContextMenuEvent::Keyboard) {
        // The menu key: the focused node's menu, below its row.
        if (const TopicNode* focused = m_tree.selected()) {
            const QRect row = visualRect(m_tree.indexOf(focused));
            emit popupRequested(viewport()->mapToGlobal(row.isValid() ? row.bottomLeft() : QPoint()));
        }
        return;
    }
    // The node clicked becomes the focused node; a selection it belongs to stays.
    if (TopicNode* node = nodeAt(indexAt(event->pos()))) {
        QList<TopicNode*> selection = m_tree.selection();
        if (selection.contains(node)) {
            selection.removeOne(node);
            selection.prepend(node);
        } else {
            selection = {node};
        }
        m_tree.setSelection(selection);
    }
    if (m_tree.selected() != nullptr)
        emit popupRequested(event->globalPos());
}

bool TTopicTreeView::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex index = indexAt(help->pos());
        const QString hint = index.isValid() ? TemplateHint(index.data(TopicTree::StateImageRole).toInt(),
                                                            index.data(TopicTree::ImageRole).toInt())
                                             : QString();
        if (hint.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), hint, viewport(), visualRect(index));
        return true;
    }
    return QTreeView::viewportEvent(event);
}

void TTopicTreeView::paintEvent(QPaintEvent* event)
{
    QTreeView::paintEvent(event);
    if (m_marker.isEmpty())
        return;
    QPainter painter(viewport());
    painter.fillRect(m_marker, QColor(255, 0, 0));
}

void TTopicTreeView::scrollContentsBy(int dx, int dy)
{
    QTreeView::scrollContentsBy(dx, dy);
    // The scroll moved the marker's pixels along with the rows (by whole
    // rows, not by dx, dy); all of it is painted again, the marker only where
    // it belongs.
    if (!m_marker.isEmpty())
        viewport()->update();
}

// ---- drag and drop --------------------------------------------------------------

void TTopicTreeView::resetPress()
{
    m_pressIndex = QPersistentModelIndex();
    m_selectOnRelease = false;
}

void TTopicTreeView::beginDrag()
{
    m_dragging = true;
    m_selectOnRelease = false;
    m_dragState = DropAsChild;
}

void TTopicTreeView::dragTo(const QPoint& position)
{
    m_cursor = position;
    const QModelIndex index = indexAt(position);
    TopicNode* node = nodeAt(index);
    const bool accepted = CanDrop(m_tree, node);
    DragState state = DropAsChild;
    QRect row;
    if (node != nullptr) {
        row = visualRect(index);
        state = DragStateAt(position.y() - row.top(), row.height(), node->isRoot());
        if (state == DropAsChild && node != m_hoverNode) {
            m_hoverNode = node;
            m_hoverTimer.start();
        }
    }
    m_dragState = state;
    setDropMark(accepted ? node : nullptr, state == DropAsChild);
    setMarker(accepted ? DropMarkerRect(state, row, node->depth(), indentation(), horizontalOffset()) : QRect());
    viewport()->setCursor(accepted ? dragCursor(m_tree.selection().size() > 1) : QCursor(Qt::ForbiddenCursor));
    emit dragModeChanged(accepted ? DragModeName(state) : QString());

    m_scrollDirection = AutoScrollAt(position, viewport()->size());
    if (m_scrollDirection == TScrollDirection::None)
        m_scrollTimer.stop();
    else if (!m_scrollTimer.isActive())
        m_scrollTimer.start();
}

void TTopicTreeView::drop()
{
    m_hoverTimer.stop();
    TopicNode* target = m_target;
    const DragState state = m_dragState;
    endDrag();
    if (target == nullptr)
        return;
    Drop(m_project, target, state);
    revealSelection();
    emit dropped();
}

void TTopicTreeView::endDrag()
{
    const bool wasDragging = m_dragging;
    m_dragging = false;
    m_hoverTimer.stop();
    m_scrollTimer.stop();
    m_scrollDirection = TScrollDirection::None;
    m_hoverNode = nullptr;
    m_dragState = DropAsChild;
    setMarker(QRect());
    setDropMark(nullptr, true);
    if (wasDragging) {
        viewport()->unsetCursor();
        emit dragModeChanged(QString());
    }
}

void TTopicTreeView::setMarker(const QRect& marker)
{
    if (marker == m_marker)
        return;
    viewport()->update(m_marker.adjusted(-1, -1, 1, 1)); // the old marker goes first
    m_marker = marker;
    viewport()->update(m_marker.adjusted(-1, -1, 1, 1));
}

void TTopicTreeView::setDropMark(TopicNode* target, bool asChild)
{
    const TDropMark& old = m_delegate->dropMark();
    if (old.Target == target && old.AsChild == asChild)
        return;
    if (old.Target != nullptr)
        update(m_tree.indexOf(old.Target));
    m_target = target;
    m_delegate->setDropMark({target, asChild});
    if (target != nullptr)
        update(m_tree.indexOf(target));
}

void TTopicTreeView::hoverExpand()
{
    m_hoverTimer.stop();
    if (!m_dragging || m_hoverNode == nullptr || !m_hoverNode->hasChildren())
        return;
    const QModelIndex index = m_tree.indexOf(m_hoverNode);
    if (!isExpanded(index))
        expand(index);
}

void TTopicTreeView::autoScroll()
{
    if (!m_dragging) {
        m_scrollTimer.stop();
        return;
    }
    const bool vertical = m_scrollDirection == TScrollDirection::Up || m_scrollDirection == TScrollDirection::Down;
    QScrollBar* bar = vertical ? verticalScrollBar() : horizontalScrollBar();
    const int before = bar->value();
    const bool forward = m_scrollDirection == TScrollDirection::Down || m_scrollDirection == TScrollDirection::Right;
    if (forward && bar->value() < bar->maximum())
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    else if (!forward && bar->value() > bar->minimum())
        bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    if (bar->value() == before)
        return;
    // Another row lies under the cursor now: the marker follows it.
    setMarker(QRect());
    dragTo(m_cursor);
}
