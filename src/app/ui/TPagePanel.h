#pragma once

#include "ITopicPageViews.h"

#include <QFileSystemWatcher>
#include <QList>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>

class IDHTMLEdit;
class IHTMLBrowser;
class IUserPrompts;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QStackedWidget;
class QTabWidget;
class QToolBar;
class QUrl;
class TEditorToolBars;
class TMainActions;
class TQrx;
class TTopicPageSession;
class TopicNode;
struct TPageState;

// The editing views of the topic page: the editor ("编辑") with its two tool
// bars, the source ("资源"), the preview ("预览") and the topic options
// ("主题选项"), and the message strip below them. The page of the selected
// topic moves through them by its workflow (TTopicPageSession): loaded when
// one topic is selected, saved by the page commands, offered for reload when
// another program changed its file.
class TPagePanel : public QWidget, public ITopicPageViews {
    Q_OBJECT
public:
    TPagePanel(TMainActions& actions, TQrx& project, TPageState& page, IUserPrompts& prompts, QWidget* parent);
    ~TPagePanel() override;

    IDHTMLEdit* Editor() const { return m_editor; }
    // The editor's tool bars bound to its command layer and history.
    TEditorToolBars& EditorToolBars() const { return *m_editorToolBars; }
    // The views show a page, or blank panels when none is chosen.
    bool ViewsEnabled() const override { return m_viewsEnabled; }
    void SetViewsEnabled(bool enabled) override;
    // The keywords, context number and template switch of the topic.
    void SetTopicFieldsEnabled(bool enabled);
    // The keyboard focus is in the editor, which can take typing.
    bool EditorHasFocus(const QWidget* focus) const;
    bool EditorReady() const;

    TTopicPageSession& Session() const { return *m_session; }
    // The page commands by Tag (TPageCommand).
    void DispatchPage(int tag);
    // A dirty page offered for saving before other work: true when that
    // work may go on.
    bool PageSavedOrGivenUp();
    // A dirty page saved without asking (saving the project); false when it
    // could not be.
    bool PageSavedIfDirty();
    // The save buttons follow the page; runs whenever the program is idle.
    void UpdateIdle();
    // The focused topic's link may have changed (the URL field was left, a
    // link button used): its page is loaded again if so.
    void TopicLinkChanged();
    // Opens the page file in an external editor: `commandLine` ("%1" for
    // the file), or the desktop's program for the file when empty.
    void OpenInExternalEditor(const QString& commandLine);
    // How external editors start and files open; replaceable so that tests
    // see what would run.
    std::function<bool(const QString& program, const QStringList& arguments)> StartProgram;
    std::function<bool(const QUrl& url)> OpenUrl;

    QTabWidget* Tabs() const { return m_pages; }
    QPlainTextEdit* SourceView() const { return m_source; }
    IHTMLBrowser* Preview() const { return m_preview; }
    // The page the preview was last given.
    const QString& PreviewPage() const { return m_previewPage; }
    QString Message() const;
    QPlainTextEdit* KeywordsField() const { return m_keywords; }
    QLineEdit* ContextNumberField() const { return m_contextNumber; }
    QCheckBox* NoTemplateBox() const { return m_noTemplate; }

    // The views as the page's workflow sees them.
    TPageTab ActiveTab() const override;
    void SetSourceText(const QString& text) override;
    QString SourceText() const override;
    void ShowPreview(const QString& html, const QString& baseFolder) override;
    void ShowMessage(const QString& text) override;

signals:
    // The focused topic's link changed here (a page saved under another
    // name, an edit of the link cancelled): the topic bar shows it.
    void topicLinkShown();

private:
    QWidget* createEditTab();
    QWidget* createSourceTab();
    QWidget* createPreviewTab();
    QWidget* createTopicOptionsTab();
    void wireWorkflow();
    void wireTopicOptions();
    void selectionChanged();
    void tabChanged(int index);
    void fillTopicOptions();
    // The one selected topic whose options the fields edit; null for none.
    TopicNode* optionsTopic() const;
    void watch(const QString& file);
    void checkOutsideChangeSoon();

    TMainActions& m_actions;
    TQrx& m_project;
    TPageState& m_page;
    IUserPrompts& m_prompts;
    std::unique_ptr<TTopicPageSession> m_session;
    QFileSystemWatcher m_watcher;
    int m_shownTab = 0;
    bool m_fillingOptions = false;
    // The source view: the text it was given, whether its lines ended in
    // CR LF, and the edits it had then and has now.
    QString m_sourceGiven;
    bool m_sourceCrLf = false;
    quint64 m_sourceEditsAtGiven = 0;
    quint64 m_sourceEdits = 0;
    QString m_previewPage;
    QString m_previewFolder;
    bool m_viewsEnabled = false;
    QTabWidget* m_pages = nullptr;
    QLabel* m_messagePanel = nullptr;
    QList<QToolBar*> m_editBars;
    QList<QComboBox*> m_editLists;
    QStackedWidget* m_editStack = nullptr;
    IDHTMLEdit* m_editor = nullptr;
    TEditorToolBars* m_editorToolBars = nullptr;
    QStackedWidget* m_sourceStack = nullptr;
    QPlainTextEdit* m_source = nullptr;
    QStackedWidget* m_previewStack = nullptr;
    IHTMLBrowser* m_preview = nullptr;
    QPlainTextEdit* m_keywords = nullptr;
    QLineEdit* m_contextNumber = nullptr;
    QCheckBox* m_noTemplate = nullptr;
};
