#pragma once

#include <QList>
#include <QWidget>

class IDHTMLEdit;
class IHTMLBrowser;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QStackedWidget;
class QTabWidget;
class QToolBar;
class TEditorToolBars;
class TMainActions;

// The editing views of the topic page: the editor ("编辑") with its two tool
// bars, the source ("资源"), the preview ("预览") and the topic options
// ("主题选项"), and the message strip below them. Pages are loaded and saved
// here.
class TPagePanel : public QWidget {
    Q_OBJECT
public:
    TPagePanel(TMainActions& actions, QWidget* parent);

    IDHTMLEdit* Editor() const { return m_editor; }
    // The editor's tool bars bound to its command layer and history.
    TEditorToolBars& EditorToolBars() const { return *m_editorToolBars; }
    // The views show a page, or blank panels when none is chosen.
    bool ViewsEnabled() const { return m_viewsEnabled; }
    void SetViewsEnabled(bool enabled);
    // The keywords, context number and template switch of the topic.
    void SetTopicFieldsEnabled(bool enabled);
    // The keyboard focus is in the editor, which can take typing.
    bool EditorHasFocus(const QWidget* focus) const;
    bool EditorReady() const;

private:
    QWidget* createEditTab();
    QWidget* createSourceTab();
    QWidget* createPreviewTab();
    QWidget* createTopicOptionsTab();

    TMainActions& m_actions;
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
