#include "TEditorPage.h"

#include "TPageUrlScheme.h"

#include <QWebEngineSettings>
#include <QtDebug>

TEditorPage::TEditorPage(QObject* parent)
    : QWebEnginePage(TPageUrlScheme::Profile(), parent)
{
    QWebEngineSettings* s = settings();
    s->setAttribute(QWebEngineSettings::JavascriptEnabled, false); // the page's scripts; ours run in their own world
    s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    s->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, true);
    s->setAttribute(QWebEngineSettings::JavascriptCanPaste, true);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    s->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    s->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
    s->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);
    s->setAttribute(QWebEngineSettings::PdfViewerEnabled, false);
}

bool TEditorPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame)
{
    if (!isMainFrame)
        return true; // frames inside the page load as they are
    if (type == NavigationTypeLinkClicked) {
        emit linkRefused(url);
        return false;
    }
    if (TPageUrlScheme::PageIdOf(url) == 0)
        return false;
    return type == NavigationTypeTyped || type == NavigationTypeReload || type == NavigationTypeOther;
}

QWebEnginePage* TEditorPage::createWindow(WebWindowType)
{
    return nullptr;
}

void TEditorPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message, int line,
                                           const QString& source)
{
    // Only the editor's own script runs; its errors are faults of Quorix.
    if (level == ErrorMessageLevel)
        qWarning().noquote() << "editor script:" << source << line << message;
}
