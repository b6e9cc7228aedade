#include "ProgramHelp.h"

#include "ProgramFolder.h"

#include <QFileInfo>

QString ProgramHelpFolder()
{
    return ProgramDataFolder() + QStringLiteral("/userguide");
}

TProgramHelpPage ProgramHelpPage(const QString& folder)
{
    const QString reinstall = QStringLiteral(" Build or install Quorix again to read its help.");
    if (!QFileInfo(folder).isDir())
        return {{}, QStringLiteral("The help folder \"") + folder + QStringLiteral("\" is missing.") + reinstall};
    const QString index = folder + QStringLiteral("/index.htm");
    if (!QFileInfo(index).isFile())
        return {{}, QStringLiteral("The help folder \"") + folder + QStringLiteral("\" has no index.htm.") + reinstall};
    return {index, {}};
}
