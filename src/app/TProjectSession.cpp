#include "TProjectSession.h"

#include "IUserPrompts.h"
#include "QuorixError.h"
#include "TCommandTable.h"
#include "TQrx.h"
#include "Paths.h"

#include <QFileInfo>

namespace {

const QString ProjectChangedQuestion = QStringLiteral("The project has changed.\nDo you want to save the changes?");
const QString ProjectFilter = QStringLiteral("Quorix 项目 (*.qrx)|*.qrx");
const QString OpenFilter = QStringLiteral(
    "Quorix 支持打开(*.qrx;*.chm;*.hhp)|*.qrx;*.chm;*.hhp|Quorix 项目 (*.qrx)|*.qrx|Windows HTML 帮助(*.chm)|*.chm|"
    "HTML 帮助工作项目(*.hhp)|*.hhp");

} // namespace

TProjectSession::TProjectSession(TQrx& project, IUserPrompts& prompts)
    : m_project(project)
    , m_prompts(prompts)
{
}

void TProjectSession::setProjectState(bool hasProject)
{
    m_hasProject = hasProject;
    if (OnProjectState)
        OnProjectState(hasProject);
}

void TProjectSession::pageReset()
{
    if (OnPageReset)
        OnPageReset();
}

void TProjectSession::captionChanged()
{
    if (OnCaptionChanged)
        OnCaptionChanged();
}

void TProjectSession::recentProject()
{
    if (!m_project.IsNew && OnRecentProject)
        OnRecentProject(m_project.ProjectFilename);
}

void TProjectSession::warn(const QStringList& lines)
{
    if (!lines.isEmpty())
        m_prompts.Message(IUserPrompts::Kind::Warning, lines.join(QLatin1Char('\n')), IUserPrompts::Ok);
}

bool TProjectSession::read(const QString& path)
{
    setProjectState(true);
    pageReset();
    m_project.Clear();
    try {
        m_project.ReadFromIni(path);
    } catch (const EQuorixError& error) {
        m_prompts.ShowError(error.message());
        // Nothing was opened: the project controls go off again.
        setProjectState(false);
        captionChanged();
        return false;
    }
    captionChanged();
    // What reading had to mend in the file is said once it is open.
    warn(m_project.LoadWarnings);
    return true;
}

void TProjectSession::OpenCommandLineProject(const QString& path)
{
    // A file that cannot be read leaves an empty project to work on.
    if (!read(path)) {
        setProjectState(true);
        captionChanged();
    }
}

bool TProjectSession::LeavingQuestions()
{
    if (PageSaved && !PageSaved())
        return false;
    return changesSavedOrGivenUp();
}

bool TProjectSession::changesSavedOrGivenUp()
{
    if (FlushPage)
        FlushPage();
    if (!m_project.ProjectChanged)
        return true;
    switch (m_prompts.Confirm(ProjectChangedQuestion, IUserPrompts::Yes | IUserPrompts::No | IUserPrompts::Cancel)) {
    case IUserPrompts::Yes:
        return Save();
    case IUserPrompts::No:
        return true;
    default:
        return false;
    }
}

bool TProjectSession::OpenWithDialog()
{
    if (!LeavingQuestions())
        return false;
    const QString file = m_prompts.ChooseFiles(QStringLiteral("打开"), OpenFilter, QString(), false).value(0);
    if (file.isEmpty())
        return false;

    const QString extension = QFileInfo(file).suffix().toLower();
    if (extension == QLatin1String("qrx")) {
        recentProject();
        return read(file);
    }
    if (extension == QLatin1String("chm"))
        NewProject(NewFromChmFile, file, false);
    else if (extension == QLatin1String("hhp"))
        NewProject(NewFromHhpProject, file, false);
    else
        m_prompts.ShowError(QStringLiteral("Quorix cannot open \"%1\": choose a project (.qrx), a compiled help file "
                                           "(.chm) or an HTML Help project (.hhp).")
                                .arg(file));
    return false;
}

bool TProjectSession::OpenProjectFile(const QString& path)
{
    if (!QFileInfo(path).isFile()) {
        m_prompts.ShowError(path + QStringLiteral(" doesn't exist!"));
        return false;
    }
    if (!LeavingQuestions())
        return false;
    recentProject();
    return read(path);
}

bool TProjectSession::Save()
{
    if (m_project.IsNew)
        return SaveAs();
    if (SavePage && !SavePage())
        return false;
    recentProject();
    try {
        m_project.Save();
    } catch (const EQuorixError& error) {
        // Said rather than swallowed: the author must know the project is not
        // saved. The file on disk is the one saved before.
        m_prompts.ShowError(error.message());
        return false;
    }
    return true;
}

QString TProjectSession::confirmedSaveFile(const QString& chosen)
{
    if (chosen.isEmpty())
        return QString();
    QString file = chosen;
    if (QFileInfo(file).suffix().isEmpty())
        file += QStringLiteral(".qrx");
    // Asked here rather than by the platform's dialog, which does not ask
    // everywhere, and only after the extension is known.
    if (QFileInfo::exists(file)
        && m_prompts.Confirm(QStringLiteral("\"%1\" already exists.\nDo you want to replace it?").arg(file),
                             IUserPrompts::Yes | IUserPrompts::No)
            != IUserPrompts::Yes)
        return QString();
    return file;
}

