#include "TMainActions.h"

#include "AppImages.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

TMainActions::TMainActions(QMainWindow& window, const TCommandDispatcher& dispatcher)
    : QObject(&window)
    , m_window(window)
    , m_dispatcher(dispatcher)
{
    createActions();
    createMenus();
    createFileToolBar();
}

QAction* TMainActions::makeAction(TCommandId id, const QString& icon)
{
    const TCommand& command = CommandTable::Get(id);
    auto* action = new QAction(command.Caption, &m_window);
    if (!icon.isEmpty())
        action->setIcon(AppImages::ToolIcon(icon));
    if (!command.Shortcut.isEmpty())
        action->setShortcut(QKeySequence(command.Shortcut));
    action->setProperty("tag", command.Tag);
    action->setStatusTip(QString());
    connect(action, &QAction::triggered, this, [this, id] { m_dispatcher.Dispatch(id); });
    m_actions.insert(int(id), action);
    return action;
}

void TMainActions::createActions()
{
    using Id = TCommandId;
    const struct {
        Id id;
        const char* icon;
    } actions[] = {
        {Id::NewBlankProject, "new"}, {Id::NewFromHtml, nullptr}, {Id::NewFromChm, nullptr},
        {Id::Open, "open"}, {Id::SaveProject, "save"}, {Id::SaveProjectAs, nullptr}, {Id::CloseProject, nullptr},
        {Id::ImportToc, nullptr}, {Id::Exit, nullptr},
        {Id::BuildProject, "build"}, {Id::BuildChm, "chm"}, {Id::BuildWebHelp, "webhelp"}, {Id::BuildWord, "doc"},
        {Id::BuildPdf, "pdf"}, {Id::BuildSingleHtml, "singlehtml"},
        {Id::ViewChm, nullptr}, {Id::ViewWebHelp, nullptr}, {Id::ViewWord, nullptr}, {Id::ViewPdf, nullptr},
        {Id::ViewSingleHtml, nullptr}, {Id::ViewChmFolder, nullptr}, {Id::ViewWebHelpFolder, nullptr},
        {Id::ViewWordFolder, nullptr}, {Id::ViewPdfFolder, nullptr}, {Id::ViewSingleHtmlFolder, nullptr},
        {Id::BrowseProjectFolder, "browse"}, {Id::ProjectSettings, nullptr}, {Id::ProjectSettingsTool, "settings"},
        {Id::EnvironmentOptions, nullptr}, {Id::HowToUse, nullptr}, {Id::HelpTool, "help"}, {Id::About, nullptr},
        {Id::ExpandAll, "expand-all"}, {Id::CollapseAll, "collapse-all"}, {Id::AddTopic, "add"},
        {Id::DeleteSelection, "delete"}, {Id::MoveUp, "move-up"}, {Id::MoveDown, "move-down"},
        {Id::MoveLeft, "move-left"}, {Id::MoveRight, "move-right"}, {Id::MoveRightAddHeading, "move-right-heading"},
        {Id::AddBefore, nullptr}, {Id::AddAfter, nullptr}, {Id::AddChild, nullptr}, {Id::AddEnd, nullptr},
        {Id::AddToToc, nullptr}, {Id::AddPage, nullptr}, {Id::AddTemplate, nullptr}, {Id::DeleteTopic, "delete"},
        {Id::RenameTopic, nullptr}, {Id::CollapseBelow, nullptr}, {Id::ExpandBelow, nullptr},
        {Id::SortAllLevels, nullptr}, {Id::SortOneLevel, nullptr}, {Id::SetDefaultTopic, nullptr},
        {Id::UseThisTemplate, nullptr}, {Id::UseNoTemplate, nullptr},
        {Id::LinkBlankPage, "link-blank"}, {Id::LinkExistingPage, "link-existing"}, {Id::NoLink, "no-link"},
        {Id::SavePage, "save-page"}, {Id::SaveSource, "save-page"}, {Id::ExternalEditor, "external-editor"},
        {Id::PreviousTopic, "previous-topic"}, {Id::NextTopic, "next-topic"},
        {Id::CheckDocument, nullptr}, {Id::CheckSelection, nullptr}, {Id::CheckFromCursor, nullptr},
        {Id::SpellingOptions, nullptr}, {Id::Undo, nullptr}, {Id::Redo, nullptr},
    };
    for (const auto& entry : actions)
        makeAction(entry.id, entry.icon ? QString::fromLatin1(entry.icon) : QString());
    // The history keys work from every control of the window, without a menu entry.
    m_window.addAction(Action(Id::Undo));
    m_window.addAction(Action(Id::Redo));
}

