#include "TWebEngineHTMLBrowser.h"

#include "TEditorPage.h"
#include "TPageUrlScheme.h"

TWebEngineHTMLBrowser::TWebEngineHTMLBrowser(QWidget* parent)
    : QWebEngineView(parent)
    , m_pageId(TPageUrlScheme::NewPageId())
{
    auto* page = new TEditorPage(this);
    setPage(page);
    setContextMenuPolicy(Qt::NoContextMenu);
    connect(page, &TEditorPage::linkRefused, this, [this](const QUrl& url) {
        if (OnLinkClicked)
            OnLinkClicked(TPageUrlScheme::AuthorUrl(url));
    });
}

TWebEngineHTMLBrowser::~TWebEngineHTMLBrowser()
{
    TPageUrlScheme::ForgetPage(m_pageId);
}

void TWebEngineHTMLBrowser::LoadHtml(const QString& html, const QString& baseFolder)
{
    load(TPageUrlScheme::ServePage(m_pageId, html, baseFolder, ++m_revision));
}

void TWebEngineHTMLBrowser::Clear()
{
    LoadHtml(QString(), QString());
}
