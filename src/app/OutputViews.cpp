#include "OutputViews.h"

#include "Paths.h"
#include "TCommandTable.h"
#include "TQrx.h"

#include <QFileInfo>

namespace {

QString folderOf(const QString& file)
{
    return QFileInfo(file).path();
}

QString joined(const QString& folder, const QString& name)
{
    return WithTrailingSeparator(folder) + name;
}

} // namespace

std::optional<TOutputView> OutputView(const TQrx& project, int tag)
{
    const bool folder = tag >= CmdViewChmFolder;
    const int output = folder ? tag - CmdViewChmFolder + CmdViewChm : tag;
    const QString& root = project.RootDir;
    TOutputView view;
    view.BuildTag = output - CmdViewChm + CmdBuildChm;
    switch (output) {
    case CmdViewChm:
        view.Name = QStringLiteral("Html Help");
        view.TestedFile = ResolveProjectPath(root, project.CompiledFile);
        view.Target = folder ? folderOf(view.TestedFile) : view.TestedFile;
        break;
    case CmdViewWebHelp: {
        view.Name = QStringLiteral("Web Help");
        const QString outputFolder = ResolveProjectPath(root, project.WebHelpOutputFolder);
        view.TestedFile = joined(outputFolder, QStringLiteral("index.htm"));
        view.Target = folder ? outputFolder : view.TestedFile;
        break;
    }
    case CmdViewWord:
        view.Name = QStringLiteral("Word Document");
        view.TestedFile = ResolveProjectPath(root, project.WordFile);
        view.Target = folder ? folderOf(view.TestedFile) : view.TestedFile;
        break;
    case CmdViewPdf:
        view.Name = QStringLiteral("PDF");
        view.TestedFile = ResolveProjectPath(root, project.PDFfile);
        view.Target = folder ? folderOf(view.TestedFile) : view.TestedFile;
        break;
    case CmdViewSingleHtml: {
        view.Name = QStringLiteral("Single HTHL");
        const QString outputFolder = ResolveProjectPath(root, project.SingleHtmlOutputFolder);
        view.TestedFile = joined(outputFolder, project.SingleHtmlFilename);
        view.Target = folder ? outputFolder : view.TestedFile;
        break;
    }
    default:
        return std::nullopt;
    }
    return view;
}

QString OutputMissingQuestion(const TOutputView& view)
{
    return view.Name + QStringLiteral(" file hasn't been created, create it?");
}
