#include "TContents.h"

#include "Entities.h"
#include "HtmlCleanup.h"
#include "Languages.h"
#include "PageFiles.h"
#include "PageParts.h"
#include "Paths.h"
#include "ProgramFolder.h"
#include "QuorixError.h"
#include "THTMLRefer.h"
#include "TQrx.h"
#include "TextSearch.h"

#include <QFileInfo>

namespace {

// One ancestor in a breadcrumb: its entity-encoded title and its link.
struct TCrumb {
    QString Title;
    QString Url;
};

QString Breadcrumb(const QString& url, const std::vector<TCrumb>& ancestors)
{
    QString navigation;
    for (const TCrumb& crumb : ancestors) {
        if (!TrimBlanks(crumb.Url).isEmpty())
            navigation += QLatin1String("<A href=\"") + RelativeUrl(url, crumb.Url) + QLatin1String("\">")
                + crumb.Title + QLatin1String("</A> &gt; ");
        else
            navigation += crumb.Title + QLatin1String(" &gt; ");
    }
    return navigation;
}

} // namespace

TContents::TContents()
    : CDir(WithTrailingSeparator(ProgramDataFolder()))
{
}

TContents::~TContents() = default;

void TContents::Fill()
{
    if (qrx == nullptr)
        return;
    if (IsWindowsAbsolutePath(qrx->RootDir))
        throw EQuorixError(QStringLiteral("The project folder \"%1\" is a Windows path. Open the project from its "
                                          "folder on this computer, or set the root folder in the project settings.")
                               .arg(qrx->RootDir));
    ContentsItems.clear();
    NonContentsItems.clear();
    UnsavedIndex = 1;
    lastItem = nullptr;
    m_pageTexts.clear();
    m_pageFiles.clear();
    m_newPageLoaded = false;
    m_newPage.clear();

    Fill2(qrx->tnTableOfContents, ContentsItems);
    lastItem = nullptr;
    Fill2(qrx->tnUnvisiblePages, NonContentsItems);
    if (!ContentsItems.empty())
        preprocess();
    HtmlHelpCodepage = LanguageTable().GetCodepageById(qrx->Language);
    const QString defaultFile = SettingFilePath(qrx->DefaultTopic);
    if (!defaultFile.isEmpty() && !QFileInfo(defaultFile).isFile())
        ReadInfo(this, QStringLiteral("Warning: The default topic \"%1\" names a page that does not exist.")
                           .arg(qrx->DefaultTopic));
}

// Walks the subtree without recursion (nesting depth is unbounded); the
// ancestors of the node at hand are kept for its breadcrumb.
void TContents::Fill2(const TopicNode* parentNode, TItemList& fillTo)
{
    std::vector<const TopicNode*> path{parentNode}; // the node's ancestors, down from parentNode
    std::vector<TCrumb> ancestors;
    for (const TopicNode* node = parentNode->next(parentNode); node != nullptr; node = node->next(parentNode)) {
        const TLeftTreeData& entry = node->entry();
        while (path.back() != node->parent())
            path.pop_back();
        const int level = int(path.size());
        path.push_back(node);
        ancestors.resize(size_t(level - 1));

        fillTo.push_back(std::make_unique<TContentsItem>());
        TContentsItem& item = *fillTo.back();
        item.Index = int(fillTo.size()) - 1;
        item.Title = node->text();
        item.Level = level;
        item.Icon = node->imageIndex() + 1;
        item.Status = entry.Status;
        item.Keywords = entry.Keywords;
        item.ContextNumber = entry.ContextNumber;
        item.ApplyTemp = entry.ApplyTemp;

        if (entry.Status == StatusLinked) {
            item.Url = entry.Url;
            if (DefaultPage.isEmpty())
                DefaultPage = item.Url;
            LoadPage(item);
        } else if (entry.Status == StatusUnsaved) {
            HasUnsavedpage = true;
            if (DefaultPage.isEmpty())
                DefaultPage = QStringLiteral("$$unsavedpage1.htm");
            item.Url = QStringLiteral("$$unsavedpage") + QString::number(UnsavedIndex++) + QStringLiteral(".htm");
            LoadNewPage(item);
            ReadInfo(this, QStringLiteral("Warning: The page of the topic \"%1\" has not been saved yet; save it so "
                                          "that its text is in the outputs.")
                               .arg(item.Title));
        }

        if (entry.Status == StatusOutside)
            item.Url = entry.Url; // the address web help opens; no page is read

        // Links name the files as they are on disk, which a project made on
        // Windows may spell in another case than its Urls.
        if (item.Accessible) {
            const QString url = PageUrl(item);
            item.Navigation = Breadcrumb(url, ancestors);
            // Pages without text are not in the chain: neighbours are the
            // nearest accessible items in pre-order.
            if (lastItem != nullptr) {
                const QString last = PageUrl(*lastItem);
                lastItem->NextPage = RelativeUrl(last, url);
                item.LastPage = RelativeUrl(url, last);
            }
            lastItem = &item;
        }
        if (node->hasChildren())
            ancestors.push_back({EncodeEntities(item.Title), item.Status == StatusOutside ? QString() : PageUrl(item)});
    }
}

