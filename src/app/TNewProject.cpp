#include "TNewProject.h"

#include "Paths.h"
#include "ProgramFolder.h"
#include "QuorixError.h"
#include "TQrx.h"
#include "TemplateCatalogue.h"

#include <QDir>
#include <QFileInfo>

namespace {

constexpr int LastNumberedFolder = 99999;
const QString OutputFolder = QStringLiteral("<Project_Folder>_output\\");

struct TStandardTemplate {
    const char16_t* Title;
    const char16_t* Source; // folder below the program's "templates"
    const char16_t* Page;
    const char16_t* Folder; // proposed folder in the root folder
};
// Fixed Top first: it is the template of HTML Help and web help.
constexpr TStandardTemplate StandardTemplates[] = {
    {u"Fixed Top", u"fixedtop", u"fixedtop.htm", u"template2"},
    {u"MSN Style", u"msn", u"msn.htm", u"template"},
};

// `proposed`, unless files of the template already lie there: then a folder
// that names nothing yet.
QString templateFolder(const TTemplateCatalogueEntry& entry, const QString& programFolder, const QString& rootDir,
                       const QString& proposed)
{
    const QFileInfo target(QDir(rootDir).filePath(proposed));
    if (!target.exists() || (target.isDir() && !TemplateFolderCollides(entry, programFolder, rootDir, proposed)))
        return proposed;
    return QFileInfo(UniqueFolderName(WithTrailingSeparator(rootDir), proposed, QString())).fileName();
}

} // namespace

TNewProject::TNewProject()
    : ProgramFolder(ProgramDataFolder())
{
}

QString TNewProject::DefaultFolder(const QString& documentsFolder)
{
    const QDir documents(documentsFolder);
    const QString first = documents.filePath(QStringLiteral("Quorix Projects/Project1"));
    if (!QFileInfo::exists(first))
        return first;
    for (int n = 2; n <= LastNumberedFolder; ++n) {
        const QString candidate = documents.filePath(QStringLiteral("Quorix 项目/项目") + QString::number(n));
        if (!QFileInfo::exists(candidate))
            return candidate;
    }
    return QString();
}

QString TNewProject::FolderLabel(int kind)
{
    return kind == NewFromHtmlFiles ? QStringLiteral("HTML Position:") : QStringLiteral("Project Folder:");
}

bool TNewProject::Complete() const
{
    if (Title.trimmed().isEmpty() || Folder.trimmed().isEmpty())
        return false;
    if (Kind == NewFromChmFile)
        return !ChmFile.trimmed().isEmpty();
    if (Kind == NewFromHhpProject)
        return !HhpFile.trimmed().isEmpty();
    return true;
}

void TNewProject::Prepare(const std::function<void(const QString&)>& onPage)
{
    const QString folder = Folder.trimmed();
    if (folder.isEmpty())
        throw EQuorixError(QStringLiteral("Name the folder of the new project."));
    if (!QDir::isAbsolutePath(folder))
        throw EQuorixError(QStringLiteral("\"%1\" is not a full folder path: choose the folder of the new project "
                                          "with \"...\".")
                               .arg(folder));
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir())
        throw EQuorixError(QStringLiteral("Cannot create the folder \"%1\" for the new project.").arg(folder));
    m_pages.reset();
    if (Kind == NewFromHtmlFiles)
        m_pages = std::make_shared<TFolderPages>(folder, KeepStructure, TitleMode, onPage);
}

void TNewProject::addBlankTopics(TQrx& project) const
{
    TopicTree& tree = project.Tree();
    TLeftTreeData unsaved;
    unsaved.Status = StatusUnsaved;
    TLeftTreeData heading;
    heading.Status = StatusNoLink;
    tree.appendNode(project.tnTableOfContents, QStringLiteral("New Item1"), unsaved);
    TopicNode* folder = tree.appendNode(project.tnTableOfContents, QStringLiteral("Folder1"), heading);
    tree.appendNode(folder, QStringLiteral("New Item2"), unsaved);
    tree.appendNode(folder, QStringLiteral("New Item3"), unsaved);
}

QStringList TNewProject::AddStandardTemplates(TQrx& project, const QString& programFolder)
{
    QStringList problems;
    bool first = true;
    for (const TStandardTemplate& standard : StandardTemplates) {
        TTemplateCatalogueEntry entry;
        entry.Name = QString::fromUtf16(standard.Title);
        entry.Path = QString::fromUtf16(standard.Source);
        entry.FileName = QString::fromUtf16(standard.Page);
        const QString source = QDir(programFolder).filePath(QStringLiteral("templates/") + entry.Path);
        if (!QFileInfo(QDir(source).filePath(entry.FileName)).isFile()) {
            problems << QStringLiteral("The template \"%1\" is missing from %2; the project has no such template.")
                            .arg(entry.Name, source);
            continue;
        }
        const QString folder =
            templateFolder(entry, programFolder, project.RootDir, QString::fromUtf16(standard.Folder));
        QString url;
        try {
            url = InstallTemplate(entry, programFolder, project.RootDir, folder, project.Encoding);
        } catch (const EQuorixError& error) {
            problems << error.message();
            continue;
        }
        TLeftTreeData page;
        page.Url = url;
        project.Tree().appendNode(project.tnTemplates, entry.Name, page);
        if (first) {
            project.HtmlHelpTemplate = url;
            project.WebHelpTemplate = url;
        }
        first = false;
    }
    project.ProjectChanged = true;
    return problems;
}

QStringList TNewProject::Fill(TQrx& project) const
{
    project.Title = Title;
    project.RootDir = WithTrailingSeparator(QDir::cleanPath(Folder.trimmed()));
    project.CompiledFile = OutputFolder + QStringLiteral("HTML Help\\help.chm");
    project.WebHelpOutputFolder = OutputFolder + QStringLiteral("WebHelp\\");
    project.SingleHtmlOutputFolder = OutputFolder + QStringLiteral("SingleHTML\\");

    QStringList problems;
    if (m_pages) {
        m_pages->AddTo(project, project.tnTableOfContents);
    } else {
        addBlankTopics(project);
        problems = AddStandardTemplates(project, ProgramFolder);
        project.SetIcon();
        // The sample tree and the templates open in full.
        for (TopicNode* root : {project.tnTableOfContents, project.tnTemplates}) {
            for (TopicNode* node = root; node != nullptr; node = node->next(root))
                if (node->hasChildren())
                    project.Tree().setExpanded(node, true);
        }
    }
    project.ProjectChanged = true;
    project.AutoSensitiveNumber();
    project.Tree().setExpanded(project.tnTableOfContents, true);
    project.Tree().select(project.tnTableOfContents);
    return problems;
}