bool TProjectSession::SaveAs()
{
    if (PageSaved && !PageSaved())
        return false;
    QString folder;
    QString name;
    if (m_project.IsNew) {
        folder = m_project.RootDir;
        name = m_project.Title.isEmpty()
            ? m_project.ProjectFilename
            : SafeFileName(m_project.Title, QStringLiteral("project")) + QStringLiteral(".qrx");
    } else {
        const QFileInfo current(m_project.ProjectFilename);
        folder = current.path();
        name = QStringLiteral("copy of ") + current.fileName();
    }
    const QString file = confirmedSaveFile(
        m_prompts.ChooseSaveFile(QStringLiteral("项目另存为"), ProjectFilter, folder, name, QStringLiteral("qrx"), false));
    if (file.isEmpty())
        return false;

    const QString previousName = m_project.ProjectFilename;
    const QString previousCompiledFile = m_project.CompiledFile;
    const bool wasNew = m_project.IsNew;
    if (m_project.IsNew && m_project.CompiledFile == QLatin1String("unnamed.chm")) {
        m_project.CompiledFile = m_project.Title.isEmpty()
            ? QFileInfo(file).completeBaseName() + QStringLiteral(".chm")
            : SafeFileName(m_project.Title, QStringLiteral("help")) + QStringLiteral(".chm");
    }
    m_project.ProjectFilename = file;
    try {
        m_project.SaveToIni(file);
    } catch (const EQuorixError& error) {
        m_project.ProjectFilename = previousName;
        m_project.CompiledFile = previousCompiledFile;
        m_project.IsNew = wasNew;
        m_prompts.ShowError(error.message());
        return false;
    }
    captionChanged();
    return true;
}

bool TProjectSession::Close()
{
    // No page question: a page with edits keeps the project changed, and
    // Save saves the page first.
    if (!changesSavedOrGivenUp())
        return false;
    recentProject();
    pageReset();
    m_project.Clear();
    setProjectState(false);
    captionChanged();
    return true;
}

void TProjectSession::ImportToc()
{
    const QString file =
        m_prompts.ChooseFiles(QStringLiteral("选择 Quorix 项目文件"), ProjectFilter, QString(), false).value(0);
    if (file.isEmpty())
        return;
    try {
        m_project.ImportTocFromAnotherIni(file);
    } catch (const EQuorixError& error) {
        m_prompts.ShowError(error.message());
        return;
    }
    warn(m_project.LoadWarnings);
}

void TProjectSession::Dispatch(int tag)
{
    switch (tag) {
    case CmdNewBlankProject:
        NewProject(NewBlankProject);
        break;
    case CmdOpenProject:
        OpenWithDialog();
        break;
    case CmdSaveProject:
        Save();
        break;
    case CmdSaveProjectAs:
        SaveAs();
        break;
    case CmdCloseProject:
        Close();
        break;
    case CmdNewFromHtml:
        NewProject(NewFromHtmlFiles);
        break;
    case CmdNewFromChm:
        NewProject(NewFromChmFile);
        break;
    default:
        break;
    }
}

void TProjectSession::cannotImport(int kind, const QString& file)
{
    const QString what = kind == NewFromChmFile ? QStringLiteral("make projects from compiled help files (.chm)")
                                                : QStringLiteral("convert HTML Help Workshop projects (.hhp)");
    QString text = QStringLiteral("This version of Quorix cannot %1 yet").arg(what);
    if (!file.trimmed().isEmpty())
        text += QStringLiteral(": \"%1\" was not imported").arg(file.trimmed());
    m_prompts.Message(IUserPrompts::Kind::Information, text + QStringLiteral(". The open project stays as it was."),
                      IUserPrompts::Ok);
}

bool TProjectSession::NewProject(int kind, const QString& file, bool ask)
{
    if (kind < NewBlankProject || kind >= NewProjectKindCount)
        return false;
    if (ask && !LeavingQuestions())
        return false;
    if (QFileInfo(file).suffix().compare(QLatin1String("hhp"), Qt::CaseInsensitive) == 0) {
        cannotImport(NewFromHhpProject, file);
        return false;
    }
    std::optional<TNewProject> request = AskNewProject ? AskNewProject(kind, file) : std::nullopt;
    if (!request)
        return false;
    switch (request->Kind) {
    case NewFromChmFile:
        cannotImport(NewFromChmFile, request->ChmFile);
        return false;
    case NewFromHhpProject:
        cannotImport(NewFromHhpProject, request->HhpFile);
        return false;
    default:
        return create(*request);
    }
}

bool TProjectSession::create(TNewProject& request)
{
    const bool searching = request.Kind == NewFromHtmlFiles;
    try {
        if (searching && OnSearching)
            OnSearching(true);
        request.Prepare(OnPageFound);
    } catch (const EQuorixError& error) {
        if (searching && OnSearching)
            OnSearching(false);
        m_prompts.ShowError(error.message());
        return false;
    }
    if (searching && OnSearching)
        OnSearching(false);

    recentProject();
    pageReset();
    m_project.Clear();
    const QStringList problems = request.Fill(m_project);
    setProjectState(true);
    captionChanged();
    warn(problems);
    return true;
}
