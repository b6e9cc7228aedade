#include "TChmBuild.h"

#include "EmptiedFolder.h"
#include "Folders.h"
#include "HtmlCleanup.h"
#include "PageFiles.h"
#include "PageParts.h"
#include "Paths.h"
#include "QuorixError.h"
#include "TCHMOutputHost.h"
#include "TCHMProjectWriter.h"
#include "TContents.h"
#include "TPageTemplate.h"
#include "TQrx.h"
#include "TempFiles.h"
#include "TextSearch.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

bool isPage(const QString& file)
{
    const QString suffix = QFileInfo(file).suffix().toLower();
    return suffix == u"htm" || suffix == u"html";
}

// The place of a project file inside the work folder.
QString inWorkFolder(const QString& file, const QString& rootDir, const QString& folder)
{
    return folder + file.mid(rootDir.size());
}

} // namespace

TChmBuild::TChmBuild(TQrx& project, TContents& contents, TCHMOutputHost& host, TLineEvent log)
    : m_project(project)
    , m_contents(contents)
    , m_host(host)
    , m_log(std::move(log))
{
}

QString TChmBuild::workFolder() const
{
    if (m_project.DeleteProject) {
        const QString folder = TrimBlanks(m_project.HHPFolder);
        if (folder.isEmpty())
            throw EQuorixError(QStringLiteral("Please specify folder name!"));
        const QString native = WithTrailingSeparator(ResolveBuildPath(m_project.RootDir, folder));
        // The work folder is emptied first: it must never hold the author's pages.
        if (native == m_project.RootDir || native.startsWith(m_project.RootDir) || m_project.RootDir.startsWith(native))
            throw EQuorixError(QStringLiteral("Html Help Workshop project folder cannot be the same as the Project "
                                              "Rootfolder. Please specify another one!"));
        const QString refusal = EmptiedFolderRefusal(native, m_project.RootDir, m_contents.CDir);
        if (!refusal.isEmpty())
            throw EQuorixError(QStringLiteral("The HTML Help project folder \"") + native + QStringLiteral("\" ") + refusal
                               + QStringLiteral(" It is emptied before each build: choose another one."));
        return native;
    }
    // A folder of our own under the temporary folder: nobody else's files
    // are emptied, and two builds never share one.
    QTemporaryDir temporary(GetCompileTempFolder() + QStringLiteral("quorix-chm-XXXXXX"));
    if (!temporary.isValid())
        throw EQuorixError(QStringLiteral("Cannot create a work folder in ") + GetCompileTempFolder() + QStringLiteral(": ")
                           + temporary.errorString());
    temporary.setAutoRemove(false);
    return WithTrailingSeparator(temporary.path());
}

bool TChmBuild::Run()
{
    m_log(QString());
    m_log(QStringLiteral("Creating HTML help file..."));
    const QString templateFile = TrimBlanks(m_project.HtmlHelpTemplate).isEmpty()
        ? QString()
        : ProjectFilePath(m_project.RootDir, m_project.HtmlHelpTemplate);
    if (!templateFile.isEmpty() && !QFileInfo(templateFile).isFile()) {
        m_log(QStringLiteral("The template \"") + templateFile + QStringLiteral("\" is not exsiting!"));
        return false;
    }
    m_log(QStringLiteral("Preparing files..."));
    m_contents.PrepareCopyFile();
    m_contents.PrepareCopyFileForCHM();

    const QString folder = workFolder();
    if (m_project.DeleteProject)
        DeleteFolder(folder);
    QDir().mkpath(folder);
    bool written = false;
    try {
        outputPages(folder);
        configureProject(folder);
        TCHMProjectWriter writer(m_project.CHMSetting, m_contents.HtmlHelpCodepage);
        writer.OnInfo = m_log;
        writer.Output(true, m_project.ViewCompiledFile, !m_project.DeleteProject, &m_host);
        written = QFileInfo(m_project.CHMSetting.CHM).isFile();
    } catch (...) {
        if (!m_project.DeleteProject)
            DeleteFolder(folder);
        throw;
    }
    if (!m_project.DeleteProject)
        DeleteFolder(folder);
    return written;
}

