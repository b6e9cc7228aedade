#pragma once

#include <QByteArray>
#include <QStringList>

// Names of the objects inside a compiled help file, made safe before
// anything is written.

// The compiler's own objects, never written on import. Compared by exact
// name (a page may be called "/#hash.htm").
bool IsChmSystemObject(const QByteArray& name);

// The parts of an object name as a path below the import folder: decoded
// as UTF-8 when valid, else in `codePage` (0: the system's), split at "/"
// and "\", empty and "." parts dropped. Empty (refused) when a part is
// ".." or names a drive, or nothing is left.
QStringList SafeChmEntryParts(const QByteArray& name, int codePage);
