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

bool TProjectSession::read(const QString& path)
{
    pageReset();
    m_project.Clear();
    bool read = true;
    try {
        m_project.ReadFromIni(path);
    } catch (const EQuorixError& error) {
        m_prompts.ShowError(error.message());
        read = false;
    }
    captionChanged();
    // What reading had to mend in the file is said once it is open.
    if (read && !m_project.LoadWarnings.isEmpty())
        m_prompts.Message(IUserPrompts::Kind::Warning, m_project.LoadWarnings.join(QLatin1Char('\n')), IUserPrompts::Ok);
    return read;
}

void TProjectSession::OpenCommandLineProject(const QString& path)
{
    setProjectState(true);
    read(path);
}

bool TProjectSession::LeavingQuestions()
{
    if (PageSaved && !PageSaved())
        return false;
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

    setProjectState(true);
    recentProject();
    const QString extension = QFileInfo(file).suffix().toLower();
    if (extension == QLatin1String("qrx")) {
        read(file);
        return true;
    }
    if (extension == QLatin1String("chm"))
        NewProject(2, file);
    else if (extension == QLatin1String("hhp"))
        NewProject(3, file);
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
    setProjectState(true);
    recentProject();
    return read(path);
}

bool TProjectSession::Save()
{
    if (m_project.IsNew)
        return SaveAs();
    recentProject();
    try {
        m_project.Save();
    } catch (const EQuorixError& error) {
        // Said rather than swallowed: the author must know the project is not saved.
        m_prompts.ShowError(error.message());
        return false;
    }
    return true;
}

bool TProjectSession::SaveAs()
{
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
    const QString file =
        m_prompts.ChooseSaveFile(QStringLiteral("项目另存为"), ProjectFilter, folder, name, QStringLiteral("qrx"), true);
    if (file.isEmpty())
        return false;

    if (m_project.IsNew && m_project.CompiledFile == QLatin1String("unnamed.chm")) {
        m_project.CompiledFile = m_project.Title.isEmpty()
            ? QFileInfo(file).completeBaseName() + QStringLiteral(".chm")
            : SafeFileName(m_project.Title, QStringLiteral("help")) + QStringLiteral(".chm");
    }
    const QString previousName = m_project.ProjectFilename;
    const bool wasNew = m_project.IsNew;
    m_project.ProjectFilename = file;
    try {
        m_project.SaveToIni(file);
    } catch (const EQuorixError& error) {
        m_project.ProjectFilename = previousName;
        m_project.IsNew = wasNew;
        m_prompts.ShowError(error.message());
        return false;
    }
    m_project.IsNew = false;
    captionChanged();
    return true;
}

bool TProjectSession::Close()
{
    if (m_project.ProjectChanged) {
        switch (m_prompts.Confirm(ProjectChangedQuestion, IUserPrompts::Yes | IUserPrompts::No | IUserPrompts::Cancel)) {
        case IUserPrompts::Yes:
            if (!Save())
                return false;
            break;
        case IUserPrompts::No:
            break;
        default:
            return false;
        }
    }
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
    }
}

void TProjectSession::Dispatch(int tag)
{
    switch (tag) {
    case CmdNewBlankProject:
        NewProject(0);
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
        NewProject(1);
        break;
    case CmdNewFromChm:
        NewProject(2);
        break;
    default:
        break;
    }
}

bool TProjectSession::NewProject(int kind, const QString& file)
{
    const TCommandId commands[] = {TCommandId::NewBlankProject, TCommandId::NewFromHtml, TCommandId::NewFromChm,
                                   TCommandId::NewFromChm};
    if (kind < 0 || kind > 3 || !CommandTable::Get(commands[kind]).Wired) {
        m_prompts.Message(IUserPrompts::Kind::Information,
                          file.isEmpty() ? QStringLiteral("This version cannot create projects yet.")
                                         : QStringLiteral("This version cannot import \"%1\" yet.").arg(file),
                          IUserPrompts::Ok);
        return false;
    }
    return false;
}
