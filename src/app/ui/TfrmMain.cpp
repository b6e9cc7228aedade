#include "TfrmMain.h"

#include "BuildSwitches.h"
#include "IDHTMLEdit.h"
#include "IdleRules.h"
#include "MainWindowGeometry.h"
#include "NewProjectWiring.h"
#include "OutputViews.h"
#include "PlatformFactory.h"
#include "Paths.h"
#include "ProductInfo.h"
#include "TBuildDialogModel.h"
#include "TBuildRunner.h"
#include "TDHTMLEditOperation.h"
#include "TDialogPrompts.h"
#include "TEditorToolBars.h"
#include "TMainActions.h"
#include "TPagePanel.h"
#include "TTopicPageSession.h"
#include "TRecentProjects.h"
#include "TTopicPanel.h"
#include "TTopicTreeView.h"
#include "TfrmBuild.h"
#include "TfrmBuildOutput.h"
#include "TfrmStart.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTextStream>
#include <QUrl>

namespace {

constexpr int SecondPanelWidth = 350;
constexpr int IdleIntervalMs = 150;
constexpr int StartupTickMs = 100;
constexpr int CommandLineCloseDelayMs = 1000;

// The keys the window handles for every control: the editor's history and
// saving the project.
bool isWindowKey(const QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    if (modifiers != Qt::ControlModifier)
        return false;
    return event->key() == Qt::Key_Z || event->key() == Qt::Key_Y || event->key() == Qt::Key_S;
}

} // namespace

