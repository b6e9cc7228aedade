#pragma once

#include <QChar>
#include <QString>

class IUserPrompts;

class QObject;

// Special folders and whole-folder operations, with the closest Linux
// meaning of the Windows shell services the project names.

// Shell folder numbers callers pass to GetSpecialFolder.
constexpr int CSIDL_DESKTOP = 0;
constexpr int CSIDL_PERSONAL = 5;              // documents
constexpr int CSIDL_APPDATA = 26;              // the user's application data
constexpr int CSIDL_LOCAL_APPDATA = 28;
constexpr int CSIDL_COMMON_APPDATA = 35;       // application data shared by the machine's users
constexpr int CSIDL_WINDOWS = 36;
constexpr int CSIDL_SYSTEM = 37;
constexpr int CSIDL_MYPICTURES = 39;
constexpr int CSIDL_PROFILE = 40;
constexpr int CSIDL_PROGRAM_FILES_COMMON = 43;

// The folder of that number without trailing separator; empty when Linux has
// none (the common program-files folder holds only Windows components).
// Application data, shared or not, is the user's data folder: no folder that
// every user may write exists on Linux.
QString GetSpecialFolder(int csidl);

// Where the system keeps its own files and programs ("/usr", "/usr/bin"),
// and the root that holds them ('/').
QString GetWindowsFolder();
QString GetSystemFolder();
QChar GetWindowsDrive();

// The folder picker of `prompts`: `folder` preselected and replaced when the
// user picks one. Without prompts: false.
bool BrowseForFolder(IUserPrompts* prompts, QString& folder, const QString& caption, int flags = 0,
                     const QString& root = QString());

// Deletes the folder with all its content, without asking. True when nothing
// of it is left. An empty path and "/" are refused; a symbolic link is
// removed, not what it points to.
bool DeleteFolder(const QString& folder);

// Copies what `source` names into `target`, creating folders as needed and
// overwriting files: a folder (its content is copied) or a wildcard in the
// last component ("/p/proj/*.*", where "*.*" means every entry). Links to
// folders are copied as links; a folder is never copied into itself.
bool CopyFolder(const QString& source, const QString& target);

// Whether the folder or any folder below it holds an ".htm" or ".html" file.
bool FolderHasPages(const QString& folder);