void TChmBuild::outputPages(const QString& folder)
{
    const QString& root = m_project.RootDir;
    const QString charset = TrimBlanks(m_project.HtmlHelpOutputEncoding);
    const auto withCharset = [&charset](const QString& page) {
        return charset.isEmpty() ? page : SetCharset(page, charset);
    };
    const auto save = [this](const QString& page, const QString& file) {
        QDir().mkpath(QFileInfo(file).path());
        if (!SaveHtmlFile(page, file))
            m_log(QStringLiteral("Cannot write ") + file);
    };

    TPageTemplate pageTemplate(m_contents.ExtensionList);
    const bool templated = !TrimBlanks(m_project.HtmlHelpTemplate).isEmpty();
    if (templated)
        pageTemplate.Load(ProjectFilePath(root, m_project.HtmlHelpTemplate), m_contents.FileListForCopy);

    const QStringList files = m_contents.FileListForCopy.Paths();
    for (const QString& file : files) {
        if (!file.startsWith(root))
            continue; // the collection keeps to the project folder; this is a second guard
        const QString target = inWorkFolder(file, root, folder);
        QDir().mkpath(QFileInfo(target).path());
        if (!isPage(file)) {
            QFile::remove(target);
            QFile::copy(file, target); // a file that cannot be copied is skipped
            continue;
        }
        const QString page = m_contents.WithFileNames(file, ReadTextFile(file));
        save(CollapseTagSpaces(withCharset(CleanWordHtml(page)), QStringLiteral("img")), target);
    }
    if (!templated)
        return;

    m_contents.MakeTemplatedPages(pageTemplate, [&](const TContentsItem& item, const QString& page) {
        save(withCharset(page), ProjectFilePath(folder, item.Url));
    });
    // Pages out of the table of contents get the template too, without neighbours.
    for (const TopicNode* node = m_project.tnUnvisiblePages->next(m_project.tnUnvisiblePages); node != nullptr;
         node = node->next(m_project.tnUnvisiblePages)) {
        const TLeftTreeData& entry = node->entry();
        if (entry.Status != StatusLinked || entry.ApplyTemp || entry.Url.isEmpty() || IsAbsolutePath(entry.Url))
            continue;
        const QString target = ProjectFilePath(folder, StripAnchor(entry.Url));
        if (!QFileInfo(target).isFile())
            continue;
        TMakePagesPara para;
        para.Title = node->text();
        const QString pageFile = ProjectFilePath(root, StripAnchor(entry.Url));
        para.Page = m_contents.WithFileNames(pageFile, ReadTextFile(pageFile));
        save(withCharset(pageTemplate.Merge(pageFile, para)), target);
    }
}

void TChmBuild::configureProject(const QString& folder)
{
    TCHMProject& chm = m_project.CHMSetting;
    chm.Folder = folder;
    chm.SourceFolder.clear();
    chm.Title = m_project.HtmlHelpTitleSame ? m_project.Title : m_project.HtmlHelpTitle;
    chm.CHM = ResolveProjectPath(m_project.RootDir, m_project.CompiledFile);
    if (IsWindowsAbsolutePath(chm.CHM))
        throw EQuorixError(QStringLiteral("The help file \"") + chm.CHM
                           + QStringLiteral("\" is a Windows path. Choose where to write it in the project settings."));
    QDir().mkpath(QFileInfo(chm.CHM).path());
    const QString defaultTopic = TrimBlanks(m_project.DefaultTopic).isEmpty() ? m_contents.DefaultPage
                                                                               : m_project.DefaultTopic;
    chm.DefaultTopic = ToSlashes(defaultTopic);
    chm.TOC = m_contents.MakeHHCList(m_contents.HtmlHelpCodepage);
    chm.IndexList = m_contents.MakeHHKList();
    chm.Language = m_project.Language;
    chm.Font.clear();
    chm.AutoSearch = true;
    m_contents.MakeContextSensitive(chm.Alias, chm.Map);
}
