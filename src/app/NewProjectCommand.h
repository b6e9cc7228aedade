#pragma once

#include "TNewProject.h"

#include <QStringList>
#include <optional>

class QTextStream;

// quorix-build --new: a project made in a script, as the new-project
// dialog makes it.
//
//   --new FOLDER --title TITLE                        a blank project in FOLDER
//   --new FOLDER --from-html [--title TITLE] [--titles title|h1|name|filename] [--flat]
//                                                     a project of the pages in FOLDER
//
// The project file is FOLDER/NAME.qrx, NAME the title as a file name (the
// folder's name when a project from HTML files has no title).

// The usage lines of --new, for the program's usage text.
QString NewProjectUsage();

// The new project the arguments after "--new" ask for; none with `error`
// set when they are not valid.
std::optional<TNewProject> ParseNewProjectArguments(const QStringList& arguments, QString* error);

// Makes the project and writes its file; prints the file's path on `out`,
// what could not be done on `err`. Returns the exit status: 0 written, 1 failed
// (the reason on `err`).
int RunNewProjectCommand(TNewProject request, QTextStream& out, QTextStream& err);
