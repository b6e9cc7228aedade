#include "TAddTopic.h"

#include "IUserPrompts.h"

#include "QuorixError.h"
#include "TCommandTable.h"
#include "TQrx.h"

#include <QDir>
#include <algorithm>

using namespace TopicTreeCommands;

const QString TAddTopic::Caption = QStringLiteral("添加新主题");
const QString TAddTopic::FilesCaption = QStringLiteral("Select HTML files");
const QString TAddTopic::FilesFilter = QStringLiteral("HTML file (*.html, *.htm)|*.html;*.htm");
const QString TAddTopic::FolderCaption = QStringLiteral("Folder");
const QString TAddTopic::CollisionMessage = QStringLiteral("Filename collision! Please try another folder name.");
const QString TAddTopic::DefaultTemplateQuestion = QStringLiteral("Set this template as default template?");

namespace {

constexpr int InsertEnd = 0;
constexpr int InsertBefore = 1;
constexpr int InsertAfter = 2;
constexpr int InsertChild = 3;
constexpr int MaxCount = 999;

// The page a node belongs to: its Kind, or for a root the page of that root.
int pageOf(const TopicNode* node)
{
    if (node == nullptr)
        return TAddTopic::PageTableOfContents;
    const int kind = node->entry().Kind;
    return kind < 0 ? -kind - 1 : std::min(kind, int(TAddTopic::PageTemplates));
}

// A folder name the template can be copied to: something, and inside the
// root folder.
QString folderNameProblem(const QString& name)
{
    if (name.trimmed().isEmpty())
        return QStringLiteral("Please enter a folder name.");
    const QString stored = QString(name).replace(QLatin1Char('/'), QLatin1Char('\\'));
    if (QDir::isAbsolutePath(name) || stored.startsWith(QLatin1Char('\\')) || stored.contains(QLatin1Char(':'))
        || stored.split(QLatin1Char('\\')).contains(QStringLiteral("..")))
        return QStringLiteral("The template's folder must lie inside the project folder.");
    return {};
}

} // namespace

QString TAddTopic::FolderPrompt(const QString& rootDir)
{
    return QStringLiteral("Copy template to:\n") + rootDir;
}

TAddTopic::TAddTopic(int tag, const TopicNode* focused)
{
    if (focused != nullptr && !focused->isRoot())
        m_homePage = pageOf(focused);
    switch (tag) {
    case CmdAddToToc:
    case CmdAddPage:
    case CmdAddTemplate:
        m_page = tag - CmdAddToToc;
        break;
    case CmdAddBefore:
    case CmdAddAfter:
    case CmdAddChild:
    case CmdAddEnd: {
        static const int modes[] = {InsertBefore, InsertAfter, InsertChild, InsertEnd};
        m_page = pageOf(focused);
        m_homeIndex = modes[tag - CmdAddBefore];
        break;
    }
    default:
        m_page = pageOf(focused);
        break;
    }
}

void TAddTopic::SetPage(int page)
{
    m_page = std::clamp(page, int(PageTableOfContents), int(PageTemplates));
}

QStringList TAddTopic::InsertModes() const
{
    return {QStringLiteral("Insert end"), QStringLiteral("Insert before"), QStringLiteral("Insert after"),
        InsertModeEnabled() ? QStringLiteral("Insert child") : QStringLiteral("Append")};
}

bool TAddTopic::InsertModeEnabled() const
{
    return m_page == m_homePage;
}

int TAddTopic::InsertModeIndex() const
{
    return InsertModeEnabled() ? m_homeIndex : InsertChild;
}

void TAddTopic::SetInsertModeIndex(int index)
{
    if (InsertModeEnabled() && index >= InsertEnd && index <= InsertChild)
        m_homeIndex = index;
}

InsertMode TAddTopic::Mode() const
{
    if (!InsertModeEnabled())
        return InsertMode::Append;
    switch (m_homeIndex) {
    case InsertEnd:
        return InsertMode::End;
    case InsertBefore:
        return InsertMode::Before;
    case InsertAfter:
        return InsertMode::After;
    default:
        return InsertMode::Child;
    }
}

