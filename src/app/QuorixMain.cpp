#include "AppImages.h"
#include "Languages.h"
#include "PlatformFactory.h"
#include "ProductInfo.h"
#include "RequiredComponents.h"
#include "TCommandLine.h"
#include "TQuorixApplication.h"
#include "TQuorixStyle.h"
#include "TfrmMain.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QSplashScreen>

int main(int argc, char** argv)
{
    PreparePlatformBeforeApplication();
    TQuorixApplication app(argc, argv);
    PreparePlatformAfterApplication();
    QApplication::setOrganizationName(QStringLiteral("Brellan"));
    QApplication::setApplicationName(ProductInfo::Name());
    QApplication::setApplicationVersion(ProductInfo::Version());
    QApplication::setStyle(new TQuorixStyle);

    // The module-level tables, built once before any window needs them.
    LanguageTable();

    const QStringList missing = MissingComponents();
    if (!missing.isEmpty()) {
        QMessageBox::critical(nullptr, ProductInfo::Name(), MissingComponentsMessage(missing));
        return 1;
    }

    QSplashScreen splash(AppImages::SplashPicture());
    splash.show();
    app.processEvents();

    TfrmMain window(TCommandLine::Parse(QApplication::arguments().mid(1), QDir::currentPath()));
    splash.finish(&window);
    window.Start();
    const int status = app.exec();
    // A command-line build reports whether it wrote every output.
    return status != 0 ? status : window.ExitStatus();
}
