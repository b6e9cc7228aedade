#include "WebEngineSetup.h"

#include "TPageUrlScheme.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QQuickWindow>
#include <QSGRendererInterface>

void PrepareWebEngineBeforeApplication()
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    TPageUrlScheme::Register();
    // Qt WebEngine 6.4 describes its graphics set-up at every start, as
    // information, not as a warning; QT_LOGGING_RULES still shows it.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
}

void PrepareWebEngineAfterApplication()
{
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"))
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
}
