#pragma once

#include <QString>
#include <QStringList>

// The program and arguments that open `file` in an external editor whose
// command line is `commandLine`: "%1" (any case, quoted or not) stands for
// the file, which is appended when the line has none. Empty when the line
// names no program.
QStringList ExternalEditorCommand(const QString& commandLine, const QString& file);
