#include "TPageRequestInterceptor.h"

#include "TPageUrlScheme.h"

TPageRequestInterceptor::TPageRequestInterceptor(QObject* parent)
    : QWebEngineUrlRequestInterceptor(parent)
{
}

bool TPageRequestInterceptor::Allows(const QUrl& url)
{
    const QString scheme = url.scheme();
    return scheme == QLatin1String(TPageUrlScheme::SchemeName) || scheme == QLatin1String("data")
        || scheme == QLatin1String("blob");
}

void TPageRequestInterceptor::interceptRequest(QWebEngineUrlRequestInfo& info)
{
    if (!Allows(info.requestUrl()))
        info.block(true);
}
