#pragma once

#include "TMakePagesPara.h"
#include "TPrevNext.h"

#include <QString>
#include <QStringList>

class TExtensionList;
class TSortedFileList;

// A page template as an output uses it: prepared and cut into pieces once,
// re-based whenever a page lies in another folder than the page before.
class TPageTemplate {
public:
    explicit TPageTemplate(const TExtensionList& extensions);

    // Prepares the template file (PrepareTemplate; greyed button images go
    // to `copyList`) and cuts it into pieces against its own folder.
    void Load(const QString& templateFile, TSortedFileList& copyList);
    // The template with its references addressed from `pageFile`'s folder.
    const QString& TextFor(const QString& pageFile);
    // The page at `pageFile` merged with the template (MakePage), with
    // tempPath and PN filled in.
    QString Merge(const QString& pageFile, TMakePagesPara para);

    QString Folder;     // the template's folder, with its separator
    QStringList Pieces; // literal, reference, literal, ...
    TPrevNext PN;

private:
    const TExtensionList& m_extensions;
    bool m_rebased = false;
    QString m_pageFolder;
    QString m_text;
};