TAddTopic::TItemType TAddTopic::ItemType() const
{
    return m_page == PageTemplates ? m_templateType : m_pageType;
}

void TAddTopic::SetItemType(TItemType type)
{
    if (m_page != PageTemplates) {
        if (type != BuiltInTemplate)
            m_pageType = type;
        return;
    }
    m_templateType = type;
    if (type == ExistingFiles)
        m_titleSource = TitleSource::FileNameWithoutExtension;
}

bool TAddTopic::ShowsCount() const
{
    return m_page != PageTemplates && m_pageType != ExistingFiles;
}

bool TAddTopic::ShowsTitleSource() const
{
    return m_page != PageTemplates && m_pageType == ExistingFiles;
}

bool TAddTopic::ShowsCatalogue() const
{
    return m_page == PageTemplates && m_templateType == BuiltInTemplate;
}

void TAddTopic::SetCount(int count)
{
    m_count = std::clamp(count, 1, MaxCount);
}

QString TAddTopic::NewTitle() const
{
    return m_page == PageTemplates ? QStringLiteral("New Template") : QStringLiteral("New Item");
}

TAddTopic::TResult TAddTopic::Apply(TQrx& project, TopicNode* focused, const QList<TTemplateCatalogueEntry>& catalogue,
    const QString& programFolder, IUserPrompts& prompts) const
{
    TResult result;
    switch (ItemType()) {
    case NewPages:
    case Headings:
        result.Added = AddNewTopics(project, m_page, focused, Mode(), m_count,
            ItemType() == NewPages ? StatusUnsaved : StatusNoLink, NewTitle());
        result.EditTitle = result.Added.size() == 1;
        break;
    case ExistingFiles: {
        const QStringList files = prompts.ChooseFiles(FilesCaption, FilesFilter, project.RootDir, true);
        QList<TNewTopic> topics;
        for (const QString& file : files)
            topics.append(TopicForExistingFile(project, file, m_titleSource));
        result.Added = AddTopics(project, m_page, focused, Mode(), topics);
        break;
    }
    case BuiltInTemplate:
        result.Added = addBuiltInTemplate(project, focused, catalogue, programFolder, prompts);
        break;
    }
    return result;
}

QList<TopicNode*> TAddTopic::addBuiltInTemplate(TQrx& project, TopicNode* focused,
    const QList<TTemplateCatalogueEntry>& catalogue, const QString& programFolder, IUserPrompts& prompts) const
{
    if (m_catalogueIndex < 0 || m_catalogueIndex >= catalogue.size()) {
        prompts.ShowError(QStringLiteral("Please choose one of the built-in templates."));
        return {};
    }
    if (project.RootDir.isEmpty()) {
        prompts.ShowError(QStringLiteral("The project has no folder yet: save the project first."));
        return {};
    }
    const TTemplateCatalogueEntry& entry = catalogue[m_catalogueIndex];
    QString folder = ProposeTemplateFolderName(project.RootDir);
    for (;;) {
        const std::optional<QString> answer = prompts.AskText(FolderCaption, FolderPrompt(project.RootDir), folder);
        if (!answer)
            return {};
        folder = *answer;
        if (const QString problem = folderNameProblem(folder); !problem.isEmpty()) {
            prompts.ShowError(problem);
            continue;
        }
        if (!TemplateFolderCollides(entry, programFolder, project.RootDir, folder))
            break;
        prompts.ShowError(CollisionMessage);
    }

    QString url;
    try {
        url = InstallTemplate(entry, programFolder, project.RootDir, folder, project.Encoding);
    } catch (const EQuorixError& error) {
        prompts.ShowError(error.message());
        return {};
    }
    TNewTopic topic;
    topic.Title = entry.Name;
    topic.Entry.Url = url;
    topic.Entry.Status = StatusLinked;
    const QList<TopicNode*> added = AddTopics(project, PageTemplates, focused, Mode(), {topic});
    if (prompts.AskYes(IUserPrompts::Kind::Information, DefaultTemplateQuestion)) {
        project.HtmlHelpTemplate = url;
        project.WebHelpTemplate = url;
        project.SetIcon();
    }
    project.ProjectChanged = true;
    return added;
}
