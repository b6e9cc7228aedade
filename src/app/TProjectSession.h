#pragma once

#include <QString>
#include <functional>

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
    // A new project of `kind` (0 blank, 1 from HTML files, 2 from a CHM,
    // 3 from an HTML Help project), `file` the help file to import.
    bool NewProject(int kind, const QString& file = QString());
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
    // Asked first by LeavingQuestions: the page in the editor is saved or
    // given up; false when the author cancelled.
    std::function<bool()> PageSaved;

private:
    void setProjectState(bool hasProject);
    void pageReset();
    void captionChanged();
    void recentProject();
    // Clears the project and reads `path` into it; false with the error said.
    bool read(const QString& path);

    TQrx& m_project;
    IUserPrompts& m_prompts;
    bool m_hasProject = false;
};
