#pragma once

#include "IHTMLBrowser.h"

#include <QWebEngineView>

// The preview browser on Qt WebEngine: the page is served from memory in
// its folder (TPageUrlScheme), in a page that follows no link and runs none
// of the page's scripts (TEditorPage); a link clicked is told.
class TWebEngineHTMLBrowser : public QWebEngineView, public IHTMLBrowser {
    Q_OBJECT
public:
    explicit TWebEngineHTMLBrowser(QWidget* parent = nullptr);
    ~TWebEngineHTMLBrowser() override;

    QWidget* widget() override { return this; }
    void LoadHtml(const QString& html, const QString& baseFolder) override;
    void Clear() override;

private:
    quint64 m_pageId;
    int m_revision = 0;
};
