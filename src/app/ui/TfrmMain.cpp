#include "TfrmMain.h"

#include "AppImages.h"
#include "BuildSwitches.h"
#include "FileFilters.h"
#include "OutputViews.h"
#include "Paths.h"
#include "ProductInfo.h"
#include "ProgramFolder.h"
#include "QuorixError.h"
#include "TBuildDialogModel.h"
#include "TBuildRunner.h"
#include "TEditorPage.h"
#include "TRecentProjects.h"
#include "TTopicTreeView.h"
#include "TWebEngineDHTMLEdit.h"
#include "TWindowState.h"
#include "TfrmAddTopic.h"
#include "TfrmApplyTemplate.h"
#include "TfrmBuild.h"
#include "TfrmBuildOutput.h"
#include "TfrmStart.h"
#include "TopicBarCommands.h"
#include "TopicBarLayout.h"
#include "TopicTreeCommands.h"
#include "TreeMenuRules.h"
#include "UserPrompts.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextStream>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineView>

const QDateTime TfrmMain::NoTimeKnown = QDateTime(QDate(2000, 1, 1), QTime(1, 1, 1, 1));

namespace {

const QString TreeHint = QStringLiteral("For table of Contents: Ctrl+Click to multi-select; Shift+Click to section-select");
const QString EditorHint = QStringLiteral("For editor: Press Shift-Enter to insert a line break");
const QString ProjectChangedQuestion = QStringLiteral("The project has changed.\nDo you want to save the changes?");
const QString ProjectFilter = QStringLiteral("Quorix 项目 (*.qrx)|*.qrx");
const QString OpenFilter = QStringLiteral(
    "Quorix 支持打开(*.qrx;*.chm;*.hhp)|*.qrx;*.chm;*.hhp|Quorix 项目 (*.qrx)|*.qrx|Windows HTML 帮助(*.chm)|*.chm|"
    "HTML 帮助工作项目(*.hhp)|*.hhp");
const QString DeleteQuestion = QStringLiteral("Are you sure to delete the selections?");
const QString PageFilter = QStringLiteral("HTML 文件 (*.html, *.htm)|*.html;*.htm");
constexpr int SecondPanelWidth = 350;
constexpr int IdleIntervalMs = 150;
constexpr int StartupTickMs = 100;

// The tags by which the editor's command layer finds the controls it drives.
struct EditorControl {
    int Tag;
    const char* Icon;
    const char16_t* Hint;
    enum Kind { Button, Check, DropDown, List } Type;
};

// The first editor tool bar, after the page's own save button.
const EditorControl FirstEditBar[] = {
    {4106, "external-editor", u"External editor", EditorControl::DropDown},
    {5008, "find", u"Search(Ctrl-F)", EditorControl::Button},
    {4002, "show-borders", u"Show object borders", EditorControl::Check},
    {4003, "show-details", u"Show details", EditorControl::Check},
    {4200, "undo", u"Undo(Ctrl-Z)", EditorControl::Button},
    {4201, "redo", u"Redo(Ctrl-Y)", EditorControl::Button},
    {5003, "cut", u"Cut(Ctrl-X)", EditorControl::Button},
    {5002, "copy", u"Copy(Ctrl-C)", EditorControl::Button},
    {5032, "paste", u"Paste(Ctrl-V)", EditorControl::Button},
    {4107, "picture", u"Insert picture", EditorControl::Button},
    {4108, "hyperlink", u"Insert hyperlink", EditorControl::Button},
    {4114, "bookmark", u"Insert bookmark(Anchor)", EditorControl::Button},
    {4102, "horizontal-line", u"Insert horizontal line", EditorControl::Button},
    {4103, "line-break", u"折线 (Shift-回车键)", EditorControl::Button},
    {4104, "special-character", u"Copyright", EditorControl::DropDown},
    {4100, "table", u"Insert table", EditorControl::Button},
    {4105, "table-edit", u"Insert Row", EditorControl::DropDown},
    {5031, "outdent", u"Outdent(Ctrl-Shift-T)", EditorControl::Button},
    {5018, "indent", u"Indent(Ctrl-T)", EditorControl::Button},
};

const EditorControl SecondEditBar[] = {
    {5044, nullptr, u"Font", EditorControl::List},
    {5045, nullptr, u"Font size", EditorControl::List},
    {5043, nullptr, u"Style", EditorControl::List},
    {5034, "remove-format", u"Remove format", EditorControl::Button},
    {5000, "bold", u"Bold(Ctrl-B)", EditorControl::Check},
    {5023, "italic", u"Italic(Ctrl-I)", EditorControl::Check},
    {5048, "underline", u"Underline(Ctrl-U)", EditorControl::Check},
    {5025, "align-left", u"Justify left", EditorControl::Check},
    {5024, "align-center", u"Justify center", EditorControl::Check},
    {5026, "align-right", u"Justify right", EditorControl::Check},
    {5030, "numbered-list", u"Numbering", EditorControl::Check},
    {5051, "bulleted-list", u"Bullets", EditorControl::Check},
    {5046, "fore-color", u"Font color", EditorControl::DropDown},
    {5042, "back-color", u"Font backcolor", EditorControl::DropDown},
};

// The keys the window handles for every control: the editor's history and
// saving the project.
bool isWindowKey(const QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    if (modifiers != Qt::ControlModifier)
        return false;
    return event->key() == Qt::Key_Z || event->key() == Qt::Key_Y || event->key() == Qt::Key_S;
}

// The small tool bar at the top of an editing tab, in a layout without margins.
QToolBar* tabToolBar(QWidget* page, QVBoxLayout* layout)
{
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* bar = new QToolBar(page);
    bar->setIconSize(QSize(16, 16));
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    return bar;
}

QWidget* blankPanel(QWidget* parent)
{
    auto* panel = new QWidget(parent);
    panel->setAutoFillBackground(true);
    return panel;
}

} // namespace

