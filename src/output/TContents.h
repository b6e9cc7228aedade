#pragma once

#include "TContentsItem.h"
#include "TSortedFileList.h"
#include "TTextForWeb.h"
#include "TThcObject.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <vector>

class TQrx;
class TopicNode;

// The flattened, annotated copy of the project's topic tree that every
// output walks: one item per topic in pre-order, with its page loaded,
// chapter numbers, previous/next links and breadcrumb. One object serves one
// build.
class TContents : public TThcObject {
public:
    using TItemList = std::vector<std::unique_ptr<TContentsItem>>;

    TContents();

    // Rebuilds both item lists from the project's tree, loading every page.
    // DefaultPage, HasUnsavedpage, Texts and FileListForCopy are kept.
    // Throws EQuorixError when the project folder is a Windows path.
    void Fill();
    // Chapter numbers and the sibling flags of ContentsItems.
    void preprocess();
    TContentsItem* GetContentsItem(int Index) const { return ContentsItems[size_t(Index)].get(); }

    // HTML Help lists (the bodies of the ".hhc" and ".hhk" files and the
    // context map), as the bytes they are written as.
    // Names are in the help language's code page, the rest in
    // `ansiCodePage` (0: the system's).
    QByteArray MakeHHCList(int ansiCodePage = 0) const;
    // Wholly in the help language's code page.
    QByteArray MakeHHKList() const;
    // [ALIAS] lines and "#define" lines for topics with a context number.
    void MakeContextSensitive(QString& Alias, QString& Map) const;

    QString CDir;         // the program's data folder, with trailing separator ("new.htm" is read from it)
    TQrx* qrx = nullptr;  // the open project; not owned
    TItemList ContentsItems;
    TItemList NonContentsItems; // pages out of the table of contents
    std::vector<TTextForWeb> Texts;
    TSortedFileList FileListForCopy;
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

    bool m_newPageLoaded = false;
    QString m_newPage;
};
