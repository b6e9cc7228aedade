#pragma once

#include <QString>
#include <QStringList>

// Files Quorix cannot run without, checked before the window opens: the
// helper program of the web views and the folder of the program's data.
QStringList MissingComponents();
// "You have to reinstall Quorix! These files are lost:" and the list.
QString MissingComponentsMessage(const QStringList& missing);
