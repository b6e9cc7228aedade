#pragma once

#include "IDHTMLEdit.h"
#include "TFindDialog.h"
#include "TWebHtmlDocument.h"

#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <QWidget>


class QWebEngineLoadingInfo;
class QWebEngineView;
class TEditorBridge;
class TEditorView;


// The editing control on Qt WebEngine: the page in design mode in a web
// view, driven through the editor's script (js/editor/*.js). The page is
// served from memory in its folder (TPageUrlScheme).
class TWebEngineDHTMLEdit : public QWidget, public IDHTMLEdit {
    Q_OBJECT
public:
    explicit TWebEngineDHTMLEdit(QWidget* parent = nullptr);
    ~TWebEngineDHTMLEdit() override;

    QWidget* widget() override { return this; }

    QString DocumentHTML() override;
    void SetDocumentHTML(const QString& html) override;
    QString BaseURL() const override { return m_baseUrl; }
    void SetBaseURL(const QString& folder) override;
    bool ShowBorders() const override { return m_showBorders; }
    void SetShowBorders(bool show) override;
    bool ShowDetails() const override { return m_showDetails; }
    void SetShowDetails(bool show) override;
    bool IsDirty() override;
    quint64 ChangeCount() override;
    void Flush() override;
    bool Busy() const override;
    IHTMLDocument* DOM() override { return &m_document; }

    QVariant ExecCommand(int cmdID, int option = DHTMLEdit::OLECMDEXECOPT_DODEFAULT,
                         const QVariant& inValue = QVariant()) override;
    int QueryStatus(int cmdID) override;
    QString SelectionBookmark() override;
    bool SelectBookmark(const QString& bookmark) override;
    void SetContextMenu(const QStringList& menuStrings, const QList<int>& menuStates) override;
    void NewDocument() override;

    // Waits, processing events, until no page is loading. False on timeout.
    bool WaitUntilLoaded(int timeoutMs = 30000);
    // The web view, for focus and key handling.
    QWebEngineView* view() const;
    // The context menu while it shows, and what it shows next.
    QMenu* contextMenu() const { return m_contextMenu; }
    const QStringList& ContextMenuStrings() const { return m_menuStrings; }
    const QList<int>& ContextMenuStates() const { return m_menuStates; }

signals:
    void documentLoaded();

private:
    void requestLoad();
    void startLoad();
    void loadingChanged(const QWebEngineLoadingInfo& info);
    void waitForDocument();
    bool stateReadable() const { return !m_busy && m_loaded; }
    // The page's state record: while a display change is handled, the one
    // pushed with it; else made now.
    QVariantMap pageState();
    // A field of the pushed record while a display change is handled; else invalid.
    QVariant recorded(const QString& name);
    void runKeyCommand(int cmdID);
    void scheduleDisplayChanged();
    void showContextMenu(const QPoint& position, const QPoint& globalPosition);
    void applyView();
    QVariant showFontDialog();
    QVariant showFindDialog();

    TEditorView* m_view;
    TEditorBridge* m_bridge;
    TWebHtmlDocument m_document;
    QString m_html;
    QString m_baseUrl;
    bool m_showBorders = false;
    bool m_showDetails = false;
    bool m_busy = false;
    bool m_loaded = false;       // a document has finished loading at least once
    bool m_loadPending = false;  // a load is asked for but not started
    bool m_keepDirty = false;    // the load only moves the page to another folder
    bool m_inDisplayChanged = false;
    bool m_flushing = false;
    int m_generation = 0;
    quint64 m_pageId;
    QTimer m_displayTimer;
    QTimer m_completeTimer;
    bool m_displayAfterCall = false;
    bool m_completeAfterCall = false;
    QStringList m_menuStrings;
    QList<int> m_menuStates;
    QPointer<QMenu> m_contextMenu;
    QPointer<TFindDialog> m_findDialog;
};