TfrmMain::TfrmMain(const TCommandLine& commandLine, QSettings* settings, IUserPrompts* prompts, QWidget* parent)
    : QMainWindow(parent)
    , m_settings(settings)
    , m_prompts(prompts)
    , m_session(Qrx, prompts != nullptr ? *prompts : *(m_ownPrompts = std::make_unique<TDialogPrompts>(this)))
    , m_buildSwitch(commandLine.BuildSwitch)
    , m_commandLineProject(commandLine.ProjectFile)
{
    if (m_settings == nullptr) {
        m_ownSettings = std::make_unique<QSettings>(QStringLiteral("Brellan"), QStringLiteral("Quorix"));
        m_settings = m_ownSettings.get();
    }
    if (m_prompts == nullptr)
        m_prompts = m_ownPrompts.get();
    ExecDialog = [](QDialog& dialog) { return dialog.exec(); };

    // 1-3: the menus with the build and view menus, every output shown.
    m_actions = new TMainActions(*this, m_dispatcher);
    m_topics = new TTopicPanel(Qrx, *m_actions, *m_prompts, m_page, ExecDialog, this);
    addToolBarBreak();
    addToolBar(m_topics->TopicBar());

    // 4: the tree and its roots (the project's own), the panels around it.
    m_pages = new TPagePanel(*m_actions, Qrx, m_page, *m_prompts, this);
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->addWidget(m_topics);
    m_splitter->addWidget(m_pages);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setChildrenCollapsible(false);
    setCentralWidget(m_splitter);
    createStatusBar();
    TreeNodeHeight = TopicTreeView()->rowHeight();
    m_buildOutput = new TfrmBuildOutput(this);
    connect(m_topics, &TTopicPanel::hintChanged, m_hintPanel, &QLabel::setText);
    connect(m_topics, &TTopicPanel::viewsDisableRequested, this, [this] { m_pages->SetViewsEnabled(false); });
    connect(m_topics, &TTopicPanel::topicLinkChanged, m_pages, &TPagePanel::TopicLinkChanged);
    connect(m_pages, &TPagePanel::topicLinkShown, m_topics, &TTopicPanel::UpdateTopicBar);

    // 5-7: caption, page state, window state.
    updateCaption();
    resize(DesignedWidth, DesignedHeight);
    m_splitter->setSizes({DesignedNavWidth, DesignedWidth - DesignedNavWidth});
    m_page = TPageState();
    loadWindowState();

    // 8-11: the options and the recent projects.
    loadRecentProjects();
    wireDispatcher();
    wireSession();

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

void TfrmMain::wireDispatcher()
{
    m_dispatcher.SetHandler(TCommandFamily::Project, [this](int tag) { m_session.Dispatch(tag); });
    m_dispatcher.SetHandler(TCommandFamily::Window, [this](int tag) { dispatchWindow(tag); });
    m_dispatcher.SetHandler(TCommandFamily::ViewOutput, [this](int tag) { dispatchViewOutput(tag); });
    m_dispatcher.SetHandler(TCommandFamily::Build, [this](int tag) { runBuild(tag); });
    // Undo and redo from any control of the window: the editor's own
    // history; the browser's undo never runs.
    m_dispatcher.SetHandler(TCommandFamily::History, [this](int tag) {
        TDHTMLEditOperation& editor = m_pages->EditorToolBars().Operation();
        if (m_pages->ViewsEnabled())
            tag == CmdUndo ? editor.Undo() : editor.Redo();
    });
    m_dispatcher.SetHandler(TCommandFamily::Tree, [this](int tag) { m_topics->DispatchTree(tag); });
    m_dispatcher.SetHandler(TCommandFamily::AddTopic, [this](int tag) { m_topics->DispatchAddTopic(tag); });
    m_dispatcher.SetHandler(TCommandFamily::TopicBar, [this](int tag) { m_topics->DispatchTopicBar(tag); });
    m_dispatcher.SetHandler(TCommandFamily::Page, [this](int tag) { m_pages->DispatchPage(tag); });
}

void TfrmMain::wireSession()
{
    m_session.OnProjectState = [this](bool hasProject) {
        if (!hasProject)
            m_topics->ClearTopicBar();
        setProjectState(hasProject);
    };
    m_session.OnPageReset = [this] { m_page.Reset(); };
    m_session.OnCaptionChanged = [this] {
        updateCaption();
        // Web views may show the files of the open project, and only those.
        SetPlatformProjectFolder(HasProject() ? Qrx.RootDir : QString());
    };
    m_session.OnRecentProject = [this](const QString& file) { addRecentProject(file); };
    m_session.PageSaved = [this] { return topicPageSaved(); };
    m_session.SavePage = [this] { return m_pages->PageSavedIfDirty(); };
    m_session.FlushPage = [this] { m_pages->Session().RefreshDirty(); };
    WireNewProjectDialogs(m_session, *this, *m_prompts, ExecDialog);
}

IDHTMLEdit* TfrmMain::Editor() const { return m_pages->Editor(); }
TTopicTreeView* TfrmMain::TopicTreeView() const { return m_topics->TreeView(); }
QAction* TfrmMain::Action(TCommandId id) const { return m_actions->Action(id); }
QMenu* TfrmMain::TreePopup() const { return m_topics->TreePopup(); }
QLineEdit* TfrmMain::TitleField() const { return m_topics->TitleField(); }
QLineEdit* TfrmMain::UrlField() const { return m_topics->UrlField(); }
QComboBox* TfrmMain::IconPicker() const { return m_topics->IconPicker(); }
bool TfrmMain::TopicLabelsGrey() const { return m_topics->TopicLabelsGrey(); }
QMenu* TfrmMain::RecentMenu() const { return m_actions->RecentMenu(); }
QMenu* TfrmMain::OpenDropDown() const { return m_actions->OpenDropDown(); }
QAction* TfrmMain::SaveToolAction() const { return m_actions->SaveToolAction(); }
bool TfrmMain::ViewsEnabled() const { return m_pages->ViewsEnabled(); }
QString TfrmMain::StatusHint() const { return m_hintPanel->text(); }

void TfrmMain::createStatusBar()
{
    m_hintPanel = new QLabel(this);
    m_secondPanel = new QLabel(this);
    m_secondPanel->setFixedWidth(SecondPanelWidth);
    statusBar()->addWidget(m_hintPanel, 1);
    statusBar()->addPermanentWidget(m_secondPanel);
}

void TfrmMain::loadWindowState()
{
    TWindowState designed = CaptureWindowState(*this, *m_splitter, *Editor());
    designed.Width = DesignedWidth;
    designed.Height = DesignedHeight;
    designed.NavWidth = DesignedNavWidth;
    designed.Maximized = false;
    ApplyWindowState(TWindowState::Load(settings(), designed), *this, *m_splitter, *Editor());
}

void TfrmMain::saveWindowState()
{
    CaptureWindowState(*this, *m_splitter, *Editor()).Save(settings());
    settings().sync();
}

void TfrmMain::loadRecentProjects()
{
    QStringList captions;
    for (const QString& file : TRecentProjects(settings()).Entries())
        captions.append(PathToDocumentsPlaceholder(file));
    m_actions->SetRecentProjects(captions, [this](const QString& caption) {
        OpenProjectFile(DocumentsPlaceholderToPath(caption));
    });
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
        m_session.OpenCommandLineProject(m_commandLineProject);
        show();
        return;
    }
    // 16: the window and the start dialog.
    show();
    QTimer::singleShot(0, this, &TfrmMain::showStartDialog);
}

