#include "ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString ProgramDataFolder()
{
    const QString programDir = QCoreApplication::applicationDirPath();
    const QString installed = QDir::cleanPath(programDir + QStringLiteral("/../share/quorix"));
    if (QFileInfo(installed).isDir())
        return installed;
    return programDir;
}
