#include "TCommandLine.h"

#include "Paths.h"

#include <QDir>

TCommandLine TCommandLine::Parse(const QStringList& arguments, const QString& currentFolder)
{
    QStringList ours;
    for (const QString& argument : arguments) {
        if (!argument.startsWith(QStringLiteral("--")))
            ours.append(argument);
    }
    TCommandLine line;
    if (!ours.isEmpty() && !ours[0].isEmpty()) {
        const QString& file = ours[0];
        line.ProjectFile = IsAbsolutePath(file) ? file : QDir::cleanPath(QDir(currentFolder).absoluteFilePath(file));
    }
    if (ours.size() > 1)
        line.BuildSwitch = ours[1];
    return line;
}