TfrmMain::TfrmMain(const TCommandLine& commandLine, QSettings* settings, QWidget* parent)
    : QMainWindow(parent)
    , m_settings(settings)
    , m_buildSwitch(commandLine.BuildSwitch)
    , m_commandLineProject(commandLine.ProjectFile)
{
    if (m_settings == nullptr) {
        m_ownSettings = std::make_unique<QSettings>(QStringLiteral("Brellan"), QStringLiteral("Quorix"));
        m_settings = m_ownSettings.get();
    }
    Ask = [this](const QString& text, QMessageBox::StandardButtons buttons) {
        return QMessageBox::question(this, QStringLiteral("Confirm"), text, buttons);
    };
    ShowMessage = [this](QMessageBox::Icon icon, const QString& text, QMessageBox::StandardButtons buttons) {
        QMessageBox box(icon, ProductInfo::Name(), text, buttons, this);
        return QMessageBox::StandardButton(box.exec());
    };
    ChooseFiles = [this](const QString& caption, const QString& filter, const QString& folder, bool several) {
        QFileDialog dialog(this, caption, folder);
        dialog.setNameFilter(QtFileFilter(filter));
        dialog.setDefaultSuffix(QStringLiteral("htm"));
        dialog.setFileMode(several ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles() : QStringList();
    };
    AskText = [this](const QString& caption, const QString& prompt, const QString& text) -> std::optional<QString> {
        bool ok = false;
        const QString answer = QInputDialog::getText(this, caption, prompt, QLineEdit::Normal, text, &ok);
        if (!ok)
            return std::nullopt;
        return answer;
    };
    ExecDialog = [](QDialog& dialog) { return dialog.exec(); };

    // 1-3: the menus with the build and view menus, every output shown.
    createActions();
    createMenus();
    createFileToolBar();
    createTopicBar();
    CurrentModifiedTime = NoTimeKnown;

    // 4: the tree and its roots (the project's own), the panels around it.
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->addWidget(createLeftPanel());
    m_splitter->addWidget(createRightPanel());
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setChildrenCollapsible(false);
    setCentralWidget(m_splitter);
    createStatusBar();
    TreeNodeHeight = m_tree->rowHeight();
    m_buildOutput = new TfrmBuildOutput(this);

    // 5-7: caption, page state, window state.
    updateCaption();
    resize(DesignedWidth, DesignedHeight);
    m_splitter->setSizes({DesignedNavWidth, DesignedWidth - DesignedNavWidth});
    SourceDirty = false;
    IsDirty = false;
    CurrentStatus = StatusNoLink;
    CurrentURL.clear();
    CurrentIndex = -1;
    loadWindowState();

    // 8-11: the options and the recent projects.
    loadRecentProjects();

    m_dispatcher.SetHandler(TCommandFamily::Project, [this](int tag) { dispatchProject(tag); });
    m_dispatcher.SetHandler(TCommandFamily::Window, [this](int tag) { dispatchWindow(tag); });
    m_dispatcher.SetHandler(TCommandFamily::ViewOutput, [this](int tag) { dispatchViewOutput(tag); });
    m_dispatcher.SetHandler(TCommandFamily::Build, [this](int tag) { runBuild(tag); });
    m_dispatcher.SetHandler(TCommandFamily::History, [this](int tag) { dispatchHistory(tag); });
    m_dispatcher.SetHandler(TCommandFamily::Tree, [this](int tag) { dispatchTree(tag); });
    m_dispatcher.SetHandler(TCommandFamily::AddTopic, [this](int tag) { dispatchAddTopic(tag); });
    m_dispatcher.SetHandler(TCommandFamily::TopicBar, [this](int tag) { dispatchTopicBar(tag); });
    connect(&Qrx.Tree(), &TopicTree::selectionChanged, this, &TfrmMain::updateTopicBar);

    // 14: start without a project.
    ProjectClose();

    qApp->installEventFilter(this);
    connect(&m_idleTimer, &QTimer::timeout, this, &TfrmMain::UpdateIdle);
    m_idleTimer.start(IdleIntervalMs);

    // 17: the command-line build starts once the window shows.
    connect(&m_startupTimer, &QTimer::timeout, this, [this] {
        if (!isVisible())
            return;
        m_startupTimer.stop();
        if (!m_buildSwitch.isEmpty())
            runCommandLineBuild();
    });
    m_startupTimer.start(StartupTickMs);
}

TfrmMain::~TfrmMain()
{
    qApp->removeEventFilter(this);
}

IDHTMLEdit* TfrmMain::Editor() const
{
    return m_editor;
}

// ---- construction ---------------------------------------------------------

QAction* TfrmMain::makeAction(TCommandId id, const QString& icon)
{
    const TCommand& command = CommandTable::Get(id);
    auto* action = new QAction(command.Caption, this);
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

void TfrmMain::createActions()
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
    addAction(Action(Id::Undo));
    addAction(Action(Id::Redo));
}

void TfrmMain::createMenus()
{
    using Id = TCommandId;
    QMenu* file = menuBar()->addMenu(QStringLiteral("文件"));
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

    m_buildMenu = new QMenu(QStringLiteral("构建..."), this);
    for (Id id : {Id::BuildChm, Id::BuildWebHelp, Id::BuildWord, Id::BuildPdf, Id::BuildSingleHtml})
        m_buildMenu->addAction(Action(id));
    m_viewMenu = new QMenu(QStringLiteral("视图"), this);
    for (Id id : {Id::ViewChm, Id::ViewWebHelp, Id::ViewWord, Id::ViewPdf, Id::ViewSingleHtml})
        m_viewMenu->addAction(Action(id));
    m_viewMenu->addSeparator();
    for (Id id : {Id::ViewChmFolder, Id::ViewWebHelpFolder, Id::ViewWordFolder, Id::ViewPdfFolder,
                  Id::ViewSingleHtmlFolder})
        m_viewMenu->addAction(Action(id));

    // The build menu sits at position 1 of "编译", the view menu at position 3.
    QMenu* compile = menuBar()->addMenu(QStringLiteral("编译"));
    compile->addAction(Action(Id::BuildProject));
    compile->addMenu(m_buildMenu);
    compile->addSeparator();
    compile->addMenu(m_viewMenu);
    compile->addSeparator();
    QAction* browse = compile->addAction(QStringLiteral("浏览项目文件夹..."));
    browse->setProperty("tag", CmdBrowseProjectFolder);
    connect(browse, &QAction::triggered, Action(Id::BrowseProjectFolder), &QAction::trigger);
    connect(Action(Id::BrowseProjectFolder), &QAction::enabledChanged, browse, &QAction::setEnabled);

    QMenu* tools = menuBar()->addMenu(QStringLiteral("工具"));
    tools->addAction(Action(Id::BrowseProjectFolder));
    tools->addSeparator();
    tools->addAction(Action(Id::ProjectSettings));
    tools->addAction(Action(Id::EnvironmentOptions));

    QMenu* help = menuBar()->addMenu(QStringLiteral("帮助"));
    help->addAction(Action(Id::HowToUse));
    help->addSeparator();
    help->addAction(Action(Id::About));
}

QToolButton* TfrmMain::toolButton(QAction* action, bool captioned)
{
    auto* button = new QToolButton(this);
    button->setDefaultAction(action);
    button->setAutoRaise(true);
    button->setToolButtonStyle(captioned ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
    button->setToolTipDuration(3000);
    return button;
}

void TfrmMain::createFileToolBar()
{
    using Id = TCommandId;
    m_fileBar = addToolBar(QStringLiteral("文件"));
    m_fileBar->setObjectName(QStringLiteral("fileBar"));
    m_fileBar->setMovable(false);
    m_fileBar->setIconSize(QSize(24, 24));
    m_openDropDown = new QMenu(this);

    auto add = [this](Id id, QMenu* dropDown = nullptr, const QString& caption = QString()) {
        const TCommand& command = CommandTable::Get(id);
        QAction* action = Action(id);
        auto* button = new QToolButton(this);
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
    auto* view = new QToolButton(this);
    view->setText(QStringLiteral("视图"));
    view->setIcon(AppImages::ToolIcon(QStringLiteral("view")));
    view->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    view->setAutoRaise(true);
    view->setMenu(m_viewMenu);
    view->setPopupMode(QToolButton::InstantPopup);
    view->setObjectName(QStringLiteral("viewButton"));
    m_fileBar->addWidget(view);
    add(Id::ProjectSettingsTool);
    add(Id::BrowseProjectFolder);
    add(Id::HelpTool);
}

void TfrmMain::createTopicBar()
{
    using Id = TCommandId;
    addToolBarBreak();
    m_topicBar = addToolBar(QStringLiteral("主题"));
    m_topicBar->setObjectName(QStringLiteral("topicBar"));
    m_topicBar->setMovable(false);
    m_topicBar->setIconSize(QSize(16, 16));

    // 12: "Auto" and the icons 1-42 (images 0-41).
    m_iconPicker = new QComboBox(this);
    m_iconPicker->setToolTip(QStringLiteral("图标"));
    m_iconPicker->addItem(QStringLiteral("Auto"));
    for (int icon = 1; icon <= 42; ++icon)
        m_iconPicker->addItem(AppImages::TreeImage(icon - 1), QString::number(icon));
    m_iconPicker->setMaxVisibleItems(16);
    m_titleLabel = new QLabel(QStringLiteral("标题:"), this);
    m_titleField = new QLineEdit(this);
    m_urlLabel = new QLabel(QStringLiteral("网址:"), this);
    m_urlField = new QLineEdit(this);
    m_topicBar->addWidget(m_iconPicker);
    m_topicBar->addWidget(m_titleLabel);
    m_topicBar->addWidget(m_titleField);
    m_topicBar->addWidget(m_urlLabel);
    m_topicBar->addWidget(m_urlField);
    for (Id id : {Id::LinkBlankPage, Id::LinkExistingPage, Id::NoLink}) {
        QToolButton* button = toolButton(Action(id), false);
        m_linkButtons.append(button);
        m_topicBar->addWidget(button);
    }
    m_topicBar->installEventFilter(this);

    // Choices of the author only, not the picker following the selection.
    connect(m_iconPicker, &QComboBox::activated, this, &TfrmMain::chooseIcon);
    connect(m_titleField, &QLineEdit::textEdited, this, [this](const QString& text) {
        TopicNode* topic = focusedTopic();
        if (topic != nullptr && text != topic->text()) {
            Qrx.Tree().setText(topic, text);
            Qrx.ProjectChanged = true;
        }
    });
    connect(m_urlField, &QLineEdit::textEdited, this, [this](const QString& text) {
        TopicNode* topic = focusedTopic();
        if (topic == nullptr || text == topic->entry().Url)
            return;
        if (text == QLatin1String("(unsaved)") || text == QLatin1String("(no-link)")) {
            topic->entry().Status = text == QLatin1String("(unsaved)") ? StatusUnsaved : StatusNoLink;
            topic->entry().Url.clear();
        } else {
            topic->entry().Status = StatusLinked;
            topic->entry().Url = text;
        }
        Qrx.ProjectChanged = true;
    });
}

void TfrmMain::layoutTopicBar()
{
    const int linkButton = m_linkButtons.isEmpty() ? 0 : m_linkButtons.front()->sizeHint().width();
    const int labels = m_titleLabel->sizeHint().width() + m_urlLabel->sizeHint().width();
    const int spacing = 2 * m_topicBar->layout()->spacing() * 7 + 2 * m_topicBar->layout()->contentsMargins().left();
    const TTopicFieldWidths widths =
        TopicFieldWidths(m_topicBar->contentsRect().width() - spacing, linkButton, labels, m_iconPicker->sizeHint().width());
    m_titleField->setFixedWidth(widths.Title);
    m_urlField->setFixedWidth(widths.Url);
}

QWidget* TfrmMain::createLeftPanel()
{
    using Id = TCommandId;
    auto* tabs = new QTabWidget(this);
    auto* page = new QWidget(tabs);
    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);

    m_treeBar = new QToolBar(page);
    m_treeBar->setOrientation(Qt::Vertical);
    m_treeBar->setIconSize(QSize(16, 16));
    for (Id id : {Id::ExpandAll, Id::CollapseAll, Id::AddTopic, Id::DeleteSelection, Id::MoveUp, Id::MoveDown,
                  Id::MoveLeft, Id::MoveRight, Id::MoveRightAddHeading})
        m_treeBar->addAction(Action(id));
    layout->addWidget(m_treeBar);

    m_treeStack = new QStackedWidget(page);
    m_tree = new TTopicTreeView(Qrx, m_treeStack);
    m_treeStack->addWidget(m_tree);
    createTreePopup();
    connect(m_tree, &TTopicTreeView::popupRequested, this, &TfrmMain::showTreePopup);
    connect(m_tree, &TTopicTreeView::titleEdited, this, &TfrmMain::titleEditedInTree);
    connect(m_tree, &TTopicTreeView::dragModeChanged, this, [this](const QString& mode) { m_hintPanel->setText(mode); });
    QWidget* grey = blankPanel(m_treeStack);
    QPalette palette = grey->palette();
    palette.setColor(QPalette::Window, QColor(128, 128, 128));
    grey->setPalette(palette);
    m_treeStack->addWidget(grey);
    layout->addWidget(m_treeStack, 1);

    tabs->addTab(page, QStringLiteral("文件列表"));
    return tabs;
}

QWidget* TfrmMain::createRightPanel()
{
    auto* panel = new QWidget(this);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    m_pages = new QTabWidget(panel);
    m_pages->addTab(createEditTab(), QStringLiteral("编辑"));
    m_pages->addTab(createSourceTab(), QStringLiteral("资源"));
    m_pages->addTab(createPreviewTab(), QStringLiteral("预览"));
    m_pages->addTab(createTopicOptionsTab(), QStringLiteral("主题选项"));
    layout->addWidget(m_pages, 1);

    // Hidden until a page needs a word with the author ("Read-only file!").
    m_messagePanel = new QLabel(panel);
    m_messagePanel->setAutoFillBackground(true);
    QPalette palette = m_messagePanel->palette();
    palette.setColor(QPalette::Window, QColor(255, 255, 225));
    m_messagePanel->setPalette(palette);
    m_messagePanel->setMargin(4);
    m_messagePanel->hide();
    layout->addWidget(m_messagePanel);
    return panel;
}

QWidget* TfrmMain::createEditTab()
{
    using Id = TCommandId;
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto makeControl = [this](QToolBar* bar, const EditorControl& control) {
        if (control.Type == EditorControl::List) {
            auto* list = new QComboBox(bar);
            list->setProperty("tag", control.Tag);
            list->setToolTip(QString::fromUtf16(control.Hint));
            if (control.Tag == 5044) {
                list->setEditable(true);
                list->setMinimumContentsLength(14);
            } else if (control.Tag == 5045) {
                for (int size = 1; size <= 7; ++size)
                    list->addItem(QString::number(size));
                list->setEditable(true);
                list->setMinimumContentsLength(2);
            } else {
                list->setMinimumContentsLength(12);
            }
            m_editLists.append(list);
            bar->addWidget(list);
            return;
        }
        auto* action = new QAction(AppImages::ToolIcon(QString::fromLatin1(control.Icon)), QString::fromUtf16(control.Hint), bar);
        action->setProperty("tag", control.Tag);
        action->setCheckable(control.Type == EditorControl::Check);
        auto* button = new QToolButton(bar);
        button->setDefaultAction(action);
        button->setAutoRaise(true);
        button->setToolTipDuration(3000);
        button->setProperty("tag", control.Tag);
        if (control.Type == EditorControl::DropDown) {
            button->setMenu(new QMenu(button));
            button->setPopupMode(QToolButton::MenuButtonPopup);
        }
        bar->addWidget(button);
    };

    auto* first = new QToolBar(page);
    first->setIconSize(QSize(16, 16));
    first->addAction(Action(Id::SavePage));
    for (const EditorControl& control : FirstEditBar)
        makeControl(first, control);
    // The spell checker's drop-down.
    auto* spelling = new QToolButton(first);
    spelling->setIcon(AppImages::ToolIcon(QStringLiteral("spelling")));
    spelling->setToolTip(QStringLiteral("拼写检查"));
    spelling->setAutoRaise(true);
    spelling->setPopupMode(QToolButton::InstantPopup);
    auto* spellingMenu = new QMenu(spelling);
    for (Id id : {Id::CheckDocument, Id::CheckSelection, Id::CheckFromCursor})
        spellingMenu->addAction(Action(id));
    spellingMenu->addSeparator();
    spellingMenu->addAction(Action(Id::SpellingOptions));
    spelling->setMenu(spellingMenu);
    first->addWidget(spelling);

    auto* second = new QToolBar(page);
    second->setIconSize(QSize(16, 16));
    for (const EditorControl& control : SecondEditBar)
        makeControl(second, control);
    m_editBars = {first, second};

    m_editStack = new QStackedWidget(page);
    m_editor = new TWebEngineDHTMLEdit(m_editStack);
    m_editor->setProperty("tag", 4000);
    m_editStack->addWidget(m_editor);
    m_editStack->addWidget(blankPanel(m_editStack));

    layout->addWidget(first);
    layout->addWidget(second);
    layout->addWidget(m_editStack, 1);
    return page;
}

QWidget* TfrmMain::createSourceTab()
{
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    QToolBar* bar = tabToolBar(page, layout);
    bar->addAction(Action(TCommandId::SaveSource));
    m_sourceStack = new QStackedWidget(page);
    m_source = new QPlainTextEdit(m_sourceStack);
    m_source->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_sourceStack->addWidget(m_source);
    m_sourceStack->addWidget(blankPanel(m_sourceStack));
    layout->addWidget(bar);
    layout->addWidget(m_sourceStack, 1);
    return page;
}

QWidget* TfrmMain::createPreviewTab()
{
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    QToolBar* bar = tabToolBar(page, layout);
    bar->addAction(Action(TCommandId::PreviousTopic));
    bar->addAction(Action(TCommandId::NextTopic));
    m_previewStack = new QStackedWidget(page);
    m_preview = new QWebEngineView(m_previewStack);
    m_preview->setPage(new TEditorPage(m_preview));
    m_previewStack->addWidget(m_preview);
    m_previewStack->addWidget(blankPanel(m_previewStack));
    layout->addWidget(bar);
    layout->addWidget(m_previewStack, 1);
    return page;
}

QWidget* TfrmMain::createTopicOptionsTab()
{
    m_topicOptions = new QWidget(this);
    auto* layout = new QVBoxLayout(m_topicOptions);
    layout->addWidget(new QLabel(QStringLiteral("关键字: (列出要创建索引的关键字)"), m_topicOptions));
    m_keywords = new QPlainTextEdit(m_topicOptions);
    layout->addWidget(m_keywords, 1);
    auto* form = new QFormLayout;
    m_contextNumber = new QLineEdit(m_topicOptions);
    m_contextNumber->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), m_contextNumber));
    m_contextNumber->setMaximumWidth(160);
    form->addRow(QStringLiteral("关联 ID (仅数字):"), m_contextNumber);
    layout->addLayout(form);
    m_noTemplate = new QCheckBox(QStringLiteral("不将模板应用于此页面"), m_topicOptions);
    layout->addWidget(m_noTemplate);
    return m_topicOptions;
}

