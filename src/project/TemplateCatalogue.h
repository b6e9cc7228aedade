#pragma once

#include <QList>
#include <QString>

// The built-in page templates offered when a template topic is added: the
// catalogue "templates/templates.ini" in the program's data folder.
struct TTemplateCatalogueEntry {
    QString Name;     // shown in the list
    QString Img;      // picture under "templates/"
    QString Path;     // sub-folder of "templates/" with the template's files
    QString FileName; // the template's main page
};

// Sections "Template1", "Template2", ... while they exist.
QList<TTemplateCatalogueEntry> ReadTemplateCatalogue(const QString& programFolder);

// The folder name proposed for a copy of a template under the root folder:
// "template", "template1", ... the first that names nothing yet.
QString ProposeTemplateFolderName(const QString& rootDir);

// Whether a file of the template's folder already exists at the same place
// under rootDir + folderName.
bool TemplateFolderCollides(const TTemplateCatalogueEntry& entry, const QString& programFolder,
    const QString& rootDir, const QString& folderName);

// Copies the template's folder to rootDir + folderName and writes its main
// page there with every "($charset$)" replaced by `encoding`. Returns the
// stored Url of the main page (folderName + "\" + FileName). Throws
// EQuorixError when the main page cannot be written.
QString InstallTemplate(const TTemplateCatalogueEntry& entry, const QString& programFolder, const QString& rootDir,
    const QString& folderName, const QString& encoding);
