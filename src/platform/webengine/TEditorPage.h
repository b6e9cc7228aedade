#pragma once

#include <QWebEnginePage>

// The web page of an editing or preview view: shows only the pages Quorix
// hands it. Links are not followed, no window opens, the page's own
// scripts stay off.
class TEditorPage : public QWebEnginePage {
    Q_OBJECT
public:
    explicit TEditorPage(QObject* parent = nullptr);

signals:
    // A link clicked in the page, not followed.
    void linkRefused(const QUrl& url);

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    QWebEnginePage* createWindow(WebWindowType type) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message, int line,
                                  const QString& source) override;
};
