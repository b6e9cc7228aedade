#pragma once

#include "TContentsItem.h"
#include "TExtensionList.h"
#include "TSortedFileList.h"
#include "TTextForWeb.h"
#include "TThcObject.h"

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class THTMLRefer;
class TPageTemplate;
class TQrx;
class TopicNode;
struct TMakePagesPara;

// The flattened, annotated copy of the project's topic tree that every
// output walks: one item per topic in pre-order, with its page loaded,
// chapter numbers, previous/next links and breadcrumb. One object serves one
// build.
class TContents : public TThcObject {
public:
    using TItemList = std::vector<std::unique_ptr<TContentsItem>>;

    TContents();
    ~TContents() override;

    // Rebuilds both item lists from the project's tree, loading every page.
    // DefaultPage, HasUnsavedpage, Texts and FileListForCopy are kept.
    // Throws EQuorixError when the project folder is a Windows path.
    void Fill();
    // Chapter numbers and the sibling flags of ContentsItems.
    void preprocess();
    TContentsItem* GetContentsItem(int Index) const { return ContentsItems[size_t(Index)].get(); }

    // HTML Help lists (the bodies of the ".hhc" and ".hhk" files and the
    // context map), as the bytes they are written as: names in the help
    // language's code page (`ansiCodePage` when the language has none, 0:
    // the system's), page addresses as the file system names files (UTF-8).
    QByteArray MakeHHCList(int ansiCodePage = 0) const;
    QByteArray MakeHHKList() const;
    // [ALIAS] lines and "#define" lines for topics with a context number.
    void MakeContextSensitive(QString& Alias, QString& Map) const;

    // The files an output copies (FileListForCopy): every page of the
    // project and what it refers to, recursively, never a file outside the
    // project folder (each one left out is reported through FOnInfo).
    // Starts the list afresh from the extensions found in the project folder.
    void PrepareCopyFile();
    // Adds the HTML Help template's references (not the template itself)
    // and the default topic with its references.
    void PrepareCopyFileForCHM();
    // The same with the web help template and default topic.
    void PrepareCopyFileForWebHelp();
    // Drops the table-of-contents pages: the single file holds them.
    void PrepareCopyFileForSingleHtml();
    // Adds FileName (a native path) and everything it refers to.
    void GetAllRefers(const QString& FileName);

    // Page templates: each accessible table-of-contents page that takes the
    // template (ApplyTemp false) merged with `pageTemplate`, with its title,
    // previous/next links and breadcrumb, and handed to `write`. A page
    // outside the project folder is left out, as it is from the copy list.
    // `customize`, when set, may change the merge's input first (the text
    // before and after the body, a marked page).
    using TTemplatedPageEvent = std::function<void(const TContentsItem& item, const QString& page)>;
    using TPageParaEvent = std::function<void(const TContentsItem& item, TMakePagesPara& para)>;
    void MakeTemplatedPages(TPageTemplate& pageTemplate, const TTemplatedPageEvent& write,
                            const TPageParaEvent& customize = {});
    // The native path of an item's page.
    QString ItemFilePath(const TContentsItem& item) const;
    // An item's page relative to the project folder ("/" separators) as its
    // file is named on disk, which may differ in case from Url; Url with "/"
    // when Fill read no file for it.
    QString PageUrl(const TContentsItem& item) const;
    // `text`, the page at `pageFile` (native), with its references naming
    // files as they are on disk where the project spells them in another
    // case; `text` itself when the collection met no such reference.
    QString WithFileNames(const QString& pageFile, const QString& text);

