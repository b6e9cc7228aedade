#include "Paths.h"

#include "Folders.h"
#include "TextSearch.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <optional>

const QString ProjectFolderPlaceholder = QStringLiteral("<Project_Folder>");
const QString DocumentsPlaceholder = QStringLiteral("<我的文档>");

namespace {

enum class RootKind { Relative, Native, Drive, Network };

bool isSeparator(QChar c)
{
    return c == u'/' || c == u'\\';
}

bool isAsciiLetter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z');
}

RootKind rootKind(QStringView path)
{
    if (path.size() >= 2 && isAsciiLetter(path[0]) && path[1] == u':')
        return RootKind::Drive;
    if (path.startsWith(u"\\\\"))
        return RootKind::Network;
    if (path.startsWith(u'/'))
        return RootKind::Native;
    return RootKind::Relative;
}

bool isWindowsKind(RootKind kind)
{
    return kind == RootKind::Drive || kind == RootKind::Network;
}

// The pieces of a path after its root, each ending with "\" but the last,
// walked from the end: "..\" skips the piece before it, ".\" and "\" go.
QString resolveDots(QString rest)
{
    rest.replace(u'/', u'\\');
    QStringList kept;
    int skip = 0;
    qsizetype end = rest.size();
    while (end > 0) {
        // lastIndexOf(-1) would search from the end again.
        qsizetype start = end >= 2 ? rest.lastIndexOf(u'\\', end - 2) : -1;
        start = start < 0 ? 0 : start + 1;
        const QStringView piece = QStringView(rest).mid(start, end - start);
        // A piece ends just after its "\"; text after the last "\" is a piece too.
        if (piece == u"..\\")
            ++skip;
        else if (piece == u".\\" || piece == u"\\")
            ;
        else if (skip > 0)
            --skip;
        else
            kept.prepend(piece.toString());
        end = start;
    }
    return kept.join(QString());
}

QString normalize(const QString& path, bool decodeSpaces)
{
    const QString text = decodeSpaces ? QString(path).replace(QStringLiteral("%20"), QStringLiteral(" ")) : path;
    switch (rootKind(text)) {
    case RootKind::Native:
        return u'/' + resolveDots(text.mid(1)).replace(u'\\', u'/');
    case RootKind::Network:
        return QStringLiteral("\\\\") + resolveDots(text.mid(2));
    case RootKind::Drive: {
        const QString rest = text.mid(2);
        const QString root = text.left(2) + (rest.isEmpty() || !isSeparator(rest[0]) ? QString() : QStringLiteral("\\"));
        return root + resolveDots(rest);
    }
    case RootKind::Relative:
        break;
    }
    return resolveDots(text);
}

QString withoutTrailingSeparator(const QString& path)
{
    if (!path.isEmpty() && isSeparator(path.back()) && path.size() > 1)
        return path.chopped(1);
    return path;
}

QString joined(const QString& base, const QString& path)
{
    if (base.isEmpty() || isSeparator(base.back()))
        return base + path;
    return base + u'/' + path;
}

QString resolve(const QString& base, const QString& path, bool keepNetworkPaths)
{
    const QString replaced = ReplaceNoCase(path, ProjectFolderPlaceholder, withoutTrailingSeparator(base));
    const RootKind kind = rootKind(replaced);
    const bool absolute = kind == RootKind::Native || kind == RootKind::Drive
        || (kind == RootKind::Network && keepNetworkPaths);
    const QString normalized = NormalizePath(absolute ? replaced : joined(base, replaced));
    return rootKind(normalized) == RootKind::Native ? MatchFileCase(normalized) : normalized;
}

// A path cut for RelativePath: its drive, its folders and its file name.
struct PathParts {
    RootKind Kind = RootKind::Relative;
    QString Drive;
    QStringList Folders;
    QString File;
};

PathParts splitPath(const QString& path)
{
    PathParts parts;
    parts.Kind = rootKind(path);
    QString rest = path;
    rest.replace(u'/', u'\\');
    if (parts.Kind == RootKind::Drive) {
        parts.Drive = rest.left(2);
        rest = rest.mid(2);
    } else if (parts.Kind == RootKind::Network) {
        // "\\server\share" is the drive of a network path.
        QStringList pieces = rest.mid(2).split(u'\\');
        const qsizetype driveParts = qMin<qsizetype>(2, pieces.size() - 1);
        parts.Drive = QStringLiteral("\\\\") + pieces.mid(0, driveParts).join(u'\\');
        rest = u'\\' + pieces.mid(driveParts).join(u'\\');
    }
    const qsizetype last = rest.lastIndexOf(u'\\');
    parts.File = rest.mid(last + 1);
    for (const QString& folder : rest.left(last + 1).split(u'\\'))
        if (!folder.isEmpty())
            parts.Folders.append(folder);
    return parts;
}

// `target` relative to the folder of `base` with "\" separators, or nothing
// when the two do not share a drive.
std::optional<QString> relativeTo(const QString& base, const QString& target)
{
    const PathParts from = splitPath(base);
    const PathParts to = splitPath(target);
    if (from.Kind != to.Kind)
        return std::nullopt;
    const Qt::CaseSensitivity folderCase = isWindowsKind(from.Kind) ? Qt::CaseInsensitive : Qt::CaseSensitive;
    if (from.Drive.compare(to.Drive, Qt::CaseInsensitive) != 0)
        return std::nullopt;
    qsizetype shared = 0;
    while (shared < from.Folders.size() && shared < to.Folders.size()
           && from.Folders[shared].compare(to.Folders[shared], folderCase) == 0)
        ++shared;
    QString result;
    for (qsizetype i = shared; i < from.Folders.size(); ++i)
        result.append(u"..\\");
    for (qsizetype i = shared; i < to.Folders.size(); ++i)
        result.append(to.Folders[i] + u'\\');
    result.append(to.File);
    return result;
}

