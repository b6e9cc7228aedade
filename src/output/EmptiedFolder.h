#pragma once

#include <QString>
#include <QStringList>

// Why a build must not empty `folder` (a native absolute path), as words
// that follow the folder's name ("is the root of the file system."); empty
// when it may. Refused: the root of the file system; the home folder, the
// project folder `rootDir` or the program's folder `programFolder`, or a
// folder that holds one of them; a folder inside one of the program's
// shipped folders; a folder that holds one of `projectFiles`. Paths are
// compared as they are and through symbolic links.
QString EmptiedFolderRefusal(const QString& folder, const QString& rootDir, const QString& programFolder,
                             const QStringList& projectFiles = {});
