// The platform's factory: its components on Qt WebEngine.
#include "PlatformFactory.h"

#include "TPageUrlScheme.h"
#include "TWebEngineDHTMLEdit.h"
#include "TWebEngineHTMLBrowser.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QQuickWindow>
#include <QSGRendererInterface>

void PreparePlatformBeforeApplication()
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    TPageUrlScheme::Register();
    // Qt WebEngine 6.4 describes its graphics set-up at every start, as
    // information, not as a warning; QT_LOGGING_RULES still shows it.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
}

void PreparePlatformAfterApplication()
{
    // A display without OpenGL (the offscreen platform of headless runs and
    // tests) renders web views through software, rather than failing to
    // create a context first.
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"))
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
}

IDHTMLEdit* CreateDHTMLEdit(QWidget* parent)
{
    return new TWebEngineDHTMLEdit(parent);
}

IHTMLBrowser* CreateHTMLBrowser(QWidget* parent)
{
    return new TWebEngineHTMLBrowser(parent);
}

void SetPlatformProjectFolder(const QString& rootDir)
{
    TPageUrlScheme::SetProjectFolder(rootDir);
}
