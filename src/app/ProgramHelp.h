#pragma once

#include <QString>

// The program's own help: the sample project, which is the help of Quorix
// itself, built as web help into a folder beside the programs when Quorix
// is built, and installed with the program's files.

// That folder: "userguide" in the program's data folder.
QString ProgramHelpFolder();

// The page the help commands open, from the help folder `folder`.
struct TProgramHelpPage {
    QString File;  // its index page; empty when there is none
    QString Error; // why there is none, naming what is missing
};
TProgramHelpPage ProgramHelpPage(const QString& folder);
