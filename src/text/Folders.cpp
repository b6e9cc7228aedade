#include "Folders.h"

#include "IUserPrompts.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString writable(QStandardPaths::StandardLocation location)
{
    return QStandardPaths::writableLocation(location);
}

QString withoutTrailingSeparator(QString path)
{
    while (path.size() > 1 && (path.endsWith(u'/') || path.endsWith(u'\\')))
        path.chop(1);
    return path;
}

bool copyEntry(const QFileInfo& entry, const QString& targetFolder, const QString& guardedTarget);

bool copyContent(const QString& folder, const QString& targetFolder, const QStringList& nameFilters,
                 const QString& guardedTarget)
{
    if (!QDir().mkpath(targetFolder))
        return false;
    QDir dir(folder);
    dir.setFilter(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    if (!nameFilters.isEmpty())
        dir.setNameFilters(nameFilters);
    bool ok = true;
    for (const QFileInfo& entry : dir.entryInfoList())
        ok = copyEntry(entry, targetFolder, guardedTarget) && ok;
    return ok;
}

bool copyEntry(const QFileInfo& entry, const QString& targetFolder, const QString& guardedTarget)
{
    const QString destination = targetFolder + u'/' + entry.fileName();
    if (entry.isSymLink() && entry.isDir()) {
        QFile::remove(destination);
        return QFile::link(entry.symLinkTarget(), destination);
    }
    if (entry.isDir()) {
        // The target inside the source is not copied into itself.
        if (entry.canonicalFilePath() == guardedTarget)
            return true;
        return copyContent(entry.filePath(), destination, {}, guardedTarget);
    }
    if (QFileInfo(destination).exists() || QFileInfo(destination).isSymLink())
        QFile::remove(destination);
    return QFile::copy(entry.filePath(), destination);
}

} // namespace

QString GetSpecialFolder(int csidl)
{
    QString folder;
    switch (csidl) {
    case CSIDL_DESKTOP: folder = writable(QStandardPaths::DesktopLocation); break;
    case CSIDL_PERSONAL: folder = writable(QStandardPaths::DocumentsLocation); break;
    case CSIDL_APPDATA:
    case CSIDL_LOCAL_APPDATA:
    case CSIDL_COMMON_APPDATA: folder = writable(QStandardPaths::GenericDataLocation); break;
    case CSIDL_WINDOWS: folder = GetWindowsFolder(); break;
    case CSIDL_SYSTEM: folder = GetSystemFolder(); break;
    case CSIDL_MYPICTURES: folder = writable(QStandardPaths::PicturesLocation); break;
    case CSIDL_PROFILE: folder = writable(QStandardPaths::HomeLocation); break;
    default: break;
    }
    return withoutTrailingSeparator(folder);
}

QString GetWindowsFolder()
{
    return QStringLiteral("/usr");
}

QString GetSystemFolder()
{
    return QStringLiteral("/usr/bin");
}

QChar GetWindowsDrive()
{
    return GetWindowsFolder().at(0);
}

bool BrowseForFolder(IUserPrompts* prompts, QString& folder, const QString& caption, int flags, const QString& root)
{
    // The flags and the root of the Windows picker have no meaning for a
    // file dialog: every folder may be chosen.
    Q_UNUSED(flags);
    Q_UNUSED(root);
    return prompts != nullptr && prompts->AskForFolder(folder, caption);
}

bool DeleteFolder(const QString& folder)
{
    const QString path = withoutTrailingSeparator(folder);
    if (path.isEmpty() || path == u"/" || path == u"\\")
        return false;
    const QFileInfo info(path);
    if (info.isSymLink())
        return QFile::remove(path);
    if (!info.exists())
        return true;
    if (!info.isDir())
        return false;
    if (QFileInfo(path).canonicalFilePath() == u"/")
        return false;
    return QDir(path).removeRecursively();
}

bool CopyFolder(const QString& source, const QString& target)
{
    const QString targetFolder = withoutTrailingSeparator(target);
    if (targetFolder.isEmpty() || source.isEmpty())
        return false;
    if (!QDir().mkpath(targetFolder))
        return false;
    const QString guardedTarget = QFileInfo(targetFolder).canonicalFilePath();

    const QString from = withoutTrailingSeparator(source);
    const qsizetype slash = from.lastIndexOf(u'/');
    const QString lastComponent = from.mid(slash + 1);
    if (lastComponent.contains(u'*') || lastComponent.contains(u'?')) {
        const QString folder = slash < 0 ? QStringLiteral(".") : (slash == 0 ? QStringLiteral("/") : from.left(slash));
        // "*.*" is every entry on Windows, names without a dot included.
        const QString pattern = lastComponent == u"*.*" ? QStringLiteral("*") : lastComponent;
        if (!QFileInfo(folder).isDir())
            return false;
        return copyContent(folder, targetFolder, {pattern}, guardedTarget);
    }
    const QFileInfo info(from);
    if (info.isDir()) {
        if (guardedTarget == info.canonicalFilePath())
            return true;
        return copyContent(from, targetFolder, {}, guardedTarget);
    }
    if (info.exists())
        return copyEntry(info, targetFolder, guardedTarget);
    return false;
}

bool FolderHasPages(const QString& folder)
{
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString name = it.next();
        if (name.endsWith(u".htm", Qt::CaseInsensitive) || name.endsWith(u".html", Qt::CaseInsensitive))
            return true;
    }
    return false;
}
