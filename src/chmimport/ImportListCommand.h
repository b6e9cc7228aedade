#pragma once

#include <QString>
#include <QStringList>

class QTextStream;
class TCHMDecompile;

// "quorix-build --import FILE.chm|FILE.hhp TARGET-FOLDER --list": reads
// existing help (unpacking a CHM into the target folder) and prints what
// was read, so the reader can be checked from the command line.

// The usage lines of the command.
QString ImportListUsage();
// Whether the arguments (after the program name) ask for this command.
bool IsImportListCommand(const QStringList& args);
// Title, language and default topic, then one line per contents entry:
// level, title, URL, keywords and context number, separated by tabs.
QStringList ImportListing(const TCHMDecompile& import);
// Runs the command: the listing on `out`, progress, skipped objects and
// errors on `err`. 0 when the help was read, 1 when it could not be, 2 for
// wrong arguments.
int RunImportListCommand(const QStringList& args, QTextStream& out, QTextStream& err);
