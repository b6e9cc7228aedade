#include "TemplateCatalogue.h"

#include "Folders.h"
#include "PageFiles.h"
#include "Paths.h"
#include "QuorixError.h"
#include "TIniFile.h"
#include "TextSearch.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace {

QString catalogueFolder(const QString& programFolder)
{
    return QDir(programFolder).filePath(QStringLiteral("templates"));
}

QString templateFolder(const TTemplateCatalogueEntry& entry, const QString& programFolder)
{
    return ProjectFilePath(catalogueFolder(programFolder) + QLatin1Char('/'), entry.Path);
}

QString targetFolder(const QString& rootDir, const QString& folderName)
{
    return QDir(rootDir).filePath(folderName);
}

} // namespace

QList<TTemplateCatalogueEntry> ReadTemplateCatalogue(const QString& programFolder)
{
    QFile file(QDir(catalogueFolder(programFolder)).filePath(QStringLiteral("templates.ini")));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const TIniFile ini = TIniFile::FromBytes(file.readAll());
    QList<TTemplateCatalogueEntry> entries;
    for (int n = 1;; ++n) {
        const QString section = QStringLiteral("Template") + QString::number(n);
        if (!ini.HasSection(section))
            break;
        TTemplateCatalogueEntry entry;
        entry.Name = ini.ReadString(section, u"Name", QStringLiteral("No name"));
        entry.Img = ini.ReadString(section, u"Img", QString());
        entry.Path = ini.ReadString(section, u"Path", QString());
        entry.FileName = ini.ReadString(section, u"FileName", QStringLiteral("index.htm"));
        entries.append(entry);
    }
    return entries;
}

QString ProposeTemplateFolderName(const QString& rootDir)
{
    return QFileInfo(UniqueFolderName(WithTrailingSeparator(rootDir), QStringLiteral("template"), QString()))
        .fileName();
}

bool TemplateFolderCollides(const TTemplateCatalogueEntry& entry, const QString& programFolder,
    const QString& rootDir, const QString& folderName)
{
    const QDir source(templateFolder(entry, programFolder));
    const QDir target(targetFolder(rootDir, folderName));
    QDirIterator it(source.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString relative = source.relativeFilePath(it.next());
        if (QFileInfo::exists(target.filePath(relative)))
            return true;
    }
    return false;
}

QString InstallTemplate(const TTemplateCatalogueEntry& entry, const QString& programFolder, const QString& rootDir,
    const QString& folderName, const QString& encoding)
{
    const QString source = templateFolder(entry, programFolder);
    const QString target = targetFolder(rootDir, folderName);
    QDir().mkpath(target);
    CopyFolder(source, target); // a file that fails to copy is not worth stopping for
    const QString mainPage = ProjectFilePath(WithTrailingSeparator(source), entry.FileName);
    const QString page = ReplaceNoCase(ReadTextFile(mainPage), QStringLiteral("($charset$)"), encoding);
    const QString url = folderName + QLatin1Char('\\') + ToBackslashes(entry.FileName);
    QString error;
    if (!SaveTextFile(page, ProjectFilePath(WithTrailingSeparator(rootDir), url), GetEncodingType(page), &error))
        throw EQuorixError(QStringLiteral("Cannot write the template page ") + url + QStringLiteral(": ") + error);
    return url;
}