void TfrmMain::showStartDialog()
{
    QStringList recent = m_actions->RecentCaptions();
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
        m_session.NewProject(dialog->projectKind());
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
    if (outputs == 0 || !HasProject()) {
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
    QTimer::singleShot(CommandLineCloseDelayMs, this, [this] {
        m_buildOutput->close();
        close();
    });
}

// ---- commands ---------------------------------------------------------------

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
            m_prompts->ShowError(QStringLiteral("The project folder \"%1\" doesn't exist!").arg(folder));
            return;
        }
        openWithDesktop(folder);
        break;
    }
    case CmdHowToUse:
    case CmdHelpFile: {
        const TProgramHelpPage help = ProgramHelpPage(HelpFolder);
        if (help.Error.isEmpty())
            openWithDesktop(help.File);
        else
            m_prompts->ShowError(help.Error);
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
        m_prompts->ShowError(QStringLiteral("The output path \"%1\" names a Windows drive; choose a folder on this "
                                        "computer in the project settings.")
                             .arg(view->TestedFile));
        return;
    }
    if (!QFileInfo::exists(view->TestedFile)) {
        if (m_prompts->Confirm(OutputMissingQuestion(*view), IUserPrompts::Yes | IUserPrompts::No) == IUserPrompts::Yes)
            runBuild(view->BuildTag);
        return;
    }
    openWithDesktop(view->Target);
}

void TfrmMain::runBuild(int tag)
{
    if (tag < CmdBuildAll || tag > CmdBuildSingleHtml || !HasProject() || !topicPageSaved())
        return;
    TfrmBuild dialog(Qrx, TBuildDialogModel::PageOfTag(tag), *m_prompts, this);
    if (ExecDialog(dialog) != QDialog::Accepted)
        return;
    TBuildDialogModel::StoreInProject(dialog.Values(), Qrx);
    buildOutputs(TBuildDialogModel::OutputOfPage(dialog.ActivePage()), false);
}

bool TfrmMain::topicPageSaved()
{
    m_topics->UpdateTopicBar();
    return m_pages->PageSavedOrGivenUp();
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
            m_prompts->Message(IUserPrompts::Kind::Error, message, IUserPrompts::Ok);
        }
    };
    const auto log = [this, commandLine](const QString& line) {
        m_buildOutput->AppendOutputLine(line);
        // Unattended, the outputs that failed are named where scripts look.
        if (commandLine && line.startsWith(QLatin1String("Failed:")))
            QTextStream(stderr) << "quorix: " << line << "\n";
    };
    TBuildRunner runner(Qrx, m_compilerLines, log, error);
    runner.Compiler = Compiler;
    runner.OnCompilerLine = [this](const QString& line) { m_hintPanel->setText(line); };
    runner.OnShowResult = [this](const QString& file) { openWithDesktop(file); };
    runner.OnRetryDelete = [this, commandLine](const QString& message) {
        if (commandLine) {
            QTextStream(stderr) << "quorix: " << message << "\n";
            return false; // nobody to answer: abort
        }
        return m_prompts->Message(IUserPrompts::Kind::Warning, message, IUserPrompts::Abort | IUserPrompts::Retry)
            == IUserPrompts::Retry;
    };
    return runner.Run(outputs);
}

void TfrmMain::openWithDesktop(const QString& path)
{
    if (!OpenUrl(QUrl::fromLocalFile(path)))
        m_prompts->ShowError(QStringLiteral("Cannot open \"%1\".").arg(path));
}

// ---- states -----------------------------------------------------------------

void TfrmMain::updateCaption()
{
    setWindowTitle(HasProject() ? ProductInfo::Caption(Qrx.ProjectFilename) : ProductInfo::Caption());
}

void TfrmMain::setProjectState(bool hasProject)
{
    m_topics->SetProjectState(hasProject);
    m_actions->SetProjectState(hasProject);
    m_pages->SetViewsEnabled(false);
    updateCommandStates();
}

void TfrmMain::updateCommandStates()
{
    m_actions->UpdateCommandStates(HasProject(), Qrx.ProjectChanged);
    m_topics->UpdateTopicBar();
}

void TfrmMain::UpdateIdle()
{
    const QWidget* focus = QApplication::focusWidget();
    TIdleInputs in;
    in.HasProject = HasProject();
    in.ProjectChanged = Qrx.ProjectChanged;
    in.CurrentStatus = m_page.CurrentStatus;
    m_topics->FillIdleInputs(in, focus);
    if (m_pages->EditorHasFocus(focus))
        in.FocusIn = TIdleInputs::Focus::Editor;
    in.EditorReady = m_pages->EditorReady();
    const TIdleOutcome out = IdleOutcome(in);

    SaveToolAction()->setEnabled(out.SaveEnabled);
    if (!out.KeepHint && m_idleHint != out.Hint) {
        m_idleHint = out.Hint;
        m_hintPanel->setText(out.Hint);
    }
    m_topics->ApplyIdleOutcome(out);
    m_pages->SetTopicFieldsEnabled(out.TopicFieldsEnabled);
    m_pages->UpdateIdle();
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
    return QMainWindow::eventFilter(watched, event);
}
