#pragma once

#include <QByteArray>
#include <QStringList>
#include <functional>

class TChmStringTable;
class THhpProject;

// The context map ("/#IVB"): for every alias of [ALIAS] whose name [MAP]
// numbers, the number and the page's name inside the help file, added to
// `strings`. Several numbers may name one page. `pageInHelp` gives a
// project path's name inside the help file ("topics/intro.htm"), empty
// when the help file does not hold it. What cannot be mapped is said in
// `warnings`.
QByteArray ChmContextMap(const THhpProject& project, TChmStringTable& strings,
                         const std::function<QByteArray(const QByteArray& projectPath)>& pageInHelp,
                         QStringList* warnings);