void TContents::LoadPage(TContentsItem& item)
{
    const QString path = PageFilePath(item.Url);
    if (path.isEmpty())
        return;
    // A missing page reads as empty text; only then is it worth asking
    // whether the file is there at all.
    const QString text = ReadTextFile(path);
    if (text.isEmpty() && !QFileInfo(path).isFile()) {
        // An outside address ("mailto:") is no page of the project to miss.
        if (!IsOutsideAddress(item.Url) && !QFileInfo(PageFilePath(SplitUrlAnchor(item.Url).Page)).isFile())
            ReadInfo(this, QStringLiteral("Warning: The page \"%1\" of the topic \"%2\" does not exist.")
                               .arg(item.Url, item.Title));
        return;
    }
    item.All = CleanWordHtml(text);
    m_pageFiles.insert(item.Url, path);
    if (item.All == text)
        m_pageTexts.insert(path.toLower(), text);
    item.Content = GetBody(item.All);
    item.Style = ExtractHeadStyles(item.All);
    item.Accessible = true;
}

void TContents::LoadNewPage(TContentsItem& item)
{
    item.All = NewPageTemplate();
    item.Content = GetBody(item.All);
    item.Accessible = true;
}

// Read once per Fill: every unsaved topic shows the same new page.
QString TContents::NewPageTemplate()
{
    if (m_newPageLoaded)
        return m_newPage;
    m_newPageLoaded = true;
    if (qrx->DefaultTemplate) {
        m_newPage = ReplaceNoCase(ReadTextFile(CDir + QStringLiteral("new.htm")), QStringLiteral("($CHARSET$)"),
                                  qrx->Encoding);
        return m_newPage;
    }
    if (qrx->CustomTemplate.isEmpty())
        return m_newPage;
    const QString path = ResolveProjectPath(qrx->RootDir, qrx->CustomTemplate);
    if (IsWindowsAbsolutePath(path)) {
        ReadInfo(this, QStringLiteral("The page template \"%1\" is a Windows path and cannot be read here; "
                                      "new pages are left empty.")
                           .arg(qrx->CustomTemplate));
        return m_newPage;
    }
    if (IsAbsolutePath(path))
        m_newPage = ReadTextFile(path);
    return m_newPage;
}

QString TContents::PageFilePath(const QString& url)
{
    if (url.isEmpty() || qrx->RootDir.isEmpty())
        return QString();
    if (IsWindowsAbsolutePath(url)) {
        ReadInfo(this, QStringLiteral("The page \"%1\" is a Windows path and cannot be read here.").arg(url));
        return QString();
    }
    return ProjectFilePath(qrx->RootDir, url);
}

// The recursion over levels of siblings runs on an explicit stack of
// levels: a cursor walks the list once; each frame numbers the siblings of
// one level and remembers the item whose children it descended into.
void TContents::preprocess()
{
    struct Frame {
        int Level;
        int Number;      // sibling counter
        QString Chapter; // chapter text of the parent
        int Parent;      // the item whose children are being numbered below, or -1
    };
    const int count = int(ContentsItems.size());
    if (count == 0)
        return;
    auto item = [this](int index) -> TContentsItem& { return *ContentsItems[size_t(index)]; };

    int cursor = 0;
    std::vector<Frame> frames{{item(0).Level, 1, QString(), -1}};
    bool numberAtCursor = true;
    while (!frames.empty()) {
        Frame& frame = frames.back();
        if (numberAtCursor) {
            TContentsItem& current = item(cursor);
            const QString childChapter = frame.Level == 1
                ? QString::number(frame.Number)
                : frame.Chapter + QLatin1Char('.') + QString::number(frame.Number);
            current.ChapterNumber = frame.Level == 1 ? childChapter + QLatin1Char('.') : childChapter;
            if (cursor == count - 1) {
                current.HasChildNode = false;
                current.LastInTheSameLevel = true;
                frames.pop_back();
                numberAtCursor = false;
                continue;
            }
            const int nextLevel = item(cursor + 1).Level;
            if (nextLevel > frame.Level) {
                current.HasChildNode = true;
                frame.Parent = cursor;
                ++cursor;
                frames.push_back({nextLevel, 1, childChapter, -1});
                continue;
            }
            current.HasChildNode = false;
            current.LastInTheSameLevel = nextLevel != frame.Level;
            ++cursor;
        } else {
            // Back from the children of frame.Parent: the cursor stands on
            // the first item after them, or on the last item of the list.
            item(frame.Parent).LastInTheSameLevel = item(cursor).Level != frame.Level;
        }
        if (item(cursor).Level == frame.Level) {
            ++frame.Number;
            numberAtCursor = true;
        } else {
            frames.pop_back();
            numberAtCursor = false;
        }
    }
}
