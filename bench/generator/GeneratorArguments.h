#pragma once

#include "ProjectGenerator.h"

#include <QString>
#include <QStringList>

// Command line of quorix-genproject, kept apart from main() so it can be tested.

struct GeneratorCommand
{
    GeneratorOptions options;
    QString outDir;
    bool help = false;          // -h / --help: print the usage and do nothing else
};

// arguments without the program name. Returns an empty text on success,
// otherwise what is wrong with the command line.
QString ParseGeneratorArguments(const QStringList& arguments, GeneratorCommand* command);

QString GeneratorUsage();
