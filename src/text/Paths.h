#pragma once

#include <QString>

// Path rules of the project folder.
//
// Two forms meet here. Stored paths (topic Urls, paths in project and HTML
// Help files) are relative and use "\", so projects move between Windows and
// Linux unchanged. Absolute paths are native ("/home/a/help/"). A Windows
// absolute path ("C:\x", "\\server\share\x") found in an old project stays a
// Windows path: callers test IsWindowsAbsolutePath and say so to the user
// rather than write to it.

// "<Project_Folder>": the project folder without its trailing separator.
extern const QString ProjectFolderPlaceholder;
// "<我的文档>": the user's documents folder in paths shown by dialogs.
extern const QString DocumentsPlaceholder;

// A native absolute path ("/..."), a drive path ("C:...") or a network path ("\\...").
bool IsAbsolutePath(const QString& path);
// A drive path or a network path: absolute on Windows, meaningless here.
bool IsWindowsAbsolutePath(const QString& path);

// Separators unified, "%20" turned into a space, "." and ".." resolved (".."
// above the start is dropped) and doubled separators collapsed. A native
// absolute path comes back native ("/" separators); a relative one in the
// stored form ("\"); a Windows one keeps its drive or "\\" and uses "\".
QString NormalizePath(const QString& path);

// An output path made absolute: "<Project_Folder>" replaced by `base`
// (the project folder, with its trailing separator); an absolute path only
// normalised (a network path is kept intact); anything else appended to
// `base`. Existing folders and files are matched without case (MatchFileCase).
QString ResolveProjectPath(const QString& base, const QString& path);
// The same, but a path beginning with "\\" is appended to `base` too.
QString ResolveBuildPath(const QString& base, const QString& path);

// The native path of a stored path: the one way a root folder and a stored
// path are joined. An absolute stored path is used as it is. When the exact
// name does not exist, it is matched without case (projects made on Windows).
QString ProjectFilePath(const QString& rootDir, const QString& storedPath);

// A native absolute path whose file does not exist, with each component that
// differs only in case from an existing entry replaced by that entry. The
// path is returned as it is when it exists or nothing matches.
QString MatchFileCase(const QString& path);

// `path` with a trailing separator ("/" unless the path already uses "\").
QString WithTrailingSeparator(const QString& path);

// The stored path ("\" separators) of `target` relative to the folder of
// `base` (everything up to its last separator); `target` unchanged when the
// two lie on different drives (a native path and a Windows path do too).
// Folder names are compared exactly, without case between Windows paths.
QString RelativePath(const QString& base, const QString& target);
// The same with "/" separators: a link from the page `base` to `target`.
QString RelativeUrl(const QString& base, const QString& target);

QString ToSlashes(const QString& text);
QString ToBackslashes(const QString& text);

// A link cut at its last "#". A "#" inside a file name ("page#2.htm") is no
// anchor: then Page is the whole link.
struct TUrlAnchor {
    QString Page;
    QString Anchor;
};
TUrlAnchor SplitUrlAnchor(const QString& url);
// The part of a link before its first "#".
QString StripAnchor(const QString& url);

// `name` with \ / : * " < > | and space replaced by "_"; `fallback` when empty.
QString SafeFileName(const QString& name, const QString& fallback);

// parent + name + suffix, or with "1", "2", ... after the name: the first that
// names nothing existing. Nothing is created.
QString UniqueFolderName(const QString& parent, const QString& name, const QString& suffix);
QString UniqueFileName(const QString& folder, const QString& name, const QString& extension);

// The user's documents folder (no trailing separator), and the placeholder
// put in its place and back. The folder is compared exactly: two folders
// that differ in case are different folders here.
QString DocumentsFolder();
QString PathToDocumentsPlaceholder(const QString& text);
QString DocumentsPlaceholderToPath(const QString& text);
