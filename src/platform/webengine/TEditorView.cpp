#include "TEditorView.h"

#include "TEditorPage.h"

#include <QContextMenuEvent>
#include <QKeyEvent>

TEditorView::TEditorView(QWidget* parent)
    : QWebEngineView(parent)
{
    setPage(new TEditorPage(this));
    setContextMenuPolicy(Qt::DefaultContextMenu);
    watchFocusProxy();
}

bool TEditorView::IsHistoryKey(const QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    switch (event->key()) {
    case Qt::Key_Z:
        return modifiers == Qt::ControlModifier || modifiers == (Qt::ControlModifier | Qt::ShiftModifier);
    case Qt::Key_Y:
        return modifiers == Qt::ControlModifier;
    default:
        return false;
    }
}

bool TEditorView::event(QEvent* event)
{
    // The widget that takes the keys is created with the page's first
    // rendering and may be replaced later.
    if (event->type() == QEvent::ChildAdded || event->type() == QEvent::ChildPolished || event->type() == QEvent::Show)
        watchFocusProxy();
    return QWebEngineView::event(event);
}

void TEditorView::watchFocusProxy()
{
    QWidget* proxy = focusProxy();
    if (proxy == nullptr || proxy == m_watched)
        return;
    if (m_watched)
        m_watched->removeEventFilter(this);
    m_watched = proxy;
    proxy->installEventFilter(this);
}

bool TEditorView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_watched) {
        switch (event->type()) {
        case QEvent::ShortcutOverride:
            // Not claimed: the window's shortcut for the key runs instead.
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            if (IsHistoryKey(static_cast<QKeyEvent*>(event)))
                return true;
            break;
        default:
            break;
        }
    }
    return QWebEngineView::eventFilter(watched, event);
}

void TEditorView::contextMenuEvent(QContextMenuEvent* event)
{
    emit contextMenuRequested(event->pos(), event->globalPos());
    event->accept();
}