void TfrmMain::createStatusBar()
{
    m_hintPanel = new QLabel(this);
    m_secondPanel = new QLabel(this);
    m_secondPanel->setFixedWidth(SecondPanelWidth);
    statusBar()->addWidget(m_hintPanel, 1);
    statusBar()->addPermanentWidget(m_secondPanel);
}

// ---- window state and recent projects -------------------------------------

void TfrmMain::loadWindowState()
{
    TWindowState designed;
    designed.Left = x();
    designed.Top = y();
    designed.Width = DesignedWidth;
    designed.Height = DesignedHeight;
    designed.NavWidth = DesignedNavWidth;
    designed.ShowBorders = m_editor->ShowBorders();
    designed.ShowDetails = m_editor->ShowDetails();
    const TWindowState state = TWindowState::Load(settings(), designed);

    QRect bounds(state.Left, state.Top, state.Width, state.Height);
    // A position from another screen layout would hide the window.
    const QScreen* screen = QGuiApplication::screenAt(bounds.center());
    if (screen == nullptr && QGuiApplication::primaryScreen() != nullptr)
        bounds.moveCenter(QGuiApplication::primaryScreen()->availableGeometry().center());
    setGeometry(bounds);
    m_splitter->setSizes({std::max(1, state.NavWidth), std::max(1, state.Width - state.NavWidth)});
    if (state.Maximized)
        setWindowState(windowState() | Qt::WindowMaximized);
    m_editor->SetShowBorders(state.ShowBorders);
    m_editor->SetShowDetails(state.ShowDetails);
}

