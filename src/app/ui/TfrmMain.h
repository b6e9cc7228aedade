#pragma once

#include "TCommandLine.h"
#include "TCommandTable.h"
#include "TCompilerLineFilter.h"
#include "TQrx.h"
#include "TfrmStart.h"

#include <QDateTime>
#include <QHash>
#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

class IDHTMLEdit;
class IHTMLHelpCompiler;
class QCheckBox;
class QComboBox;
class QDialog;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QSettings;
class QSplitter;
class QStackedWidget;
class QTabWidget;
class QToolBar;
class QToolButton;
class QWebEngineView;
class TfrmBuildOutput;
class TTopicTreeView;
class TWebEngineDHTMLEdit;


// The main window: the project, its topic tree, the editing views and every
// command. It creates them once and keeps them until it closes; opening and
// closing projects refill the one project object.
class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    // The size the window is designed with; the stored state only sets
    // lower bounds on it.
    static constexpr int DesignedWidth = 1000;
    static constexpr int DesignedHeight = 720;
    static constexpr int DesignedNavWidth = 260;
    // A modification time that says no time is known.
    static const QDateTime NoTimeKnown;

    // `settings`: where the window keeps its state and the recent projects;
    // the user's own ("Brellan", "Quorix") when null.
    explicit TfrmMain(const TCommandLine& commandLine = {}, QSettings* settings = nullptr, QWidget* parent = nullptr);
    ~TfrmMain() override;

    // Shows the window: with the project of the command line, or with the
    // start dialog.
    void Start();

    // The project and the state of its page.
    TQrx Qrx;
    QString CurrentURL;
    QString CurrentSource;
    int CurrentStatus = StatusNoLink;
    int CurrentIndex = -1;
    QDateTime CurrentModifiedTime;
    bool IsDirty = false;
    bool SourceDirty = false;
    bool PreviewWithTemplate = false;
    QStringList ExternalEditor;
    int TreeNodeHeight = 0;

    // Project operations. False when the author cancelled or it failed
    // (failures are shown).
    bool OpenWithDialog();
    bool OpenProjectFile(const QString& path);
    bool Save();
    bool SaveAs();
    bool ProjectClose();
    void ImportToc();
    bool HasProject() const { return m_hasProject; }

    // Brings commands, buttons and the status bar in line with the state;
    // runs whenever the program is idle.
    void UpdateIdle();

    // The questions the window asks ("Confirm", Yes / No / Cancel...);
    // replaceable so that tests answer them.
    std::function<QMessageBox::StandardButton(const QString& text, QMessageBox::StandardButtons buttons)> Ask;
    // The other message boxes of the window's commands: information and
    // warnings with their buttons, questions with the icon they carry.
    std::function<QMessageBox::StandardButton(QMessageBox::Icon icon, const QString& text,
        QMessageBox::StandardButtons buttons)> ShowMessage;
    // The open dialog for pages: native paths in the order chosen; empty when cancelled.
    std::function<QStringList(const QString& caption, const QString& filter, const QString& folder, bool several)>
        ChooseFiles;
    // A one-line input box; nothing when cancelled.
    std::function<std::optional<QString>(const QString& caption, const QString& prompt, const QString& text)> AskText;
    // Runs a modal dialog of the window's commands (add topic, apply template).
    std::function<int(QDialog& dialog)> ExecDialog;

    IDHTMLEdit* Editor() const;
    TTopicTreeView* TopicTreeView() const { return m_tree; }
    QAction* Action(TCommandId id) const { return m_actions.value(int(id)); }
    QMenu* TreePopup() const { return m_treePopup; }
    QLineEdit* TitleField() const { return m_titleField; }
    QLineEdit* UrlField() const { return m_urlField; }
    QComboBox* IconPicker() const { return m_iconPicker; }
    bool TopicLabelsGrey() const;
    QMenu* RecentMenu() const { return m_recentMenu; }
    QMenu* OpenDropDown() const { return m_openDropDown; }
    QAction* SaveToolAction() const { return m_saveToolAction; }
    TfrmStart* StartDialog() const { return m_startDialog; }
    QString StatusHint() const;
    const QString& BuildSwitch() const { return m_buildSwitch; }
    TfrmBuildOutput* BuildOutputWindow() const { return m_buildOutput; }
    // The HTML Help compiler of builds; unset, chmcmd. Tests give a fake.
    IHTMLHelpCompiler* Compiler = nullptr;
    // The program's exit status: 0, or why the command-line build did not
    // write every output it asked for (1 a failed output, 2 a bad request).
    int ExitStatus() const { return m_exitStatus; }
    bool ViewsEnabled() const { return m_viewsEnabled; }

