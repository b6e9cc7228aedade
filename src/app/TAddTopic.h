#pragma once

#include "TemplateCatalogue.h"
#include "TopicTreeCommands.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class IUserPrompts;

class TQrx;
class TopicNode;

// The add-topic dialog without its window: which page it opens on, the
// rules of its insert-mode list, what it adds when confirmed. The dialog
// shows this state and hands the author's choices back.
class TAddTopic {
public:
    // The pages, numbered as the roots they add to.
    enum TPage { PageTableOfContents = 0, PagePagesOutOfToc = 1, PageTemplates = 2 };
    // What a page adds. The first two pages share theirs; the templates page
    // has its own, with the built-in templates.
    enum TItemType { NewPages, ExistingFiles, Headings, BuiltInTemplate };

    static const QString Caption;               // "添加新主题"
    static const QString FilesCaption;          // "Select HTML files"
    static const QString FilesFilter;           // "HTML file (*.html, *.htm)|*.html;*.htm"
    static const QString FolderCaption;         // "Folder"
    static const QString CollisionMessage;      // "Filename collision! Please try another folder name."
    static const QString DefaultTemplateQuestion; // "Set this template as default template?"
    static QString FolderPrompt(const QString& rootDir); // "Copy template to:\n" + rootDir

    // The dialog as an add command opens it: Tag 0 (tool bar) and 1-4
    // (before, after, child, end: the popup on a topic) from the focused
    // node; 10-12 (the popup on a root) on that root's page.
    TAddTopic(int tag, const TopicNode* focused);

    int Page() const { return m_page; }
    // The insert-mode list follows the page shown.
    void SetPage(int page);

    // The insert-mode list: "Insert end", "Insert before", "Insert after",
    // "Insert child" on the page of the focused topic; elsewhere disabled,
    // its fourth entry "Append" shown.
    QStringList InsertModes() const;
    bool InsertModeEnabled() const;
    int InsertModeIndex() const;
    void SetInsertModeIndex(int index);
    TopicTreeCommands::InsertMode Mode() const;

    // The item type of the page shown.
    TItemType ItemType() const;
    // Choosing an existing template takes the title from the file name.
    void SetItemType(TItemType type);
    bool ShowsCount() const;
    bool ShowsTitleSource() const;
    bool ShowsCatalogue() const;

    int Count() const { return m_count; }
    void SetCount(int count); // 1-999
    TopicTreeCommands::TitleSource TitleSource() const { return m_titleSource; }
    void SetTitleSource(TopicTreeCommands::TitleSource source) { m_titleSource = source; }
    int CatalogueIndex() const { return m_catalogueIndex; }
    void SetCatalogueIndex(int index) { m_catalogueIndex = index; }

    // "New Item", or "New Template" on the templates page.
    QString NewTitle() const;

    struct TResult {
        QList<TopicNode*> Added;
        bool EditTitle = false; // one new page or heading: its title is edited at once
    };
    // OK: adds what the page says, by the insert mode, relative to `focused`.
    // The added topics become the selection.
    TResult Apply(TQrx& project, TopicNode* focused, const QList<TTemplateCatalogueEntry>& catalogue,
        const QString& programFolder, IUserPrompts& prompts) const;

private:
    QList<TopicNode*> addBuiltInTemplate(TQrx& project, TopicNode* focused,
        const QList<TTemplateCatalogueEntry>& catalogue, const QString& programFolder, IUserPrompts& prompts) const;

    int m_page = PageTableOfContents;
    int m_homePage = -1;    // the page of the focused topic's kind; -1 for a root or nothing
    int m_homeIndex = 1;    // the mode chosen on the home page
    TItemType m_pageType = NewPages;
    TItemType m_templateType = BuiltInTemplate;
    int m_count = 1;
    TopicTreeCommands::TitleSource m_titleSource = TopicTreeCommands::TitleSource::TitleElement;
    int m_catalogueIndex = 0;
};