void TfrmMain::saveWindowState()
{
    const QRect normal = isMaximized() || isFullScreen() ? normalGeometry() : geometry();
    TWindowState state;
    state.Left = normal.x();
    state.Top = normal.y();
    state.Width = normal.width();
    state.Height = normal.height();
    state.Maximized = isMaximized();
    state.ShowBorders = m_editor->ShowBorders();
    state.ShowDetails = m_editor->ShowDetails();
    state.NavWidth = m_splitter->sizes().value(0);
    state.Save(settings());
    settings().sync();
}

void TfrmMain::loadRecentProjects()
{
    m_recentMenu->clear();
    m_openDropDown->clear();
    for (const QString& file : TRecentProjects(settings()).Entries()) {
        const QString caption = PathToDocumentsPlaceholder(file);
        for (QMenu* menu : {m_recentMenu, m_openDropDown}) {
            QAction* entry = menu->addAction(caption);
            connect(entry, &QAction::triggered, this,
                    [this, caption] { OpenProjectFile(DocumentsPlaceholderToPath(caption)); });
        }
    }
}

void TfrmMain::addRecentProject(const QString& projectFile)
{
    TRecentProjects(settings()).Add(projectFile);
    settings().sync();
    loadRecentProjects();
}

// ---- start-up ---------------------------------------------------------------

void TfrmMain::Start()
{
    if (!m_commandLineProject.isEmpty()) {
        // 15: the project of the command line; no start dialog.
        setProjectState(true);
        resetPageState();
        Qrx.Clear();
        try {
            Qrx.ReadFromIni(m_commandLineProject);
        } catch (const EQuorixError& error) {
            ShowErrorMessage(error.message());
        }
        updateCaption();
        show();
        return;
    }
    // 16: the window and the start dialog.
    show();
    QTimer::singleShot(0, this, &TfrmMain::showStartDialog);
}

void TfrmMain::showStartDialog()
{
    QStringList recent;
    for (const QAction* entry : m_recentMenu->actions())
        recent.append(entry->text());
    if (recent.isEmpty())
        recent.append(PathToDocumentsPlaceholder(TRecentProjects::SampleProject()));
    const bool canCreate = CommandTable::Get(TCommandId::NewBlankProject).Wired;
    m_startDialog = new TfrmStart(recent, canCreate, this);
    m_startDialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_startDialog, &QDialog::finished, this, &TfrmMain::startDialogFinished);
    m_startDialog->open();
}

