#pragma once

#include "TNewProject.h"

#include <QString>
#include <functional>
#include <optional>

class IUserPrompts;
class TQrx;

// The project the window works on: open, save, save as, close, import of a
// table of contents, and the questions before losing work. It fills and
// clears the one project object; the window follows through the events.
class TProjectSession {
public:
    TProjectSession(TQrx& project, IUserPrompts& prompts);

    bool HasProject() const { return m_hasProject; }

    // The project named on the command line: opened without questions; a
    // file that cannot be read is said and leaves an empty project.
    void OpenCommandLineProject(const QString& path);
    // Asks for a project (or a help file to import) and opens it. False when
    // the author cancelled or nothing was opened.
    bool OpenWithDialog();
    bool OpenProjectFile(const QString& path);
    bool Save();
    bool SaveAs();
    // False when the author cancelled or the changes could not be saved.
    bool Close();
    void ImportToc();
    // A new project of `kind` (TNewProjectKind) through the new-project
    // dialog, `file` the help file to import; `ask`: the changed project is
    // offered for saving first. False when nothing new was made.
    bool NewProject(int kind, const QString& file = QString(), bool ask = true);
    // The changed project is offered for saving: true when the work may go.
    bool LeavingQuestions();
    // A project command by its Tag (TProjectCommand); other Tags do nothing.
    void Dispatch(int tag);

    // Events. The views follow a project opened or closed.
    std::function<void(bool hasProject)> OnProjectState;
    // The page views forget their page.
    std::function<void()> OnPageReset;
    std::function<void()> OnCaptionChanged;
    // A project the author worked on, for the recent list.
    std::function<void(const QString& projectFile)> OnRecentProject;
    // Asked first by LeavingQuestions and Save as: the page in the editor is
    // saved or given up; false when the author cancelled.
    std::function<bool()> PageSaved;
    // Save saves the page in the editor first, without asking; false when it
    // could not.
    std::function<bool()> SavePage;
    // Brings the project's changed flag up to date with the page on show
    // (the idle update may not have run since the last keystroke).
    std::function<void()> FlushPage;
    // The new-project dialog on `kind`, `file` in its help-file field; none
    // when the author cancelled.
    std::function<std::optional<TNewProject>(int kind, const QString& file)> AskNewProject;
    // A project from HTML files lists its folder: searching starts (true)
    // and ends (false); each page found is told as it is read.
    std::function<void(bool searching)> OnSearching;
    std::function<void(const QString& file)> OnPageFound;

private:
    void setProjectState(bool hasProject);
    // The changed project offered for saving: false when the author
    // cancelled or it could not be saved.
    bool changesSavedOrGivenUp();
    void pageReset();
    void captionChanged();
    void recentProject();
    // Clears the project and reads `path` into it; false with the error said
    // and no project open.
    bool read(const QString& path);
    // Creates the project the dialog asked for; false when it failed.
    bool create(TNewProject& request);
    // A file chosen in a save dialog: ".qrx" added when it has no extension,
    // an existing file replaced only once the author agreed. Empty: cancelled.
    QString confirmedSaveFile(const QString& chosen);
    void cannotImport(int kind, const QString& file);
    // Tells the author what a command could not do, in one box.
    void warn(const QStringList& lines);

    TQrx& m_project;
    IUserPrompts& m_prompts;
    bool m_hasProject = false;
};
