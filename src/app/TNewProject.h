#pragma once

#include "TFolderPages.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class TQrx;

// The kinds of new project, in the order the new-project dialog lists them.
enum TNewProjectKind {
    NewBlankProject = 0, // a sample tree and the two standard templates
    NewFromHtmlFiles,    // an existing folder of pages, each page a topic
    NewFromChmFile,      // a compiled help file
    NewFromHhpProject,   // an HTML Help Workshop project
};
constexpr int NewProjectKindCount = 4;

// A new project as the new-project dialog or the command line asks for it,
// and the making of it: the blank project and the project from a folder of
// pages. The two imports fill the same fields; they are made elsewhere.
class TNewProject {
public:
    int Kind = NewBlankProject;
    QString Title;
    QString Folder; // native; the root folder of a blank project, the pages' folder of one from HTML files
    TPageTitleMode TitleMode = TPageTitleMode::TitleElement;
    bool KeepStructure = true;
    QString ChmFile;
    int LanguageIndex = -1; // into the language table
    bool ExtractContent = false;
    QString HhpFile;
    // Where the standard templates are copied from.
    QString ProgramFolder;

    TNewProject();

    // The folder the dialog proposes below the documents folder: "Quorix
    // Projects/Project1", or else the first free "Quorix 项目/项目N" from 2 up;
    // empty when every one is taken.
    static QString DefaultFolder(const QString& documentsFolder);
    // The label of the folder field for a kind.
    static QString FolderLabel(int kind);
    // Whether the dialog may be confirmed with these values: a title and a
    // folder, and the help file of an import.
    bool Complete() const;

    // Kinds 0 and 1, before the project is touched: makes the folder with
    // its parents and lists the pages of a project from HTML files
    // (`onPage` hears each one). Throws EQuorixError with a message for the
    // author; the open project stays as it is.
    void Prepare(const std::function<void(const QString& file)>& onPage = {});
    // Fills the project, just cleared, with the new project: settings,
    // topics, context numbers from 1000, the table of contents selected and
    // open. The project is new and changed. Returns what could not be
    // done, for the author (a standard template missing, say).
    QStringList Fill(TQrx& project) const;

    // Copies the standard templates into the root folder and adds them under
    // "Templates"; a folder of the author's that holds files of the same
    // names is left alone and the template goes to a fresh folder. Marks
    // the project changed. Returns what could not be done.
    static QStringList AddStandardTemplates(TQrx& project, const QString& programFolder);

private:
    void addBlankTopics(TQrx& project) const;

    std::shared_ptr<const TFolderPages> m_pages;
};
