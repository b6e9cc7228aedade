#include "TBuildDialogModel.h"

#include "Paths.h"
#include "TQrx.h"
#include "TextSearch.h"

#include <QDir>
#include <QFileInfo>

const QString TBuildDialogModel::Caption = QStringLiteral("构建帮助文件");

namespace {

// Folders compared as the build compares them: with a trailing separator,
// without case.
QString asFolder(const QString& path)
{
    return WithTrailingSeparator(QDir::cleanPath(path));
}

// The output folder is the project folder or holds it: emptying it would
// delete the author's pages.
bool holdsProject(const QString& folder, const QString& rootDir)
{
    if (rootDir.isEmpty() || !IsAbsolutePath(folder))
        return false;
    return asFolder(rootDir).startsWith(asFolder(folder), Qt::CaseInsensitive);
}

TBuildValidation refuse(const QString& message, TBuildDialogField focus)
{
    return {false, message, focus};
}

const QString OutputHoldsProject = QStringLiteral(
    "The output folder cannot be the project folder or a folder that holds it: it is emptied before output. "
    "Please specify another one!");

QString windowsDriveMessage(const QString& path)
{
    return QStringLiteral("The output path \"%1\" names a Windows drive; choose a path on this computer.").arg(path);
}

} // namespace

TBuildDialogValues TBuildDialogModel::FromProject(const TQrx& project)
{
    TBuildDialogValues values;
    values.CompiledFile = project.CompiledFile;
    values.WebHelpOutputFolder = project.WebHelpOutputFolder;
    values.SingleHtmlOutputFolder = project.SingleHtmlOutputFolder;
    values.SingleHtmlFilename = project.SingleHtmlFilename;
    values.WordFile = project.WordFile;
    values.PDFfile = project.PDFfile;
    values.DeleteProject = project.DeleteProject;
    values.HHPFolder = project.HHPFolder;
    values.ViewCompiledFile = project.ViewCompiledFile;
    values.Compiler = HTMLHelpCompilerOfProject(project.CHMSetting.Compiler);
    return values;
}

void TBuildDialogModel::StoreInProject(const TBuildDialogValues& values, TQrx& project)
{
    if (!(FromProject(project) == values))
        project.ProjectChanged = true;
    project.CompiledFile = values.CompiledFile;
    project.WebHelpOutputFolder = values.WebHelpOutputFolder;
    project.SingleHtmlOutputFolder = values.SingleHtmlOutputFolder;
    project.SingleHtmlFilename = values.SingleHtmlFilename;
    project.WordFile = values.WordFile;
    project.PDFfile = values.PDFfile;
    project.DeleteProject = values.DeleteProject;
    project.HHPFolder = values.HHPFolder;
    project.ViewCompiledFile = values.ViewCompiledFile;
    // A name this version does not know stays until the author picks another.
    if (values.Compiler != HTMLHelpCompilerOfProject(project.CHMSetting.Compiler))
        project.CHMSetting.Compiler = HTMLHelpCompilerStoredName(values.Compiler);
}

int TBuildDialogModel::PageOfTag(int tag)
{
    return tag >= 1 && tag <= 5 ? tag - 1 : bpChm;
}

int TBuildDialogModel::OutputOfPage(int page)
{
    return page >= bpChm && page <= bpSingleHtml ? 1 << page : 0;
}

QString TBuildDialogModel::EmptiedFolder(int page, const TBuildDialogValues& values, const QString& rootDir)
{
    switch (page) {
    case bpChm:
        return values.DeleteProject ? ResolveBuildPath(rootDir, TrimBlanks(values.HHPFolder)) : QString();
    case bpWebHelp:
        return ResolveProjectPath(rootDir, TrimBlanks(values.WebHelpOutputFolder));
    case bpSingleHtml:
        return ResolveProjectPath(rootDir, TrimBlanks(values.SingleHtmlOutputFolder));
    default:
        return QString();
    }
}

TBuildValidation TBuildDialogModel::Validate(int page, const TBuildDialogValues& values, const QString& rootDir,
                                             const TQuestion& ask)
{
    using F = TBuildDialogField;
    const QString emptied = EmptiedFolder(page, values, rootDir);
    QString enteredFolder;
    F folderField = F::None;

    if (page == bpChm) {
        if (values.DeleteProject) {
            enteredFolder = TrimBlanks(values.HHPFolder);
            folderField = F::HHPFolder;
            if (enteredFolder.isEmpty())
                return refuse(QStringLiteral("Please specify folder name!"), F::HHPFolder);
            if (IsWindowsAbsolutePath(enteredFolder))
                return refuse(windowsDriveMessage(enteredFolder), F::HHPFolder);
            // Emptying a folder inside the project would delete pages as well.
            const QString folder = asFolder(emptied);
            const QString root = asFolder(rootDir);
            if (!rootDir.isEmpty()
                && (folder.startsWith(root, Qt::CaseInsensitive) || root.startsWith(folder, Qt::CaseInsensitive)))
                return refuse(QStringLiteral("Html Help Workshop project folder cannot be the same as the Project "
                                             "Rootfolder. Please specify another one!"),
                              F::HHPFolder);
        }
        const QString compiled = TrimBlanks(values.CompiledFile);
        if (compiled.isEmpty())
            return refuse(QStringLiteral("Please specify Compiled file!"), F::CompiledFile);
        if (IsWindowsAbsolutePath(compiled))
            return refuse(windowsDriveMessage(compiled), F::CompiledFile);
    }
    if (page == bpWebHelp) {
        enteredFolder = TrimBlanks(values.WebHelpOutputFolder);
        folderField = F::WebHelpOutputFolder;
        if (enteredFolder.isEmpty())
            return refuse(QStringLiteral("Please specify Output folder!"), folderField);
    }
    if (page == bpSingleHtml) {
        enteredFolder = TrimBlanks(values.SingleHtmlOutputFolder);
        folderField = F::SingleHtmlOutputFolder;
        if (enteredFolder.isEmpty())
            return refuse(QStringLiteral("Please specify Output folder!"), folderField);
        if (TrimBlanks(values.SingleHtmlFilename).isEmpty())
            return refuse(QStringLiteral("Please specify File name!"), F::SingleHtmlFilename);
    }
    if (page == bpWebHelp || page == bpSingleHtml) {
        if (IsWindowsAbsolutePath(enteredFolder))
            return refuse(windowsDriveMessage(enteredFolder), folderField);
        if (holdsProject(emptied, rootDir))
            return refuse(OutputHoldsProject, folderField);
    }

    if (!emptied.isEmpty()) {
        const QString shown = QDir::toNativeSeparators(QDir::cleanPath(emptied));
        if (QFileInfo(emptied).isDir()
            && !ask(QStringLiteral("Before output, the folder \"") + shown
                    + QStringLiteral("\" will be emptied! Continue?")))
            return {};
        if ((enteredFolder.size() <= 3 || QDir(emptied).isRoot())
            && !ask(QStringLiteral("The folder \"") + shown
                    + QStringLiteral("\" may be a HARD DRIVER root folder. Really continue?")))
            return {};
    }
    return {true, QString(), F::None};
}
