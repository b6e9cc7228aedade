#include "RequiredComponents.h"

#include "ProgramFolder.h"

#include <QFileInfo>
#include <QLibraryInfo>

QStringList MissingComponents()
{
    QStringList missing;
    // Qt WebEngine starts its pages in this program; without it no editor shows.
    QString helper = qEnvironmentVariable("QTWEBENGINE_PROCESS_PATH");
    if (helper.isEmpty())
        helper = QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath) + QStringLiteral("/QtWebEngineProcess");
    if (!QFileInfo(helper).isExecutable())
        missing.append(helper);
    const QString data = ProgramDataFolder();
    if (!QFileInfo(data).isDir())
        missing.append(data);
    return missing;
}

QString MissingComponentsMessage(const QStringList& missing)
{
    QString message = QStringLiteral("You have to reinstall Quorix! These files are lost:\r\n\r\n");
    for (const QString& file : missing)
        message += file + QStringLiteral("\r\n");
    return message;
}