void TMainActions::createMenus()
{
    using Id = TCommandId;
    QMenu* file = m_window.menuBar()->addMenu(QStringLiteral("文件"));
    QMenu* newProject = file->addMenu(QStringLiteral("新建项目"));
    newProject->addAction(Action(Id::NewBlankProject));
    newProject->addAction(Action(Id::NewFromHtml));
    newProject->addAction(Action(Id::NewFromChm));
    file->addAction(Action(Id::Open));
    file->addAction(Action(Id::SaveProject));
    file->addAction(Action(Id::SaveProjectAs));
    file->addAction(Action(Id::CloseProject));
    file->addSeparator();
    file->addAction(Action(Id::ImportToc));
    file->addSeparator();
    m_recentMenu = file->addMenu(QStringLiteral("最近的项目"));
    file->addSeparator();
    file->addAction(Action(Id::Exit));

    m_buildMenu = new QMenu(QStringLiteral("构建..."), &m_window);
    for (Id id : {Id::BuildChm, Id::BuildWebHelp, Id::BuildWord, Id::BuildPdf, Id::BuildSingleHtml})
        m_buildMenu->addAction(Action(id));
    m_viewMenu = new QMenu(QStringLiteral("视图"), &m_window);
    for (Id id : {Id::ViewChm, Id::ViewWebHelp, Id::ViewWord, Id::ViewPdf, Id::ViewSingleHtml})
        m_viewMenu->addAction(Action(id));
    m_viewMenu->addSeparator();
    for (Id id : {Id::ViewChmFolder, Id::ViewWebHelpFolder, Id::ViewWordFolder, Id::ViewPdfFolder,
                  Id::ViewSingleHtmlFolder})
        m_viewMenu->addAction(Action(id));

    // The build menu sits at position 1 of "编译", the view menu at position 3.
    QMenu* compile = m_window.menuBar()->addMenu(QStringLiteral("编译"));
    compile->addAction(Action(Id::BuildProject));
    compile->addMenu(m_buildMenu);
    compile->addSeparator();
    compile->addMenu(m_viewMenu);
    compile->addSeparator();
    QAction* browse = compile->addAction(QStringLiteral("浏览项目文件夹..."));
    browse->setProperty("tag", CmdBrowseProjectFolder);
    connect(browse, &QAction::triggered, Action(Id::BrowseProjectFolder), &QAction::trigger);
    connect(Action(Id::BrowseProjectFolder), &QAction::enabledChanged, browse, &QAction::setEnabled);

    QMenu* tools = m_window.menuBar()->addMenu(QStringLiteral("工具"));
    tools->addAction(Action(Id::BrowseProjectFolder));
    tools->addSeparator();
    tools->addAction(Action(Id::ProjectSettings));
    tools->addAction(Action(Id::EnvironmentOptions));

    QMenu* help = m_window.menuBar()->addMenu(QStringLiteral("帮助"));
    help->addAction(Action(Id::HowToUse));
    help->addSeparator();
    help->addAction(Action(Id::About));
}