void TfrmMain::startDialogFinished(int result)
{
    auto* dialog = qobject_cast<TfrmStart*>(sender());
    if (dialog == nullptr || result != QDialog::Accepted)
        return; // Cancel: the window stays without a project
    switch (dialog->choice()) {
    case TfrmStart::CreateProject:
        newProject(dialog->projectKind(), QString(), true);
        break;
    case TfrmStart::OpenProject:
        OpenWithDialog();
        break;
    case TfrmStart::OpenRecent:
        if (!dialog->recentEntry().isEmpty())
            OpenProjectFile(DocumentsPlaceholderToPath(dialog->recentEntry()));
        break;
    }
}

void TfrmMain::runCommandLineBuild()
{
    emit CommandLineBuildRequested(m_buildSwitch);
    QTextStream err(stderr);
    const int outputs = BuildSwitchOutputs(m_buildSwitch);
    if (outputs == 0 || !m_hasProject) {
        // Nothing to build: the window stays open and says why.
        if (outputs == 0)
            err << "quorix: \"" << m_buildSwitch
                << "\" is not a build switch: \"/\" and up to three of h, w, d, p, s. Nothing was built.\n";
        else
            err << "quorix: no project to build: name a project file before the build switch.\n";
        m_exitStatus = 2;
        return;
    }
    Qrx.ViewCompiledFile = false;
    m_exitStatus = buildOutputs(outputs, true) ? 0 : 1;
    QTimer::singleShot(1000, this, [this] {
        m_buildOutput->close();
        close();
    });
}

// ---- commands ---------------------------------------------------------------

void TfrmMain::dispatchProject(int tag)
{
    switch (tag) {
    case 1:
        newProject(0, QString(), true);
        break;
    case 2:
        OpenWithDialog();
        break;
    case 3:
        Save();
        break;
    case 4:
        SaveAs();
        break;
    case 5:
        ProjectClose();
        break;
    case 6:
        newProject(1, QString(), true);
        break;
    case 7:
        newProject(2, QString(), true);
        break;
    default:
        break; // any other Tag does nothing
    }
}

