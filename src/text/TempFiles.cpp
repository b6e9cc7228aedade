#include "TempFiles.h"

#include "Folders.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryFile>

QString GetTempFolder()
{
    QString folder = QDir::tempPath();
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

QString NewTempFileName()
{
    QTemporaryFile file(GetTempFolder() + QStringLiteral("~wiXXXXXX.tmp"));
    file.setAutoRemove(false);
    if (!file.open())
        return QString();
    return file.fileName();
}

QString GetCompileTempFolder()
{
    const QString folder = GetTempFolder();
    if (folder.contains(QStringLiteral(".h"), Qt::CaseInsensitive))
        return GetWindowsDrive() + QStringLiteral("tmp/");
    return folder;
}

QString NewRandomTempFolder()
{
    const QString temp = GetTempFolder();
    for (;;) {
        const int number = 100000 + static_cast<int>(QRandomGenerator::global()->bounded(999999));
        const QString folder = temp + QString::number(number);
        if (!QFileInfo(folder).exists() && !QFileInfo(folder).isSymLink())
            return folder + u'/';
    }
}
