#include "TEditorView.h"

#include "DHTMLEditCommands.h"
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

int TEditorView::CommandOfKey(const QKeyEvent* event)
{
    using namespace DHTMLEdit;
    const Qt::KeyboardModifiers modifiers = event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    if (modifiers == Qt::ControlModifier) {
        switch (event->key()) {
        case Qt::Key_B: return DECMD_BOLD;
        case Qt::Key_I: return DECMD_ITALIC;
        case Qt::Key_U: return DECMD_UNDERLINE;
        case Qt::Key_X: return DECMD_CUT;
        case Qt::Key_C: case Qt::Key_Insert: return DECMD_COPY;
        case Qt::Key_V: return DECMD_PASTE;
        case Qt::Key_A: return DECMD_SELECTALL;
        case Qt::Key_T: return DECMD_INDENT;
        case Qt::Key_F: return DECMD_FINDTEXT;
        default: return 0;
        }
    }
    if (modifiers == (Qt::ControlModifier | Qt::ShiftModifier) && event->key() == Qt::Key_T)
        return DECMD_OUTDENT;
    if (modifiers == Qt::ShiftModifier) {
        if (event->key() == Qt::Key_Delete)
            return DECMD_CUT;
        if (event->key() == Qt::Key_Insert)
            return DECMD_PASTE;
    }
    return 0;
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
        auto* key = static_cast<QKeyEvent*>(event);
        switch (event->type()) {
        case QEvent::ShortcutOverride:
            if (IsHistoryKey(key))
                return true; // not claimed: the window's shortcut for the key runs instead
            if (CommandOfKey(key) != 0) {
                event->accept(); // the control's own, before any shortcut of the window
                return true;
            }
            break;
        case QEvent::KeyPress:
            if (IsHistoryKey(key))
                return true;
            if (const int command = CommandOfKey(key)) {
                emit commandKey(command);
                return true;
            }
            emit keySent();
            break;
        case QEvent::KeyRelease:
            if (IsHistoryKey(key) || CommandOfKey(key) != 0)
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
