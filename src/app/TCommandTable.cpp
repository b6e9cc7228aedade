#include "TCommandTable.h"

#include <QHash>

namespace {

using F = TCommandFamily;
using Id = TCommandId;

QList<TCommand> makeTable()
{
    const bool needsProject = true;
    const bool always = false;
    const bool wired = true;
    const bool later = false;
    auto s = [](const char16_t* text) { return QString::fromUtf16(text); };
    return {
        // File menu and file tool bar
        {Id::NewBlankProject, F::Project, CmdNewBlankProject, s(u"空白项目"), s(u"新建"), s(u"Ctrl+N"), always, wired},
        {Id::NewFromHtml, F::Project, CmdNewFromHtml, s(u"从现有 HTML 文件"), {}, {}, always, wired},
        {Id::NewFromChm, F::Project, CmdNewFromChm, s(u"来自编译的 HTML 帮助 (.CHM)"), {}, {}, always, wired},
        {Id::Open, F::Project, CmdOpenProject, s(u"打开"), s(u"打开"), s(u"Ctrl+O"), always, wired},
        {Id::SaveProject, F::Project, CmdSaveProject, s(u"保存项目"), s(u"保存"), s(u"Ctrl+S"), needsProject, wired},
        {Id::SaveProjectAs, F::Project, CmdSaveProjectAs, s(u"项目另存为..."), {}, {}, needsProject, wired},
        {Id::CloseProject, F::Project, CmdCloseProject, s(u"关闭"), {}, {}, needsProject, wired},
        {Id::ImportToc, F::Window, CmdImportToc, s(u"从其他项目导入目录..."), {}, {}, needsProject, wired},
        {Id::Exit, F::Window, CmdExit, s(u"退出"), {}, {}, always, wired},
        // Build menu and tool bar
        {Id::BuildProject, F::Build, CmdBuildAll, s(u"构建项目"), s(u"构建"), s(u"F9"), needsProject, wired},
        {Id::BuildChm, F::Build, CmdBuildChm, s(u"HTML 帮助 (CHM)..."), s(u"CHM"), {}, needsProject, wired},
        {Id::BuildWebHelp, F::Build, CmdBuildWebHelp, s(u"网络帮助"), s(u"网络帮助"), {}, needsProject, wired},
        {Id::BuildWord, F::Build, CmdBuildWord, s(u"Word 文档"), s(u"DOC"), {}, needsProject, wired},
        {Id::BuildPdf, F::Build, CmdBuildPdf, s(u"PDF..."), s(u"PDF"), {}, needsProject, wired},
        {Id::BuildSingleHtml, F::Build, CmdBuildSingleHtml, s(u"单个 HTML..."), s(u"单个 HTML"), {}, needsProject, wired},
        // View menu
        {Id::ViewChm, F::ViewOutput, CmdViewChm, s(u"HTML 帮助 (CHM)"), {}, {}, needsProject, wired},
        {Id::ViewWebHelp, F::ViewOutput, CmdViewWebHelp, s(u"网络帮助"), {}, {}, needsProject, wired},
        {Id::ViewWord, F::ViewOutput, CmdViewWord, s(u"Word 文档"), {}, {}, needsProject, wired},
        {Id::ViewPdf, F::ViewOutput, CmdViewPdf, s(u"PDF"), {}, {}, needsProject, wired},
        {Id::ViewSingleHtml, F::ViewOutput, CmdViewSingleHtml, s(u"单个 HTML"), {}, {}, needsProject, wired},
        {Id::ViewChmFolder, F::ViewOutput, CmdViewChmFolder, s(u"HTML 帮助文件夹"), {}, {}, needsProject, wired},
        {Id::ViewWebHelpFolder, F::ViewOutput, CmdViewWebHelpFolder, s(u"网络帮助文件夹"), {}, {}, needsProject, wired},
        {Id::ViewWordFolder, F::ViewOutput, CmdViewWordFolder, s(u"Word 文档文件夹"), {}, {}, needsProject, wired},
        {Id::ViewPdfFolder, F::ViewOutput, CmdViewPdfFolder, s(u"PDF 文件夹"), {}, {}, needsProject, wired},
        {Id::ViewSingleHtmlFolder, F::ViewOutput, CmdViewSingleHtmlFolder, s(u"单个 HTML 文件夹"), {}, {}, needsProject, wired},
        // Tools and help
        {Id::BrowseProjectFolder, F::Window, CmdBrowseProjectFolder, s(u"浏览项目文件夹"), s(u"浏览"), {}, needsProject,
         wired},
        {Id::ProjectSettings, F::Window, CmdProjectSettings, s(u"项目设置..."), {}, {}, needsProject, later},
        {Id::ProjectSettingsTool, F::Window, CmdProjectSettingsAndIcons, s(u"项目设置"), s(u"设置"), {}, needsProject,
         later},
        {Id::EnvironmentOptions, F::Window, CmdEnvironmentOptions, s(u"环境选项..."), {}, {}, always, later},
        {Id::HowToUse, F::Window, CmdHowToUse, s(u"如何使用..."), {}, {}, always, wired},
        {Id::HelpTool, F::Window, CmdHelpFile, s(u"帮助"), s(u"帮助"), {}, always, wired},
        {Id::About, F::Window, CmdAbout, s(u"关于"), {}, {}, always, wired},
        // The tree's tool bar
        {Id::ExpandAll, F::Tree, CmdExpandAll, s(u"完全展开"), {}, {}, needsProject, wired},
        {Id::CollapseAll, F::Tree, CmdCollapseAll, s(u"完全折叠"), {}, {}, needsProject, wired},
        {Id::AddTopic, F::AddTopic, CmdAddFromFocused, s(u"添加新项目"), {}, {}, needsProject, wired},
        {Id::DeleteSelection, F::Tree, CmdDeleteSelection, s(u"删除所选"), {}, {}, needsProject, wired},
        {Id::MoveUp, F::Tree, CmdMoveUp, s(u"上移"), {}, {}, needsProject, wired},
        {Id::MoveDown, F::Tree, CmdMoveDown, s(u"下移"), {}, {}, needsProject, wired},
        {Id::MoveLeft, F::Tree, CmdMoveLeft, s(u"左移"), {}, {}, needsProject, wired},
        {Id::MoveRight, F::Tree, CmdMoveRight, s(u"右移"), {}, {}, needsProject, wired},
        {Id::MoveRightAddHeading, F::Tree, CmdMoveRightAddHeading, s(u"向右移动并添加标题"), {}, {}, needsProject, wired},
        // The tree's popup menu
        {Id::AddBefore, F::AddTopic, CmdAddBefore, s(u"之前添加"), {}, {}, needsProject, wired},
        {Id::AddAfter, F::AddTopic, CmdAddAfter, s(u"在之后添加"), {}, {}, needsProject, wired},
        {Id::AddChild, F::AddTopic, CmdAddChild, s(u"添加子级"), {}, {}, needsProject, wired},
        {Id::AddEnd, F::AddTopic, CmdAddEnd, s(u"添加结尾"), {}, {}, needsProject, wired},
        {Id::AddToToc, F::AddTopic, CmdAddToToc, s(u"将页面添加到目录..."), {}, {}, needsProject, wired},
        {Id::AddPage, F::AddTopic, CmdAddPage, s(u"添加页面..."), {}, {}, needsProject, wired},
        {Id::AddTemplate, F::AddTopic, CmdAddTemplate, s(u"添加模板..."), {}, {}, needsProject, wired},
        {Id::DeleteTopic, F::Tree, CmdDeleteSelection, s(u"删除"), {}, {}, needsProject, wired},
        {Id::RenameTopic, F::Tree, CmdRenameTopic, s(u"更改标题"), {}, {}, needsProject, wired},
        {Id::CollapseBelow, F::Tree, CmdCollapseBelow, s(u"层叠"), {}, {}, needsProject, wired},
        {Id::ExpandBelow, F::Tree, CmdExpandBelow, s(u"扩展"), {}, {}, needsProject, wired},
        {Id::SortAllLevels, F::Tree, CmdSortAllLevels, s(u"所有子项目"), {}, {}, needsProject, wired},
        {Id::SortOneLevel, F::Tree, CmdSortOneLevel, s(u"一级子项"), {}, {}, needsProject, wired},
        {Id::SetDefaultTopic, F::Tree, CmdSetDefaultTopic, s(u"设置为默认主题"), {}, {}, needsProject, wired},
        {Id::UseThisTemplate, F::Tree, CmdUseThisTemplate, s(u"使用此模板"), {}, {}, needsProject, wired},
        {Id::UseNoTemplate, F::Tree, CmdUseNoTemplate, s(u"不使用任何模板"), {}, {}, needsProject, wired},
        // The topic bar
        {Id::LinkBlankPage, F::TopicBar, CmdLinkBlankPage, s(u"链接到空白页"), s(u"链接到空白页"), {}, needsProject, wired},
        {Id::LinkExistingPage, F::TopicBar, CmdLinkExistingPage, s(u"链接到现有页面"), s(u"链接到现有页面"), {},
         needsProject, wired},
        {Id::NoLink, F::TopicBar, CmdNoLink, s(u"无链接"), s(u"无链接"), {}, needsProject, wired},
        // The topic page
        {Id::SavePage, F::Page, CmdSavePage, s(u"保存页面"), s(u"保存页面"), {}, needsProject, wired},
        {Id::SaveSource, F::Page, CmdSaveSource, s(u"保存页面"), s(u"保存页面"), {}, needsProject, wired},
        {Id::ExternalEditor, F::Page, CmdExternalEditor, s(u"External editor"), {}, {}, needsProject, wired},
        {Id::PreviousTopic, F::Page, CmdPreviousTopic, s(u"上一个主题"), s(u"上一个主题"), {}, needsProject, wired},
        {Id::NextTopic, F::Page, CmdNextTopic, s(u"下一个主题"), s(u"下一个主题"), {}, needsProject, wired},
        // Spelling
        {Id::CheckDocument, F::Spelling, CmdCheckDocument, s(u"检察文档"), {}, s(u"F7"), needsProject, later},
        {Id::CheckSelection, F::Spelling, CmdCheckSelection, s(u"检查所选"), {}, {}, needsProject, later},
        {Id::CheckFromCursor, F::Spelling, CmdCheckFromCursor, s(u"从光标检查"), {}, {}, needsProject, later},
        {Id::SpellingOptions, F::Spelling, CmdSpellingOptions, s(u"选项..."), {}, {}, needsProject, later},
        // The editor's history, from any control of the window
        {Id::Undo, F::History, CmdUndo, s(u"Undo(Ctrl-Z)"), {}, s(u"Ctrl+Z"), always, wired},
        {Id::Redo, F::History, CmdRedo, s(u"Redo(Ctrl-Y)"), {}, s(u"Ctrl+Y"), always, wired},
    };
}

} // namespace

const QList<TCommand>& CommandTable::All()
{
    static const QList<TCommand> table = makeTable();
    return table;
}

const TCommand& CommandTable::Get(TCommandId id)
{
    static const QHash<int, qsizetype> index = [] {
        QHash<int, qsizetype> map;
        for (qsizetype i = 0; i < All().size(); ++i)
            map.insert(int(All()[i].Id), i);
        return map;
    }();
    return All()[index.value(int(id))];
}

void TCommandDispatcher::SetHandler(TCommandFamily family, Handler handler)
{
    m_handlers[family] = std::move(handler);
}

bool TCommandDispatcher::Dispatch(TCommandId id) const
{
    const TCommand& command = CommandTable::Get(id);
    if (!command.Wired)
        return false;
    const auto handler = m_handlers.find(command.Family);
    if (handler == m_handlers.end() || !handler->second)
        return false;
    handler->second(command.Tag);
    return true;
}
