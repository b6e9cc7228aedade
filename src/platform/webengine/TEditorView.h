#pragma once

#include <QPointer>
#include <QWebEngineView>

class QKeyEvent;

// The web view of the editing control. Quorix keeps its own undo history,
// so the undo and redo keys never reach the browser's own stack: they are
// left to the window's shortcuts or dropped. The keys of editing commands
// (Ctrl+B, Ctrl+X, ...) are the control's commands, not the browser's, so
// the program's history and tool bars follow them. Every other key press
// handed to the page is counted, so the control can wait until the page
// has taken it. The context menu is the control's, never the browser's.
class TEditorView : public QWebEngineView {
    Q_OBJECT
public:
    explicit TEditorView(QWidget* parent = nullptr);

    // Ctrl+Z, Ctrl+Y, Ctrl+Shift+Z.
    static bool IsHistoryKey(const QKeyEvent* event);
    // The editing command (DHTMLEdit::Command) of a shortcut key; 0 for others.
    static int CommandOfKey(const QKeyEvent* event);

signals:
    void contextMenuRequested(const QPoint& position, const QPoint& globalPosition);
    void commandKey(int cmdID);
    void keySent();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void watchFocusProxy();

    QPointer<QWidget> m_watched;
};