void TfrmMain::dispatchWindow(int tag)
{
    switch (tag) {
    case CmdImportToc:
        ImportToc();
        break;
    case CmdExit:
        close();
        break;
    case CmdBrowseProjectFolder: {
        QString folder = Qrx.RootDir;
        while (folder.size() > 1 && (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\'))))
            folder.chop(1);
        if (folder.isEmpty() || IsWindowsAbsolutePath(folder) || !QFileInfo(folder).isDir()) {
            ShowErrorMessage(QStringLiteral("The project folder \"%1\" doesn't exist!").arg(folder));
            return;
        }
        openWithDesktop(folder);
        break;
    }
    case CmdHowToUse:
    case CmdHelpFile: {
        const QString helpFile = ProgramDataFolder() + QStringLiteral("/quorix.chm");
        if (!QFileInfo(helpFile).isFile()) {
            ShowErrorMessage(helpFile + QStringLiteral(" doesn't exist!"));
            return;
        }
        openWithDesktop(helpFile);
        break;
    }
    case CmdAbout: {
        const QString product = ProductInfo::Name() + QLatin1Char(' ') + ProductInfo::Version();
        QMessageBox::about(this, QStringLiteral("关于 ") + product, product);
        break;
    }
    default:
        break;
    }
}

void TfrmMain::dispatchViewOutput(int tag)
{
    const std::optional<TOutputView> view = OutputView(Qrx, tag);
    if (!view)
        return;
    if (IsWindowsAbsolutePath(view->TestedFile)) {
        ShowErrorMessage(QStringLiteral("The output path \"%1\" names a Windows drive; choose a folder on this "
                                        "computer in the project settings.")
                             .arg(view->TestedFile));
        return;
    }
    if (!QFileInfo::exists(view->TestedFile)) {
        if (ask(OutputMissingQuestion(*view), QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes)
            runBuild(view->BuildTag);
        return;
    }
    openWithDesktop(view->Target);
}

void TfrmMain::dispatchHistory(int tag)
{
    // The editor's own history answers these keys once it exists; the
    // browser's undo never runs.
    Q_UNUSED(tag);
}

void TfrmMain::runBuild(int tag)
{
    if (tag < 0 || tag > 5 || !m_hasProject || !topicPageSaved())
        return;
    TfrmBuild dialog(Qrx, TBuildDialogModel::PageOfTag(tag), this);
    if (ExecDialog(dialog) != QDialog::Accepted)
        return;
    TBuildDialogModel::StoreInProject(dialog.Values(), Qrx);
    buildOutputs(TBuildDialogModel::OutputOfPage(dialog.ActivePage()), false);
}

bool TfrmMain::topicPageSaved()
{
    if (!IsDirty)
        return true;
    updateTopicBar();
    const TopicNode* topic = Qrx.Tree().selected();
    const QString title = topic != nullptr ? topic->text() : m_titleField->text();
    switch (ask(QStringLiteral("The topic \"") + title + QStringLiteral("\" has been changed, save it?"),
                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        // The page's own save command; a page it could not save stays dirty.
        return m_dispatcher.Dispatch(TCommandId::SavePage) && !IsDirty;
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

bool TfrmMain::buildOutputs(int outputs, bool commandLine)
{
    m_buildOutput->Clear();
    m_buildOutput->show();
    m_buildOutput->raise();
    const auto error = [this, commandLine](const QString& message) {
        if (commandLine) {
            QTextStream(stderr) << "quorix: " << message << "\n";
            m_buildOutput->AppendOutputLine(message);
        } else {
            ShowMessage(QMessageBox::Critical, message, QMessageBox::Ok);
        }
    };
    TBuildRunner runner(Qrx, m_compilerLines, [this](const QString& line) { m_buildOutput->AppendOutputLine(line); }, error);
    runner.Compiler = Compiler;
    runner.OnCompilerLine = [this](const QString& line) { m_hintPanel->setText(line); };
    runner.OnShowResult = [this](const QString& file) { openWithDesktop(file); };
    runner.OnRetryDelete = [this, commandLine](const QString& message) {
        if (commandLine) {
            QTextStream(stderr) << "quorix: " << message << "\n";
            return false; // nobody to answer: abort
        }
        return ShowMessage(QMessageBox::Warning, message, QMessageBox::Abort | QMessageBox::Retry)
            == QMessageBox::Retry;
    };
    return runner.Run(outputs);
}

void TfrmMain::openWithDesktop(const QString& path)
{
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        ShowErrorMessage(QStringLiteral("Cannot open \"%1\".").arg(path));
}

QMessageBox::StandardButton TfrmMain::ask(const QString& text, QMessageBox::StandardButtons buttons)
{
    return Ask ? Ask(text, buttons) : QMessageBox::Cancel;
}

// ---- the topic tree ---------------------------------------------------------

namespace {

// Why a topic cannot be the default topic or a template in use; empty when it can.
QString unlinkedTopicRefusal(const TopicNode& topic)
{
    if (topic.entry().Status == StatusUnsaved)
        return QStringLiteral("Cannot set an unsaved topic as default.");
    if (topic.entry().Status == StatusNoLink)
        return QStringLiteral("Cannot set a no-link topic as default.");
    return {};
}

// What the URL field shows for a topic.
QString urlFieldText(const TopicNode& topic)
{
    switch (topic.entry().Status) {
    case StatusUnsaved:
        return QStringLiteral("(unsaved)");
    case StatusNoLink:
        return QStringLiteral("(no-link)");
    default:
        return topic.entry().Url;
    }
}

} // namespace

TopicNode* TfrmMain::focusedTopic() const
{
    TopicNode* node = Qrx.Tree().selected();
    return node != nullptr && !node->isRoot() ? node : nullptr;
}

void TfrmMain::createTreePopup()
{
    using Id = TCommandId;
    m_treePopup = new QMenu(this);
    for (Id id : {Id::AddBefore, Id::AddAfter, Id::AddChild, Id::AddEnd, Id::AddToToc, Id::AddPage, Id::AddTemplate})
        m_treePopup->addAction(Action(id));
    m_treePopup->addSeparator();
    m_treePopup->addAction(Action(Id::DeleteTopic));
    m_treePopup->addAction(Action(Id::RenameTopic));
    m_treePopup->addSeparator();
    m_treePopup->addAction(Action(Id::CollapseBelow));
    m_treePopup->addAction(Action(Id::ExpandBelow));
    QMenu* sort = m_treePopup->addMenu(QStringLiteral("排序"));
    sort->addAction(Action(Id::SortAllLevels));
    sort->addAction(Action(Id::SortOneLevel));
    m_treePopup->addSeparator();
    for (Id id : {Id::SetDefaultTopic, Id::UseThisTemplate, Id::UseNoTemplate})
        m_treePopup->addAction(Action(id));
}

void TfrmMain::showTreePopup(const QPoint& globalPos)
{
    using Id = TCommandId;
    const TTreePopupState state = TreePopupFor(Qrx.Tree().selected());
    for (Id id : {Id::AddBefore, Id::AddAfter, Id::AddChild, Id::AddEnd})
        Action(id)->setVisible(state.AddAround);
    Action(Id::AddToToc)->setVisible(state.AddToToc);
    Action(Id::AddPage)->setVisible(state.AddPage);
    Action(Id::AddTemplate)->setVisible(state.AddTemplate);
    Action(Id::DeleteTopic)->setEnabled(state.DeleteEnabled);
    Action(Id::RenameTopic)->setEnabled(state.RenameEnabled);
    Action(Id::SetDefaultTopic)->setVisible(state.SetDefaultTopic);
    Action(Id::UseThisTemplate)->setVisible(state.UseThisTemplate);
    Action(Id::UseNoTemplate)->setVisible(state.UseNoTemplate);
    m_treePopup->popup(globalPos);
}

void TfrmMain::dispatchTree(int tag)
{
    using namespace TopicTreeCommands;
    TopicTree& tree = Qrx.Tree();
    TopicNode* focused = tree.selected();
    switch (tag) {
    case CmdExpandAll:
        expandOrCollapseAll(true);
        break;
    case CmdCollapseAll:
        expandOrCollapseAll(false);
        break;
    case CmdDeleteSelection:
        if (!MoveSet(tree).isEmpty()
            && ShowMessage(QMessageBox::Information, DeleteQuestion, QMessageBox::Yes | QMessageBox::No)
                == QMessageBox::Yes)
            DeleteSelection(Qrx);
        break;
    case CmdMoveUp:
        MoveUp(Qrx);
        break;
    case CmdMoveDown:
        MoveDown(Qrx);
        break;
    case CmdMoveLeft:
        MoveLeft(Qrx);
        break;
    case CmdMoveRight:
        MoveRight(Qrx);
        break;
    case CmdMoveRightAddHeading:
        MoveRightAndAddHeading(Qrx);
        break;
    case CmdRenameTopic:
        m_tree->editTitle(focused);
        break;
    case CmdCollapseBelow:
    case CmdExpandBelow:
        SetExpandedBelow(tree, focused, tag == CmdExpandBelow);
        break;
    case CmdSortAllLevels:
    case CmdSortOneLevel:
        SortChildren(Qrx, focused, tag == CmdSortAllLevels);
        break;
    case CmdSetDefaultTopic:
        if (focused != nullptr && !focused->isRoot()) {
            const QString refusal = SetDefaultTopic(Qrx, focused);
            if (!refusal.isEmpty())
                ShowMessage(QMessageBox::Information, refusal, QMessageBox::Ok);
        }
        break;
    case CmdUseThisTemplate:
        if (focused != nullptr && !focused->isRoot()) {
            const QString refusal = unlinkedTopicRefusal(*focused);
            if (!refusal.isEmpty()) {
                ShowMessage(QMessageBox::Information, refusal, QMessageBox::Ok);
                break;
            }
            TfrmApplyTemplate dialog(Qrx, *focused, this);
            ExecDialog(dialog);
        }
        break;
    case CmdUseNoTemplate:
        UseNoTemplate(Qrx);
        break;
    default:
        break;
    }
    m_tree->viewport()->update();
}

void TfrmMain::expandOrCollapseAll(bool expanded)
{
    TopicTree& tree = Qrx.Tree();
    const QList<TopicNode*> selection = tree.selection();
    m_tree->setUpdatesEnabled(false);
    TopicTreeCommands::SetAllExpanded(tree, expanded);
    m_tree->setUpdatesEnabled(true);
    if (selection.isEmpty())
        return;
    if (expanded)
        m_tree->scrollTo(tree.indexOf(selection.front()));
    else
        tree.setSelection(selection); // the focused node stays focused
}

void TfrmMain::dispatchAddTopic(int tag)
{
    TopicNode* focused = Qrx.Tree().selected();
    const QString programFolder = ProgramDataFolder();
    TfrmAddTopic dialog(tag, focused, programFolder, this);
    if (ExecDialog(dialog) != QDialog::Accepted)
        return;
    TAddTopic::TPrompts prompts;
    prompts.ChooseFiles = [this](const QString& caption, const QString& filter, const QString& folder) {
        return ChooseFiles(caption, filter, folder, true);
    };
    prompts.AskText = AskText;
    prompts.ShowError = [](const QString& message) { ShowErrorMessage(message); };
    prompts.AskYes = [this](const QString& question) {
        return ShowMessage(QMessageBox::Information, question, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    };
    const TAddTopic::TResult result = dialog.choices().Apply(Qrx, focused, dialog.catalogue(), programFolder, prompts);
    if (result.EditTitle)
        m_tree->editTitle(result.Added.front());
}

void TfrmMain::dispatchTopicBar(int tag)
{
    TopicNode* topic = focusedTopic();
    if (topic == nullptr)
        return;
    const auto askYes = [this](QMessageBox::Icon icon) {
        return [this, icon](const QString& question) {
            return ShowMessage(icon, question, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
        };
    };
    switch (tag) {
    case CmdLinkBlankPage:
        if (LinkToBlankPage(Qrx, *topic, askYes(QMessageBox::Information)))
            CurrentStatus = StatusUnsaved;
        break;
    case CmdNoLink:
        if (MakeNoLink(Qrx, *topic, askYes(QMessageBox::Information)))
            CurrentStatus = StatusNoLink;
        break;
    case CmdLinkExistingPage: {
        const QString file = ChooseFiles(QStringLiteral("打开"), PageFilter, Qrx.RootDir, false).value(0);
        if (LinkToExistingPage(Qrx, *topic, file, askYes(QMessageBox::Warning)))
            CurrentStatus = StatusLinked;
        break;
    }
    default:
        return;
    }
    m_urlField->setText(urlFieldText(*topic));
}

void TfrmMain::chooseIcon(int icon)
{
    if (m_tree->hasFocus() || icon < 0)
        return;
    SetSelectedIcons(Qrx, icon);
}

void TfrmMain::titleEditedInTree(TopicNode* node)
{
    if (node == Qrx.Tree().selected())
        m_titleField->setText(node->text());
    Qrx.ProjectChanged = true;
}

void TfrmMain::setTopicLabelsGrey(bool grey)
{
    const QColor colour = palette().color(grey ? QPalette::Disabled : QPalette::Active, QPalette::WindowText);
    for (QLabel* label : {m_titleLabel, m_urlLabel}) {
        QPalette labelPalette = label->palette();
        labelPalette.setColor(QPalette::WindowText, colour);
        label->setPalette(labelPalette);
    }
}

bool TfrmMain::TopicLabelsGrey() const
{
    return m_titleLabel->palette().color(QPalette::WindowText)
        == palette().color(QPalette::Disabled, QPalette::WindowText);
}

void TfrmMain::updateTopicBar()
{
    using Id = TCommandId;
    const TTopicBarState state = TopicBarFor(Qrx.Tree());
    const bool project = m_hasProject;
    for (Id id : {Id::DeleteSelection, Id::MoveUp, Id::MoveDown, Id::MoveLeft, Id::MoveRight, Id::MoveRightAddHeading})
        Action(id)->setEnabled(project && state.TreeButtonsEnabled);
    setTopicLabelsGrey(!(project && state.LabelsNormal));
    if (state.ClearFields) {
        m_titleField->clear();
        m_urlField->clear();
    }
    if (const TopicNode* topic = focusedTopic(); state.FillFields && topic != nullptr) {
        m_titleField->setText(topic->text());
        m_urlField->setText(urlFieldText(*topic));
    }
    m_titleField->setEnabled(project && state.FieldsEnabled);
    m_urlField->setEnabled(project && state.FieldsEnabled);
    for (Id id : {Id::LinkBlankPage, Id::LinkExistingPage, Id::NoLink})
        Action(id)->setEnabled(project && state.LinkButtonsEnabled);
    m_iconPicker->setEnabled(project && state.IconPickerEnabled);
    m_iconPicker->setCurrentIndex(state.IconPickerIndex);
    for (Id id : {Id::PreviousTopic, Id::NextTopic})
        Action(id)->setEnabled(project && CommandTable::Get(id).Wired && state.PreviousNextEnabled);
    if (state.DisableViews)
        setViewsEnabled(false);
}

// ---- project operations -----------------------------------------------------

bool TfrmMain::leavingQuestions()
{
    // A dirty topic page is asked about first once pages can be edited.
    if (Qrx.ProjectChanged) {
        switch (ask(ProjectChangedQuestion, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
        case QMessageBox::Yes:
            return Save();
        case QMessageBox::No:
            return true;
        default:
            return false;
        }
    }
    return true;
}

void TfrmMain::resetPageState()
{
    IsDirty = false;
    SourceDirty = false;
    CurrentStatus = StatusLinked;
    CurrentURL.clear();
    CurrentIndex = -1;
    CurrentModifiedTime = NoTimeKnown;
}

bool TfrmMain::newProject(int kind, const QString& file, bool ask)
{
    Q_UNUSED(ask);
    const TCommandId commands[] = {TCommandId::NewBlankProject, TCommandId::NewFromHtml, TCommandId::NewFromChm,
                                   TCommandId::NewFromChm};
    if (kind < 0 || kind > 3 || !CommandTable::Get(commands[kind]).Wired) {
        QMessageBox::information(this, QStringLiteral("Quorix"),
                                 file.isEmpty() ? QStringLiteral("This version cannot create projects yet.")
                                                : QStringLiteral("This version cannot import \"%1\" yet.").arg(file));
        return false;
    }
    return false;
}

bool TfrmMain::OpenWithDialog()
{
    if (!leavingQuestions())
        return false;
    QFileDialog dialog(this, QStringLiteral("打开"));
    dialog.setNameFilter(QtFileFilter(OpenFilter));
    dialog.setDefaultSuffix(QStringLiteral("qrx"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    const QString file = dialog.selectedFiles().front();

    setProjectState(true);
    if (!Qrx.IsNew)
        addRecentProject(Qrx.ProjectFilename);
    const QString extension = QFileInfo(file).suffix().toLower();
    if (extension == QLatin1String("qrx")) {
        resetPageState();
        Qrx.Clear();
        try {
            Qrx.ReadFromIni(file);
        } catch (const EQuorixError& error) {
            ShowErrorMessage(error.message());
        }
        updateCaption();
        return true;
    }
    if (extension == QLatin1String("chm"))
        newProject(2, file, false);
    else if (extension == QLatin1String("hhp"))
        newProject(3, file, false);
    else
        ShowErrorMessage(QStringLiteral("Quorix cannot open \"%1\": choose a project (.qrx), a compiled help file "
                                        "(.chm) or an HTML Help project (.hhp).")
                             .arg(file));
    return false;
}

bool TfrmMain::OpenProjectFile(const QString& path)
{
    if (!QFileInfo(path).isFile()) {
        ShowErrorMessage(path + QStringLiteral(" doesn't exist!"));
        return false;
    }
    if (!leavingQuestions())
        return false;
    setProjectState(true);
    if (!Qrx.IsNew)
        addRecentProject(Qrx.ProjectFilename);
    resetPageState();
    Qrx.Clear();
    bool read = true;
    try {
        Qrx.ReadFromIni(path);
    } catch (const EQuorixError& error) {
        ShowErrorMessage(error.message());
        read = false;
    }
    updateCaption();
    return read;
}

bool TfrmMain::Save()
{
    if (Qrx.IsNew)
        return SaveAs();
    addRecentProject(Qrx.ProjectFilename);
    try {
        Qrx.Save();
    } catch (const EQuorixError& error) {
        // Said rather than swallowed: the author must know the project is not saved.
        ShowErrorMessage(error.message());
        return false;
    }
    return true;
}

bool TfrmMain::SaveAs()
{
    QString folder;
    QString name;
    if (Qrx.IsNew) {
        folder = Qrx.RootDir;
        name = Qrx.Title.isEmpty() ? Qrx.ProjectFilename
                                   : SafeFileName(Qrx.Title, QStringLiteral("project")) + QStringLiteral(".qrx");
    } else {
        const QFileInfo current(Qrx.ProjectFilename);
        folder = current.path();
        name = QStringLiteral("copy of ") + current.fileName();
    }
    QFileDialog dialog(this, QStringLiteral("项目另存为"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QtFileFilter(ProjectFilter));
    dialog.setDefaultSuffix(QStringLiteral("qrx"));
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        dialog.setDirectory(folder);
    dialog.selectFile(name);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    const QString file = dialog.selectedFiles().front();

    if (Qrx.IsNew && Qrx.CompiledFile == QLatin1String("unnamed.chm")) {
        Qrx.CompiledFile = Qrx.Title.isEmpty() ? QFileInfo(file).completeBaseName() + QStringLiteral(".chm")
                                               : SafeFileName(Qrx.Title, QStringLiteral("help")) + QStringLiteral(".chm");
    }
    const QString previousName = Qrx.ProjectFilename;
    const bool wasNew = Qrx.IsNew;
    Qrx.ProjectFilename = file;
    try {
        Qrx.SaveToIni(file);
    } catch (const EQuorixError& error) {
        Qrx.ProjectFilename = previousName;
        Qrx.IsNew = wasNew;
        ShowErrorMessage(error.message());
        return false;
    }
    Qrx.IsNew = false;
    updateCaption();
    return true;
}

bool TfrmMain::ProjectClose()
{
    if (Qrx.ProjectChanged) {
        switch (ask(ProjectChangedQuestion, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
        case QMessageBox::Yes:
            if (!Save())
                return false;
            break;
        case QMessageBox::No:
            break;
        default:
            return false;
        }
    }
    if (!Qrx.IsNew)
        addRecentProject(Qrx.ProjectFilename);
    m_iconPicker->setCurrentIndex(-1);
    m_titleField->clear();
    m_urlField->clear();
    resetPageState();
    Qrx.Clear();
    setProjectState(false);
    updateCaption();
    return true;
}

void TfrmMain::ImportToc()
{
    QFileDialog dialog(this, QStringLiteral("选择 Quorix 项目文件"));
    dialog.setNameFilter(QtFileFilter(ProjectFilter));
    dialog.setDefaultSuffix(QStringLiteral("qrx"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    try {
        Qrx.ImportTocFromAnotherIni(dialog.selectedFiles().front());
    } catch (const EQuorixError& error) {
        ShowErrorMessage(error.message());
    }
}

// ---- states -----------------------------------------------------------------

void TfrmMain::updateCaption()
{
    setWindowTitle(m_hasProject ? ProductInfo::Caption(Qrx.ProjectFilename) : ProductInfo::Caption());
}

void TfrmMain::setProjectState(bool hasProject)
{
    m_hasProject = hasProject;
    setTopicLabelsGrey(!hasProject);
    m_topicBar->setEnabled(hasProject);
    m_treeBar->setEnabled(hasProject);
    m_tree->setEnabled(hasProject);
    m_treeStack->setCurrentIndex(hasProject ? 0 : 1);
    m_buildMenu->setEnabled(hasProject && CommandTable::Get(TCommandId::BuildChm).Wired);
    m_viewMenu->setEnabled(hasProject);
    if (QWidget* viewButton = m_fileBar->findChild<QWidget*>(QStringLiteral("viewButton")))
        viewButton->setEnabled(hasProject);
    setViewsEnabled(false);
    updateCommandStates();
}

void TfrmMain::setViewsEnabled(bool enabled)
{
    m_viewsEnabled = enabled;
    for (QStackedWidget* stack : {m_editStack, m_sourceStack, m_previewStack})
        stack->setCurrentIndex(enabled ? 0 : 1);
    m_editor->setEnabled(enabled);
    for (QToolBar* bar : std::as_const(m_editBars))
        bar->setEnabled(enabled);
    for (QComboBox* list : std::as_const(m_editLists)) {
        QPalette listPalette = list->palette();
        listPalette.setColor(QPalette::Base, palette().color(enabled ? QPalette::Base : QPalette::Button));
        list->setPalette(listPalette);
    }
}

void TfrmMain::updateCommandStates()
{
    for (const TCommand& command : CommandTable::All()) {
        QAction* action = Action(command.Id);
        if (action == nullptr)
            continue;
        action->setEnabled(command.Wired && (!command.NeedsProject || m_hasProject));
    }
    m_saveToolAction->setEnabled(m_hasProject && Qrx.ProjectChanged);
    updateTopicBar();
}

QString TfrmMain::StatusHint() const
{
    return m_hintPanel->text();
}

void TfrmMain::UpdateIdle()
{
    // 1: the "保存" button only while the project has changes.
    m_saveToolAction->setEnabled(m_hasProject && Qrx.ProjectChanged);

    // 3: the hint for the control that has the focus.
    QString hint;
    const QWidget* focus = QApplication::focusWidget();
    if (m_tree->isDragging())
        hint = m_hintPanel->text(); // the drag's mode stays until it ends
    else if (focus != nullptr && (focus == m_tree || m_tree->isAncestorOf(focus)))
        hint = TreeHint;
    else if (focus != nullptr && m_viewsEnabled && m_editor->isEnabled() && !m_editor->Busy()
             && (focus == m_editor || m_editor->isAncestorOf(focus)))
        hint = EditorHint;
    if (m_idleHint != hint) {
        m_idleHint = hint;
        m_hintPanel->setText(hint);
    }

    // 4: the link buttons follow what the URL field shows.
    if (m_urlField->isEnabled()) {
        Action(TCommandId::LinkBlankPage)->setEnabled(CommandTable::Get(TCommandId::LinkBlankPage).Wired
                                                      && m_urlField->text() != QLatin1String("(unsaved)"));
        Action(TCommandId::NoLink)->setEnabled(CommandTable::Get(TCommandId::NoLink).Wired
                                               && m_urlField->text() != QLatin1String("(no-link)"));
    }

    // 5: the topic options belong to pages inside the project folder.
    const QString url = m_urlField->text();
    const bool pageInFolder = m_hasProject && CurrentStatus == StatusLinked && !url.isEmpty()
        && !url.contains(QLatin1Char(':'));
    const bool topicFieldsWired = CommandTable::Get(TCommandId::SavePage).Wired;
    for (QWidget* field : {static_cast<QWidget*>(m_keywords), static_cast<QWidget*>(m_contextNumber),
                           static_cast<QWidget*>(m_noTemplate)})
        field->setEnabled(pageInFolder && topicFieldsWired);

    // 6: tree commands on topics, not on roots.
    if (const TopicNode* node = Qrx.Tree().selected()) {
        const bool topic = m_hasProject && !node->isRoot();
        for (TCommandId id : {TCommandId::DeleteSelection, TCommandId::MoveUp, TCommandId::MoveDown,
                              TCommandId::MoveLeft, TCommandId::MoveRight, TCommandId::MoveRightAddHeading})
            Action(id)->setEnabled(topic && CommandTable::Get(id).Wired);
    }
}

// ---- events -----------------------------------------------------------------

void TfrmMain::closeEvent(QCloseEvent* event)
{
    if (!ProjectClose()) {
        event->ignore();
        return;
    }
    saveWindowState();
    m_idleTimer.stop();
    event->accept();
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride && isWindowKey(static_cast<QKeyEvent*>(event))) {
        // No control of this window claims these keys for itself (a text
        // field's own undo, the browser's): the window's commands take them.
        const auto* widget = qobject_cast<const QWidget*>(watched);
        if (widget != nullptr && widget->window() == this)
            return true;
    }
    if (watched == m_topicBar && event->type() == QEvent::Resize)
        layoutTopicBar();
    return QMainWindow::eventFilter(watched, event);
}
