#include "ExternalEditorCommand.h"

#include "TextSearch.h"

#include <QProcess>

namespace {

const QString FilePlaceholder = QStringLiteral("%1");

} // namespace

QStringList ExternalEditorCommand(const QString& commandLine, const QString& file)
{
    QString line = commandLine;
    if (ContainsNoCase(line, FilePlaceholder))
        line = ReplaceNoCase(line, QLatin1Char('"') + FilePlaceholder + QLatin1Char('"'), FilePlaceholder);
    else
        line += QLatin1Char(' ') + FilePlaceholder;
    // The file is one argument whatever it holds: the line is split first
    // and the placeholder filled in afterwards.
    QStringList command = QProcess::splitCommand(line);
    for (QString& argument : command)
        argument = ReplaceNoCase(argument, FilePlaceholder, file);
    if (command.isEmpty() || command.front() == file)
        return QStringList();
    return command;
}
