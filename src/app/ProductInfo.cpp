#include "ProductInfo.h"

#include <QFileInfo>

QString ProductInfo::Caption(const QString& projectFile)
{
    QString caption = Name() + QLatin1Char(' ') + Version();
    if (!projectFile.isEmpty())
        caption += QStringLiteral(" - ") + QFileInfo(projectFile).fileName();
    return caption;
}
