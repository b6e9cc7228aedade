#include "EmptiedFolder.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The real place of a path: links resolved for the part that exists, the
// rest appended; no trailing separator (but "/" itself).
QString realPath(const QString& path)
{
    QString existing = QDir::cleanPath(path);
    QString rest;
    while (!existing.isEmpty() && !QFileInfo::exists(existing)) {
        const qsizetype slash = existing.lastIndexOf(u'/');
        if (slash < 0)
            return QDir::cleanPath(path);
        rest.prepend(existing.mid(slash));
        existing = slash == 0 ? QStringLiteral("/") : existing.left(slash);
    }
    const QString canonical = QFileInfo(existing).canonicalFilePath();
    return QDir::cleanPath((canonical.isEmpty() ? existing : canonical) + rest);
}

// A path as written and as it really is.
QStringList forms(const QString& path)
{
    const QString clean = QDir::cleanPath(path);
    const QString real = realPath(path);
    return real == clean ? QStringList{clean} : QStringList{clean, real};
}

bool isSameOrInside(const QString& inner, const QString& outer)
{
    return outer == u"/" || inner == outer || inner.startsWith(outer + QLatin1Char('/'));
}

// Whether `outer` is `inner` or one of the folders above it, in any form.
bool holds(const QStringList& outer, const QStringList& inner)
{
    for (const QString& o : outer)
        for (const QString& i : inner)
            if (isSameOrInside(i, o))
                return true;
    return false;
}

} // namespace

QString EmptiedFolderRefusal(const QString& folder, const QString& rootDir, const QString& programFolder,
                             const QStringList& projectFiles)
{
    const QStringList target = forms(folder);
    if (target.contains(QStringLiteral("/")))
        return QStringLiteral("is the root of the file system.");
    if (holds(target, forms(QDir::homePath())))
        return QStringLiteral("is or holds your home folder.");
    if (!rootDir.isEmpty() && holds(target, forms(rootDir)))
        return QStringLiteral("is or holds the project folder.");
    if (!programFolder.isEmpty()) {
        if (holds(target, forms(programFolder)))
            return QStringLiteral("is or holds the program's own files.");
        // Beside the program's folders is fine (the bundled sample writes
        // its outputs there); inside them is not.
        for (const char* shipped : {"webhelp", "templates", "help", "sample"}) {
            if (holds(forms(programFolder + QLatin1Char('/') + QLatin1String(shipped)), target))
                return QStringLiteral("lies in the program's own files.");
        }
    }
    // Files of the project are listed under the project folder as written:
    // a prefix test against both forms of the folder is enough.
    for (const QString& file : projectFiles) {
        const QString clean = QDir::cleanPath(file);
        for (const QString& form : target) {
            if (isSameOrInside(clean, form))
                return QStringLiteral("holds a file of the project (\"") + file + QStringLiteral("\").");
        }
    }
    return QString();
}
