#include "TSingleHtmlBuild.h"

#include "EmptiedFolder.h"
#include "Entities.h"
#include "Folders.h"
#include "PageFiles.h"
#include "Paths.h"
#include "QuorixError.h"
#include "TContents.h"
#include "TQrx.h"
#include "TextSearch.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString ContentMarker = QStringLiteral("($ALLCONTENT$)");
const QString TitleMarker = QStringLiteral("($PROJECTTITLE$)");
const QString CharsetMarker = QStringLiteral("($CHARSET$)");

EQuorixError refusalError(const QString& folder, const QString& refusal)
{
    return EQuorixError(QStringLiteral("The single HTML output folder \"%1\" %2 It is emptied before each build: "
                                       "choose another output folder in the project settings.")
                            .arg(folder, refusal));
}

} // namespace

TSingleHtmlBuild::TSingleHtmlBuild(TQrx& project, TContents& contents, TLineEvent log, TLineEvent error)
    : m_project(project)
    , m_contents(contents)
    , m_log(std::move(log))
    , m_error(std::move(error))
{
}

bool TSingleHtmlBuild::Run()
{
    if (m_contents.ContentsItems.empty()) {
        m_error(QStringLiteral("Cannot create single html! Because there is no any item in Table of Contents."));
        return false;
    }
    checkTargets();
    m_log(QString());
    m_log(QStringLiteral("Creating SingleHTML file..."));
    QString text;
    if (!readTemplate(text))
        return false;

    m_log(QStringLiteral("Preparing files..."));
    m_contents.PrepareCopyFile();
    m_contents.PrepareCopyFileForSingleHtml();
    checkFolderHoldsNoProjectFile();
    // Deletion is synchronous here: no wait for the folder to go.
    if (!DeleteFolder(OutputFolder))
        throw EQuorixError(QStringLiteral("Cannot empty the folder \"%1\". Close the programs that use it, or "
                                          "choose another output folder.")
                               .arg(OutputFolder));

    m_log(QStringLiteral("Creating page..."));
    m_contents.OutputPagesSingleHTML(OutputFolder);

    m_log(QStringLiteral("Output files..."));
    text = fillTemplate(text);
    if (!QDir().mkpath(OutputFolder))
        throw EQuorixError(QStringLiteral("Cannot create the folder \"%1\".").arg(OutputFolder));
    if (!SaveHtmlFile(text, OutputFile)) {
        m_error(QStringLiteral("The single HTML file \"%1\" was not written.").arg(OutputFile));
        return false;
    }

    m_log(QString());
    m_log(QStringLiteral("Filename: ") + OutputFile);
    if (m_project.ViewCompiledFile && OnShowResult)
        OnShowResult(OutputFile);
    return true;
}

// The output folder is emptied: it must not be, or hold, the project
// folder, the home folder or the root of the file system.
void TSingleHtmlBuild::checkTargets()
{
    const QString& root = m_project.RootDir;
    if (root.isEmpty() || IsWindowsAbsolutePath(root))
        throw EQuorixError(QStringLiteral("The project has no folder on this computer. Save the project before "
                                          "building the single HTML file."));
    const QString folder = ResolveProjectPath(root, TrimBlanks(m_project.SingleHtmlOutputFolder));
    if (IsWindowsAbsolutePath(folder))
        throw EQuorixError(QStringLiteral("The single HTML output folder \"%1\" is a Windows path. Choose where to "
                                          "write it in the project settings.")
                               .arg(m_project.SingleHtmlOutputFolder));
    const QString refusal = EmptiedFolderRefusal(folder, root, m_contents.CDir);
    if (!refusal.isEmpty())
        throw refusalError(folder, refusal);

    const QString name = TrimBlanks(m_project.SingleHtmlFilename);
    if (name.isEmpty())
        throw EQuorixError(QStringLiteral("Please specify the file name of the single HTML output in the project "
                                          "settings."));
    if (name.contains(u'/') || name.contains(u'\\') || name == u"." || name == u"..")
        throw EQuorixError(QStringLiteral("The single HTML file name \"%1\" must be a file name without folders.")
                               .arg(name));
    OutputFolder = WithTrailingSeparator(folder);
    OutputFile = OutputFolder + name;
}

// An output folder inside the project folder is fine as long as none of
// the project's pages or the files they use lie in it.
void TSingleHtmlBuild::checkFolderHoldsNoProjectFile() const
{
    QStringList files = m_contents.FileListForCopy.Paths();
    for (const TContents::TItemList* items : {&m_contents.ContentsItems, &m_contents.NonContentsItems}) {
        for (const auto& item : *items) {
            if (item->Accessible && item->Status == StatusLinked)
                files << m_contents.ItemFilePath(*item);
        }
    }
    const QString refusal = EmptiedFolderRefusal(OutputFolder, m_project.RootDir, m_contents.CDir, files);
    if (!refusal.isEmpty())
        throw refusalError(OutputFolder, refusal);
}

bool TSingleHtmlBuild::readTemplate(QString& text) const
{
    const QString file = m_contents.CDir
        + (m_project.SingleHtmlHasToc ? QStringLiteral("singleb.htm") : QStringLiteral("singlehtml.htm"));
    if (QFileInfo(file).isFile())
        text = ReadTextFile(file);
    if (!ContainsNoCase(text, ContentMarker)) {
        m_error(QStringLiteral("The single HTML template \"%1\" is missing or has no %2. Reinstall Quorix to "
                               "restore it.")
                    .arg(file, ContentMarker));
        return false;
    }
    return true;
}

// One pass over the template, so a page or a title that happens to contain
// a placeholder keeps it as written.
QString TSingleHtmlBuild::fillTemplate(const QString& text)
{
    QString content;
    if (m_project.SingleHtmlHasToc)
        content = m_contents.MakeSingleHtmlTOC();
    m_contents.AppendSingleHtml(content);
    const QString title = m_project.SingleHtmlSame ? m_project.Title : m_project.SingleHtmlTitle;
    return FillPlaceholders(text, {{ContentMarker, content},
                                   {TitleMarker, EncodeEntities(title)},
                                   {CharsetMarker, m_project.Encoding}});
}
