#pragma once

#include <QByteArray>
#include <functional>

class TChmStringTable;
class THhpProject;

// The "/#WINDOWS" object: one entry for each window the project's
// [WINDOWS] section defines (caption, contents, index, default and home
// pages, jumps, navigation and button flags, position, styles, pane width,
// tabs), its texts added to `strings`. `pageInHelp` gives a project path's
// name inside the help file, empty when the help file does not hold it.
// Empty when the project defines no window.
QByteArray ChmWindowsFile(const THhpProject& project, TChmStringTable& strings,
                          const std::function<QByteArray(const QByteArray& projectPath)>& pageInHelp);

// The fields of one window definition ("\"Caption\",\"a.hhc\",,[1,2,3,4],0x0"),
// quotes removed and a bracketed position kept as one field.
QList<QByteArray> ChmWindowFields(const QByteArray& definition);