QToolButton* TMainActions::ToolButton(QAction* action, bool captioned, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setDefaultAction(action);
    button->setAutoRaise(true);
    button->setToolButtonStyle(captioned ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
    button->setToolTipDuration(3000);
    return button;
}

void TMainActions::createFileToolBar()
{
    using Id = TCommandId;
    m_fileBar = m_window.addToolBar(QStringLiteral("文件"));
    m_fileBar->setObjectName(QStringLiteral("fileBar"));
    m_fileBar->setMovable(false);
    m_fileBar->setIconSize(QSize(24, 24));
    m_openDropDown = new QMenu(&m_window);

    auto add = [this](Id id, QMenu* dropDown = nullptr, const QString& caption = QString()) {
        const TCommand& command = CommandTable::Get(id);
        QAction* action = Action(id);
        auto* button = new QToolButton(&m_window);
        button->setAutoRaise(true);
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setToolTipDuration(3000);
        // The tool button shows its own short caption; the menu keeps the long one.
        auto* buttonAction = new QAction(action->icon(), caption.isEmpty() ? command.ToolCaption : caption, button);
        buttonAction->setToolTip(command.Caption);
        buttonAction->setProperty("tag", command.Tag);
        buttonAction->setEnabled(action->isEnabled());
        connect(buttonAction, &QAction::triggered, action, &QAction::trigger);
        if (id == Id::SaveProject)
            m_saveToolAction = buttonAction; // the idle update enables it, by its own rule
        else
            connect(action, &QAction::enabledChanged, buttonAction, &QAction::setEnabled);
        button->setDefaultAction(buttonAction);
        if (dropDown != nullptr) {
            button->setMenu(dropDown);
            button->setPopupMode(QToolButton::MenuButtonPopup);
        }
        m_fileBar->addWidget(button);
        return button;
    };
    add(Id::NewBlankProject);
    add(Id::Open, m_openDropDown);
    add(Id::SaveProject);
    m_fileBar->addSeparator();
    add(Id::BuildProject, m_buildMenu)->defaultAction()->setToolTip(QStringLiteral("构建帮助文件 (F9)"));
    add(Id::BuildChm);
    add(Id::BuildWebHelp);
    add(Id::BuildWord);
    add(Id::BuildPdf);
    add(Id::BuildSingleHtml);
    m_fileBar->addSeparator();
    // "视图" only opens its menu.
    auto* view = new QToolButton(&m_window);
    view->setText(QStringLiteral("视图"));
    view->setIcon(AppImages::ToolIcon(QStringLiteral("view")));
    view->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    view->setAutoRaise(true);
    view->setMenu(m_viewMenu);
    view->setPopupMode(QToolButton::InstantPopup);
    view->setObjectName(QStringLiteral("viewButton"));
    m_fileBar->addWidget(view);
    m_viewButton = view;
    add(Id::ProjectSettingsTool);
    add(Id::BrowseProjectFolder);
    add(Id::HelpTool);
}


void TMainActions::SetRecentProjects(const QStringList& captions, const std::function<void(const QString&)>& open)
{
    m_recentMenu->clear();
    m_openDropDown->clear();
    for (const QString& caption : captions) {
        for (QMenu* menu : {m_recentMenu, m_openDropDown}) {
            QAction* entry = menu->addAction(caption);
            connect(entry, &QAction::triggered, this, [open, caption] { open(caption); });
        }
    }
}

QStringList TMainActions::RecentCaptions() const
{
    QStringList captions;
    for (const QAction* entry : m_recentMenu->actions())
        captions.append(entry->text());
    return captions;
}

void TMainActions::UpdateCommandStates(bool hasProject, bool projectChanged)
{
    for (const TCommand& command : CommandTable::All()) {
        if (QAction* action = Action(command.Id))
            action->setEnabled(command.Wired && (!command.NeedsProject || hasProject));
    }
    m_saveToolAction->setEnabled(hasProject && projectChanged);
}

void TMainActions::SetProjectState(bool hasProject)
{
    m_buildMenu->setEnabled(hasProject && CommandTable::Get(TCommandId::BuildChm).Wired);
    m_viewMenu->setEnabled(hasProject);
    m_viewButton->setEnabled(hasProject);
}