signals:
    // The first tick after the window shows, when the command line asked for a build.
    void CommandLineBuildRequested(const QString& buildSwitch);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createFileToolBar();
    void createTopicBar();
    QWidget* createLeftPanel();
    QWidget* createRightPanel();
    QWidget* createEditTab();
    QWidget* createSourceTab();
    QWidget* createPreviewTab();
    QWidget* createTopicOptionsTab();
    void createStatusBar();
    QAction* makeAction(TCommandId id, const QString& icon = QString());
    QToolButton* toolButton(QAction* action, bool captioned);

    void loadWindowState();
    void saveWindowState();
    void loadRecentProjects();
    void addRecentProject(const QString& projectFile);
    void layoutTopicBar();

    void dispatchProject(int tag);
    void dispatchWindow(int tag);
    void dispatchViewOutput(int tag);
    void dispatchHistory(int tag);
    void dispatchTree(int tag);
    void dispatchAddTopic(int tag);
    void dispatchTopicBar(int tag);
    void createTreePopup();
    void showTreePopup(const QPoint& globalPos);
    void updateTopicBar();
    void setTopicLabelsGrey(bool grey);
    void expandOrCollapseAll(bool expanded);
    void chooseIcon(int icon);
    void titleEditedInTree(TopicNode* node);
    TopicNode* focusedTopic() const;
    void runBuild(int tag);
    void runCommandLineBuild();
    bool topicPageSaved();
    bool buildOutputs(int outputs, bool commandLine);
    void showStartDialog();
    void startDialogFinished(int result);
    bool newProject(int kind, const QString& file, bool ask);
    bool leavingQuestions();
    void resetPageState();
    void setProjectState(bool hasProject);
    void setViewsEnabled(bool enabled);
    void updateCaption();
    void updateCommandStates();
    void openWithDesktop(const QString& path);
    QMessageBox::StandardButton ask(const QString& text, QMessageBox::StandardButtons buttons);
    QSettings& settings() const { return *m_settings; }

    TCommandDispatcher m_dispatcher;
    QHash<int, QAction*> m_actions;
    std::unique_ptr<QSettings> m_ownSettings;
    QSettings* m_settings;
    QString m_buildSwitch;
    int m_exitStatus = 0;
    // The last compiler line shown, kept for the program's life.
    TCompilerLineFilter m_compilerLines;
    TfrmBuildOutput* m_buildOutput = nullptr;
    // What the idle update last put in the status bar: a compiler line stays
    // until the hint it would show changes.
    QString m_idleHint;
    QString m_commandLineProject;
    bool m_hasProject = false;
    bool m_viewsEnabled = false;

    QMenu* m_recentMenu = nullptr;
    QMenu* m_openDropDown = nullptr;
    QMenu* m_buildMenu = nullptr;
    QMenu* m_viewMenu = nullptr;
    QMenu* m_treePopup = nullptr;
    QToolBar* m_fileBar = nullptr;
    QAction* m_saveToolAction = nullptr;
    QToolBar* m_topicBar = nullptr;
    QComboBox* m_iconPicker = nullptr;
    QLabel* m_titleLabel = nullptr;
    QLabel* m_urlLabel = nullptr;
    QLineEdit* m_titleField = nullptr;
    QLineEdit* m_urlField = nullptr;
    QList<QToolButton*> m_linkButtons;
    QSplitter* m_splitter = nullptr;
    QToolBar* m_treeBar = nullptr;
    QStackedWidget* m_treeStack = nullptr;
    TTopicTreeView* m_tree = nullptr;
    QTabWidget* m_pages = nullptr;
    QLabel* m_messagePanel = nullptr;
    QList<QToolBar*> m_editBars;
    QList<QComboBox*> m_editLists;
    QStackedWidget* m_editStack = nullptr;
    TWebEngineDHTMLEdit* m_editor = nullptr;
    QStackedWidget* m_sourceStack = nullptr;
    QPlainTextEdit* m_source = nullptr;
    QStackedWidget* m_previewStack = nullptr;
    QWebEngineView* m_preview = nullptr;
    QPlainTextEdit* m_keywords = nullptr;
    QLineEdit* m_contextNumber = nullptr;
    QCheckBox* m_noTemplate = nullptr;
    QWidget* m_topicOptions = nullptr;
    QLabel* m_hintPanel = nullptr;
    QLabel* m_secondPanel = nullptr;
    QPointer<TfrmStart> m_startDialog;
    QTimer m_idleTimer;
    QTimer m_startupTimer;
};