    // --- Web help output (TContentsWebHelp.cpp) ---
    // Pages and referenced files into `topicsFolder` (native, trailing
    // separator), with the web help template (or the synchronisation script
    // when there is none).
    void OutputPagesWebHelp(const QString& topicsFolder);
    // Search records (Texts) of the pages written into `topicsFolder`.
    void GetTextsForSearch(const QString& topicsFolder);
    // Tree images and topic icons of the web help set (CDir + "webhelp/")
    // into the output folder's "icons".
    void CopyIconForWebHelp(const QString& outputFolder);
    QString MakeJs();         // the script-driven contents tree
    QString MakeHTML();       // the static contents tree
    QString MakeIndexForWeb(); // the keyword index options
    QString OutputSearchJS() const; // "data.js"

private:
    QString MakeWebTree(bool scripted) const;
    // Titles of the pages written into the topics folder, by native path.
    QHash<QString, QString> m_webTitles;

public:
    // --- end of web help output ---

    // --- Single HTML output (TContentsSingleHtml.cpp) ---
    // Every file of the copy list into `outputFolder` (native, trailing
    // separator), in its place relative to the project folder.
    void OutputPagesSingleHTML(const QString& outputFolder);
    // The linked table of contents: one line per topic, indented by level,
    // pointing at the topic's anchor "A" + index; its own anchor is "toc".
    QString MakeSingleHtmlTOC() const;
    // Every topic as a numbered heading followed by its styles and body,
    // links between topics pointing inside the file.
    QString MakeSingleHtml();
    // The same appended to `html`: the text runs to tens of megabytes.
    void AppendSingleHtml(QString& html);
    // `text` (relative to the project folder) with each link to a topic page
    // turned into "#A" + the first topic showing it; "page.htm#x" becomes "#x".
    QString ChangeLinkForSingleHtml(const QString& text) const;
    // The lower-cased page links of the accessible topics, each to the first
    // topic showing it: built once for a whole file.
    struct TSingleHtmlLinks;
    QString ChangeLinkForSingleHtml(const QString& text, const TSingleHtmlLinks& links, THTMLRefer& refer) const;
    // --- end of single HTML output ---

    QString CDir;         // the program's data folder, with trailing separator ("new.htm" is read from it)
    TQrx* qrx = nullptr;  // the open project; not owned
    TItemList ContentsItems;
    TItemList NonContentsItems; // pages out of the table of contents
    std::vector<TTextForWeb> Texts;
    TSortedFileList FileListForCopy;
    TExtensionList ExtensionList; // extensions the reference scanners look for
    int UnsavedIndex = 1;     // number of the next unsaved topic
    int HtmlHelpCodepage = 0; // code page of the project's language; 0 when unknown
    bool HasUnsavedpage = false;
    QString DefaultPage;      // Url of the first linked topic met
    TContentsItem* lastItem = nullptr; // the previous accessible item while filling

private:
    // Appends the subtree below `parentNode` to `fillTo` in pre-order.
    void Fill2(const TopicNode* parentNode, TItemList& fillTo);
    void LoadPage(TContentsItem& item);
    void LoadNewPage(TContentsItem& item);
    QString NewPageTemplate();
    // The native path of a stored page link, or empty when it cannot name a
    // file here (no project folder, or a Windows path, which is reported).
    QString PageFilePath(const QString& url);

    // The native path of a project-relative setting (template, default
    // topic), anchor dropped; empty when blank or a Windows path.
    QString SettingFilePath(const QString& storedPath) const;
    void CollectTemplateAndDefault(const QString& templatePath, const QString& defaultTopic);
    // The copy list kept to the project folder (done once per build).
    void ConfineCopyList();

    // The text of each page Fill read that is the file's text unchanged (no
    // Word markup removed), by lower-cased path: the collection of
    // references scans it rather than reading the file again.
    QHash<QString, QString> m_pageTexts;
    QHash<QString, QString> m_pageFiles; // the file each page Url was read from
    std::unique_ptr<THTMLRefer> m_refer; // one scanner per collection; it keeps what exists
    QSet<QString> m_scanned; // lower-cased paths whose references were collected
    QSet<QString> m_refused; // lower-cased paths reported as outside the project
    bool m_newPageLoaded = false;
    QString m_newPage;
};