bool isPageExtension(const QString& extension)
{
    const QString lower = extension.toLower();
    return lower == u".htm" || lower == u".html";
}

// ".htm" of "a\b.htm": from the last "." after the last separator.
QString extensionOf(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0)
        return QString();
    const qsizetype separator = std::max(name.lastIndexOf(u'\\'), name.lastIndexOf(u'/'));
    return dot > separator ? name.mid(dot) : QString();
}

bool exists(const QString& path)
{
    return QFileInfo(path).exists() || QFileInfo(path).isSymLink();
}

} // namespace

bool IsAbsolutePath(const QString& path)
{
    return rootKind(path) != RootKind::Relative;
}

bool IsWindowsAbsolutePath(const QString& path)
{
    return isWindowsKind(rootKind(path));
}

QString NormalizePath(const QString& path)
{
    return normalize(path, true);
}

QString ResolveProjectPath(const QString& base, const QString& path)
{
    return resolve(base, path, true);
}

QString ResolveBuildPath(const QString& base, const QString& path)
{
    return resolve(base, path, false);
}

QString ProjectFilePath(const QString& rootDir, const QString& storedPath)
{
    if (storedPath.isEmpty())
        return rootDir;
    const RootKind kind = rootKind(storedPath);
    if (isWindowsKind(kind))
        return normalize(storedPath, false);
    // Stored names keep "%20" as it is: it may be part of a real file name.
    const QString path = normalize(kind == RootKind::Native ? storedPath : joined(rootDir, storedPath), false);
    return rootKind(path) == RootKind::Native ? MatchFileCase(path) : path;
}

QString MatchFileCase(const QString& path)
{
    if (rootKind(path) != RootKind::Native || exists(path))
        return path;
    const bool trailing = path.endsWith(u'/');
    const QStringList components = path.split(u'/', Qt::SkipEmptyParts);
    QString current = QStringLiteral("/");
    for (qsizetype i = 0; i < components.size(); ++i) {
        const QString& component = components[i];
        QString next = current + component;
        if (!exists(next)) {
            const QStringList entries = QDir(current).entryList(
                QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
            const auto match = std::find_if(entries.cbegin(), entries.cend(), [&](const QString& entry) {
                return entry.compare(component, Qt::CaseInsensitive) == 0;
            });
            if (match == entries.cend()) {
                // Nothing to match: the rest stays as written.
                QString rest = components.mid(i).join(u'/');
                return current + rest + (trailing ? QStringLiteral("/") : QString());
            }
            next = current + *match;
        }
        current = next + u'/';
    }
    return trailing ? current : current.chopped(1);
}

QString WithTrailingSeparator(const QString& path)
{
    if (path.isEmpty() || isSeparator(path.back()))
        return path;
    return path + (path.contains(u'\\') && !path.contains(u'/') ? u'\\' : u'/');
}

QString RelativePath(const QString& base, const QString& target)
{
    return relativeTo(base, target).value_or(target);
}

QString RelativeUrl(const QString& base, const QString& target)
{
    return ToSlashes(relativeTo(base, target).value_or(target));
}

QString ToSlashes(const QString& text)
{
    return QString(text).replace(u'\\', u'/');
}

QString ToBackslashes(const QString& text)
{
    return QString(text).replace(u'/', u'\\');
}

TUrlAnchor SplitUrlAnchor(const QString& url)
{
    const qsizetype hash = url.lastIndexOf(u'#');
    if (hash < 0)
        return {url, QString()};
    TUrlAnchor parts{url.left(hash), url.mid(hash + 1)};
    if (parts.Anchor.contains(u'.') && isPageExtension(extensionOf(parts.Anchor))
        && !isPageExtension(extensionOf(parts.Page)))
        return {url, QString()};
    return parts;
}

QString StripAnchor(const QString& url)
{
    const qsizetype hash = url.indexOf(u'#');
    return hash < 0 ? url : url.left(hash);
}

QString SafeFileName(const QString& name, const QString& fallback)
{
    if (name.isEmpty())
        return fallback;
    QString result = name;
    for (QChar& c : result) {
        switch (c.unicode()) {
        case u'\\': case u'/': case u':': case u'*': case u'"': case u'<': case u'>': case u'|': case u' ':
            c = u'_';
            break;
        default:
            break;
        }
    }
    return result;
}

QString UniqueFolderName(const QString& parent, const QString& name, const QString& suffix)
{
    // Anything of that name, folder or file, makes the name taken: neither
    // could be created over it.
    QString candidate = parent + name + suffix;
    for (int number = 1; exists(candidate); ++number)
        candidate = parent + name + QString::number(number) + suffix;
    return candidate;
}

QString UniqueFileName(const QString& folder, const QString& name, const QString& extension)
{
    return UniqueFolderName(folder, name, extension);
}

QString DocumentsFolder()
{
    return GetSpecialFolder(CSIDL_PERSONAL);
}

QString PathToDocumentsPlaceholder(const QString& text)
{
    const QString folder = withoutTrailingSeparator(DocumentsFolder());
    if (folder.isEmpty() || folder == u"/")
        return text;
    return QString(text).replace(folder, DocumentsPlaceholder, Qt::CaseSensitive);
}

QString DocumentsPlaceholderToPath(const QString& text)
{
    const QString folder = withoutTrailingSeparator(DocumentsFolder());
    if (folder.isEmpty())
        return text;
    return QString(text).replace(DocumentsPlaceholder, folder, Qt::CaseInsensitive);
}
