#pragma once

#include <QPointer>
#include <QWebEngineView>

class QKeyEvent;

// The web view of the editing control. Quorix keeps its own undo history,
// so the undo and redo keys never reach the browser's own stack: they are
// left to the window's shortcuts or dropped. The context menu is the
// control's, never the browser's.
class TEditorView : public QWebEngineView {
    Q_OBJECT
public:
    explicit TEditorView(QWidget* parent = nullptr);

    // Ctrl+Z, Ctrl+Y, Ctrl+Shift+Z.
    static bool IsHistoryKey(const QKeyEvent* event);

signals:
    void contextMenuRequested(const QPoint& position, const QPoint& globalPosition);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void watchFocusProxy();

    QPointer<QWidget> m_watched;
};
