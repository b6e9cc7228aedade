#pragma once

#include "ProgramHelp.h"
#include "TCommandLine.h"
#include "TCommandTable.h"
#include "TCompilerLineFilter.h"
#include "TPageState.h"
#include "TProjectSession.h"
#include "TQrx.h"
#include "TfrmStart.h"

#include <QDesktopServices>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>

class IDHTMLEdit;
class IHTMLHelpCompiler;
class IUserPrompts;
class QComboBox;
class QDialog;
class QLabel;
class QLineEdit;
class QMenu;
class QSettings;
class QSplitter;
class TMainActions;
class TPagePanel;
class TTopicPanel;
class TTopicTreeView;
class TfrmBuildOutput;

// The main window: a facade over its parts. The actions and menus come from
// the command table (TMainActions), the topic tree and topic bar are the
// topic panel, the editing views the page panel, and the project's
// operations and questions the project session. The window creates them
// once and keeps them until it closes; opening and closing projects refill
// the one project object.
class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    // The size the window is designed with; the stored state only sets
    // lower bounds on it.
    static constexpr int DesignedWidth = 1000;
    static constexpr int DesignedHeight = 720;
    static constexpr int DesignedNavWidth = 260;

    // `settings`: where the window keeps its state and the recent projects;
    // the user's own ("Brellan", "Quorix") when null. `prompts`: how the
    // window asks and tells the author; its own dialogs when null.
    explicit TfrmMain(const TCommandLine& commandLine = {}, QSettings* settings = nullptr,
                      IUserPrompts* prompts = nullptr, QWidget* parent = nullptr);
    ~TfrmMain() override;

    // Shows the window: with the project of the command line, or with the
    // start dialog.
    void Start();

    // The project and the state of its page.
    TQrx Qrx;
    TPageState& Page() { return m_page; }
    bool PreviewWithTemplate = false;
    QStringList ExternalEditor;
    int TreeNodeHeight = 0;

    // Project operations. False when the author cancelled or it failed
    // (failures are shown).
    bool OpenWithDialog() { return m_session.OpenWithDialog(); }
    bool OpenProjectFile(const QString& path) { return m_session.OpenProjectFile(path); }
    bool Save() { return m_session.Save(); }
    bool SaveAs() { return m_session.SaveAs(); }
    bool ProjectClose() { return m_session.Close(); }
    void ImportToc() { m_session.ImportToc(); }
    bool HasProject() const { return m_session.HasProject(); }

    // Brings commands, buttons and the status bar in line with the state;
    // runs whenever the program is idle.
    void UpdateIdle();

    IUserPrompts& Prompts() const { return *m_prompts; }
    // Runs a modal dialog of the window's commands (add topic, apply
    // template, build); replaceable so that tests drive them.
    std::function<int(QDialog& dialog)> ExecDialog;

    IDHTMLEdit* Editor() const;
    TTopicTreeView* TopicTreeView() const;
    QAction* Action(TCommandId id) const;
    QMenu* TreePopup() const;
    QLineEdit* TitleField() const;
    QLineEdit* UrlField() const;
    QComboBox* IconPicker() const;
    bool TopicLabelsGrey() const;
    QMenu* RecentMenu() const;
    QMenu* OpenDropDown() const;
    QAction* SaveToolAction() const;
    TfrmStart* StartDialog() const { return m_startDialog; }
    QString StatusHint() const;
    const QString& BuildSwitch() const { return m_buildSwitch; }
    TfrmBuildOutput* BuildOutputWindow() const { return m_buildOutput; }
    // The HTML Help compiler of builds; unset, the default one. Tests give a fake.
    IHTMLHelpCompiler* Compiler = nullptr;
    // Opens a file, folder or address in the desktop's program for it;
    // replaceable so that tests see what the window opens.
    std::function<bool(const QUrl& url)> OpenUrl = &QDesktopServices::openUrl;
    // Where the program's own help lies, for the help commands.
    QString HelpFolder = ProgramHelpFolder();
    // The program's exit status: 0, or why the command-line build did not
    // write every output it asked for (1 a failed output, 2 a bad request).
    int ExitStatus() const { return m_exitStatus; }
    bool ViewsEnabled() const;

signals:
    // The first tick after the window shows, when the command line asked for a build.
    void CommandLineBuildRequested(const QString& buildSwitch);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void wireSession();
    void wireDispatcher();
    void createStatusBar();
    void loadWindowState();
    void saveWindowState();
    void loadRecentProjects();
    void addRecentProject(const QString& projectFile);

    void dispatchWindow(int tag);
    void dispatchViewOutput(int tag);
    void runBuild(int tag);
    void runCommandLineBuild();
    bool topicPageSaved();
    bool buildOutputs(int outputs, bool commandLine);
    void showStartDialog();
    void startDialogFinished(int result);
    void setProjectState(bool hasProject);
    void updateCaption();
    void updateCommandStates();
    void openWithDesktop(const QString& path);
    QSettings& settings() const { return *m_settings; }

    TCommandDispatcher m_dispatcher;
    std::unique_ptr<QSettings> m_ownSettings;
    QSettings* m_settings;
    std::unique_ptr<IUserPrompts> m_ownPrompts;
    IUserPrompts* m_prompts;
    TPageState m_page;
    TProjectSession m_session;
    QString m_buildSwitch;
    QString m_commandLineProject;
    int m_exitStatus = 0;
    // The last compiler line shown, kept for the program's life.
    TCompilerLineFilter m_compilerLines;
    TfrmBuildOutput* m_buildOutput = nullptr;
    // What the idle update last put in the status bar: a compiler line stays
    // until the hint it would show changes.
    QString m_idleHint;

    TMainActions* m_actions = nullptr;
    TTopicPanel* m_topics = nullptr;
    TPagePanel* m_pages = nullptr;
    QSplitter* m_splitter = nullptr;
    QLabel* m_hintPanel = nullptr;
    QLabel* m_secondPanel = nullptr;
    QPointer<TfrmStart> m_startDialog;
    QTimer m_idleTimer;
    QTimer m_startupTimer;
};
