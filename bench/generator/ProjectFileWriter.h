#pragma once

#include "ProjectGenerator.h"

#include <QString>

// Writes the project file (".qrx") of a generated project: its title, root
// folder and table of contents with keywords and context numbers. False with
// `errorMessage` set when the file cannot be written.
bool WriteGeneratedProjectFile(const GeneratedProject& project, const QString& fileName,
                               QString* errorMessage = nullptr);
