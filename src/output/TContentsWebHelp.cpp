// The web help generators of TContents: topic pages, contents trees, the
// keyword index, the search data and the icons.
#include "TContents.h"

#include "Entities.h"
#include "IndexKeywords.h"
#include "Folders.h"
#include "HtmlCleanup.h"
#include "PageFiles.h"
#include "PageParts.h"
#include "Paths.h"
#include "THTMLRefer.h"
#include "TPageTemplate.h"
#include "TQrx.h"
#include "TextSearch.h"
#include "WebHelpPages.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSet>

#include <algorithm>

namespace {

const QLatin1String CrLf("\r\n");
const QString Utf8Charset = QStringLiteral("UTF-8");

bool isPageFile(const QString& file)
{
    const qsizetype dot = file.lastIndexOf(u'.');
    if (dot < 0 || file.indexOf(u'/', dot) >= 0)
        return false;
    const QString suffix = file.mid(dot).toLower();
    return suffix == u".htm" || suffix == u".html";
}

// Creates each folder once per run.
class TFolderMaker {
public:
    void MakeFor(const QString& file)
    {
        const QString folder = file.left(file.lastIndexOf(u'/'));
        if (m_made.contains(folder))
            return;
        QDir().mkpath(folder);
        m_made.insert(folder);
    }

private:
    QSet<QString> m_made;
};

QString Indent(qsizetype levels)
{
    QString indent;
    for (qsizetype n = 1; n < levels; ++n)
        indent += QLatin1String("&nbsp;&nbsp;&nbsp;&nbsp;");
    return indent;
}

// What a tree entry of web help opens.
struct TWebEntry {
    enum Kind {
        Heading, // nothing: a click opens or closes its branch
        Page,    // a topic page below "topics"
        Outside, // an address outside the help, in a window of its own
    };
    Kind kind = Heading;
    QString Address; // encoded, relative to the output folder
};

// A page that does not exist, or lies outside the project folder and is not
// copied (Fill and the collection report both), is left out: its entry
// shows as a heading.
TWebEntry webEntry(const TContents& contents, const TContentsItem& item)
{
    const QString topics = QStringLiteral("topics/");
    if (item.Status == StatusUnsaved && item.Accessible)
        return {TWebEntry::Page, topics + WebHelpAddress(item.Url)};
    if (item.Status == StatusOutside || (item.Status == StatusLinked && !item.Accessible && IsOutsideAddress(item.Url)))
        return item.Url.isEmpty() ? TWebEntry{} : TWebEntry{TWebEntry::Outside, ToSlashes(item.Url)};
    if (item.Status != StatusLinked)
        return {};
    if (item.Accessible)
        return contents.FileListForCopy.Allows(contents.ItemFilePath(item))
            ? TWebEntry{TWebEntry::Page, topics + WebHelpAddress(contents.PageUrl(item))}
            : TWebEntry{};
    // A link to a part of a page ("page.htm#part") names no file itself.
    const TUrlAnchor parts = SplitUrlAnchor(item.Url);
    const QString root = contents.qrx != nullptr ? contents.qrx->RootDir : QString();
    if (root.isEmpty() || parts.Page.isEmpty() || IsWindowsAbsolutePath(parts.Page))
        return {};
    const QString file = ProjectFilePath(root, parts.Page);
    const TSortedFileList& copied = contents.FileListForCopy;
    if (!file.startsWith(root) || !QFileInfo(file).isFile() || (copied.IsConfined() && !copied.Contains(file)))
        return {};
    return {TWebEntry::Page, topics + WebHelpAddress(file.mid(root.size()), parts.Anchor)};
}

} // namespace

void TContents::OutputPagesWebHelp(const QString& topicsFolder)
{
    if (qrx == nullptr || qrx->RootDir.isEmpty())
        return;
    const QString T = WithTrailingSeparator(topicsFolder);
    const QString& root = qrx->RootDir;
    QDir().mkpath(T);
    m_webTitles.clear();
    ConfineCopyList();

    TFolderMaker folders;
    const auto save = [&](const QString& page, const QString& target) {
        folders.MakeFor(target);
        if (SaveHtmlFile(page, target))
            m_webTitles.insert(target, GetTitle(page));
        else
            ReadInfo(this, QStringLiteral("Cannot write ") + target);
    };
    // A page of the table of contents that is written again below with its
    // template or script is not written first without it.
    const auto writesItem = [this](const TContentsItem& item) {
        if (!item.Accessible)
            return false;
        return item.Status != StatusLinked || FileListForCopy.Allows(ItemFilePath(item));
    };

    const QString templatePath = qrx->WebHelpTemplateSame ? qrx->HtmlHelpTemplate : qrx->WebHelpTemplate;
    const bool templated = !TrimBlanks(templatePath).isEmpty();
    TPageTemplate pageTemplate(ExtensionList);
    if (templated)
        pageTemplate.Load(ProjectFilePath(root, templatePath), FileListForCopy);

    QSet<QString> rewritten;
    for (const auto& item : ContentsItems)
        if (writesItem(*item) && !(templated && item->ApplyTemp))
            rewritten.insert(T + PageUrl(*item));

    const QStringList files = FileListForCopy.Paths();
    QSet<QString> copied;
    for (const QString& file : files) {
        ReadInfo(this, file);
        if (!file.startsWith(root))
            continue; // the list keeps to the project folder; this is a second guard
        const QString target = T + file.mid(root.size());
        copied.insert(target);
        if (rewritten.contains(target))
            continue;
        folders.MakeFor(target);
        if (!isPageFile(target)) {
            QFile::remove(target);
            QFile::copy(file, target); // a file that cannot be copied is skipped
            continue;
        }
        const auto loaded = m_pageTexts.constFind(file.toLower());
        const QString text = loaded != m_pageTexts.cend() ? *loaded : ReadTextFile(file);
        save(AddSavedFromMark(SetCharset(CleanWordHtml(WithFileNames(file, text)), Utf8Charset)), target);
    }

    if (templated) {
        MakeTemplatedPages(
            pageTemplate,
            [&](const TContentsItem& item, const QString& page) {
                save(SetCharset(page, Utf8Charset), T + PageUrl(item));
            },
            [this](const TContentsItem& item, TMakePagesPara& para) {
                para.Previous = WebHelpAddress(item.LastPage);
                para.Next = WebHelpAddress(item.NextPage);
                para.Nav = WebHelpBreadcrumb(item.Navigation);
                para.Page = AddSavedFromMark(item.All);
                para.BeforeBody = WebHelpSyncScript(PageUrl(item), item.Index);
            });
        // Pages out of the table of contents get the template too, without neighbours.
        for (const auto& item : NonContentsItems) {
            if (item->Status != StatusLinked || item->ApplyTemp || !item->Accessible)
                continue;
            const QString target = T + PageUrl(*item);
            const QString pageFile = ItemFilePath(*item);
            if (!copied.contains(target) || !FileListForCopy.Allows(pageFile))
                continue;
            TMakePagesPara para;
            para.Title = item->Title;
            const auto loaded = m_pageTexts.constFind(pageFile.toLower());
            para.Page = AddSavedFromMark(WithFileNames(pageFile, loaded != m_pageTexts.cend() ? *loaded : ReadTextFile(pageFile)));
            save(SetCharset(pageTemplate.Merge(pageFile, para), Utf8Charset), target);
        }
        return;
    }

    for (const auto& item : ContentsItems) {
        if (!writesItem(*item))
            continue;
        const QString url = PageUrl(*item);
        // Encoded: the title is the tab's text, never markup.
        const QString page = SetTitle(AddSavedFromMark(SetCharset(WithFileNames(ItemFilePath(*item), item->All), Utf8Charset)),
                                      EncodeEntities(item->Title));
        save(InsertAfterBodyTag(page, WebHelpSyncScript(url, item->Index)), T + url);
    }
}

void TContents::GetTextsForSearch(const QString& topicsFolder)
{
    if (qrx == nullptr || qrx->RootDir.isEmpty())
        return;
    const QString T = WithTrailingSeparator(topicsFolder);
    const QString& root = qrx->RootDir;
    const QStringList files = FileListForCopy.Paths();
    for (const QString& file : files) {
        if (!file.startsWith(root))
            continue;
        const QString relative = file.mid(root.size());
        const QString target = T + relative;
        if (!isPageFile(target))
            continue;
        const auto loaded = m_pageTexts.constFind(file.toLower());
        const QString source = loaded != m_pageTexts.cend() ? *loaded : ReadTextFile(file);
        const auto written = m_webTitles.constFind(target);
        TTextForWeb record;
        record.Text = WebHelpPlainText(source);
        record.Title = written != m_webTitles.cend() ? *written : GetTitle(ReadTextFile(target));
        record.url = QStringLiteral("topics/") + WebHelpAddress(relative);
        Texts.push_back(std::move(record));
    }
}

void TContents::CopyIconForWebHelp(const QString& outputFolder)
{
    const QString set = CDir + QStringLiteral("webhelp/");
    const QString icons = WithTrailingSeparator(outputFolder) + QStringLiteral("icons/");
    QDir().mkpath(icons);
    CopyFolder(set + QStringLiteral("imgs"), icons);
    if (qrx != nullptr && qrx->RealColorIcon) {
        CopyFolder(set + QStringLiteral("ricons"), icons);
        return;
    }
    QSet<int> numbers;
    for (const auto& item : ContentsItems) {
        if (item->Icon >= 1 && item->Icon <= 8)
            numbers.insert(item->Icon % 2 == 1 ? item->Icon + 1 : item->Icon - 1);
        numbers.insert(item->Icon);
    }
    for (const int number : std::as_const(numbers)) {
        const QString name = QString::number(number) + QStringLiteral(".gif");
        const QString source = set + QStringLiteral("icons/") + name;
        if (!QFileInfo::exists(source))
            continue; // such as 0.gif
        QFile::remove(icons + name);
        QFile::copy(source, icons + name);
    }
}

QString TContents::MakeJs()
{
    return MakeWebTree(true);
}

QString TContents::MakeHTML()
{
    return MakeWebTree(false);
}

QString TContents::MakeWebTree(bool scripted) const
{
    const bool drawLines = qrx == nullptr || qrx->DrawLines;
    const bool fromRoot = qrx == nullptr || qrx->StartFromRoot;
    const bool realColor = qrx != nullptr && qrx->RealColorIcon;
    QString tree;
    tree.reserve(qsizetype(ContentsItems.size()) * 420 + 64);
    const auto img = [&tree](const QString& image) {
        tree += QLatin1String("<img src=\"icons/") + image + QLatin1String("\" class=\"p\">");
    };
    if (scripted)
        tree += QLatin1String("<script>SetEnv(") + QLatin1String(drawLines ? "0" : "1")
            + QLatin1String(qrx != nullptr && qrx->AutoCollapse ? ",true)</script>" : ",false)</script>");
    if (ContentsItems.empty())
        return scripted ? tree + QLatin1String("<script>divlist = []</script>") : tree;

    int prev = ContentsItems.front()->Level;
    const int firstColumn = fromRoot ? 1 : 2;
    std::vector<bool> laterSibling; // by level: the latest entry there has a later sibling
    QString divlist;
    for (size_t n = 0; n < ContentsItems.size(); ++n) {
        const TContentsItem& item = *ContentsItems[n];
        const int L = item.Level;
        const QString i = QString::number(n);
        const bool later = !item.LastInTheSameLevel;
        const int p = n == 0 ? (later ? 0 : 3) : (later ? 1 : 2);
        if (laterSibling.size() <= size_t(L))
            laterSibling.resize(size_t(L) + 1, false);
        laterSibling[size_t(L)] = later;

        for (int k = prev; k > L; --k)
            tree += QLatin1String("</div>");
        for (int k = prev; k < L; ++k) {
            const QString parent = QString::number(n - 1);
            tree += QLatin1String("<div id=\"d") + parent
                + QLatin1String(scripted ? "\" style=\"display:none\">" : "\">");
            if (scripted) {
                if (!divlist.isEmpty())
                    divlist += u',';
                divlist += parent;
            }
        }
        tree += QLatin1String("<div><nobr>");
        for (int k = firstColumn; k < L; ++k)
            img(WebHelpColumn(laterSibling[size_t(k)], drawLines));
        if (fromRoot || L > 1) {
            if (item.HasChildNode) {
                tree += QLatin1String(scripted ? "<a href=\"#\" onClick=\"return NodeClick('" : "<a href=\"#\"");
                if (scripted)
                    tree += i + QLatin1String("')\"");
                tree += QLatin1String("><img id=\"imgn") + i + QLatin1String("\" src=\"icons/")
                    + WebHelpClosedExpander(p, drawLines) + QLatin1String("\" class=\"p\"></a>");
            } else {
                img(WebHelpConnector(p, drawLines));
            }
        }

        const TWebEntry entry = webEntry(*this, item);
        const bool opens = entry.kind == TWebEntry::Page || entry.kind == TWebEntry::Outside;
        const TWebIconPair icons = WebHelpIconPair(item.Icon, item.HasChildNode, realColor);
        const QString title = EncodeEntities(item.Title);
        // An entry without a page links nowhere: a click opens or closes its
        // branch. The static tree shows it as text.
        tree += QLatin1String("<a");
        if (opens || scripted)
            tree += QLatin1String(" href=\"") + (opens ? EncodeEntities(entry.Address) : QStringLiteral("#")) + u'"';
        if (scripted) {
            tree += QLatin1String(" onclick=\"return LinkClick('") + i + QLatin1String(item.HasChildNode ? "',true," : "',false,")
                + QLatin1String(opens ? "true" : "false") + QLatin1String(")\"");
            if (item.HasChildNode)
                tree += QLatin1String(" onDblClick=\"return LinkDblClick('") + i + QLatin1String("')\"");
        }
        if (entry.kind == TWebEntry::Page)
            tree += QLatin1String(" target=\"content\"");
        else if (entry.kind == TWebEntry::Outside)
            tree += QLatin1String(" target=\"_blank\" rel=\"noopener\"");
        tree += QLatin1String(" title=\"") + title + u'"';
        if (scripted)
            tree += QLatin1String(" onmousemove=\"window.status='") + WebHelpAttributeJs(item.Title) + QLatin1String("'\"");
        tree += QLatin1String("><img ");
        if (item.HasChildNode)
            tree += QLatin1String("id=\"img") + i + QLatin1String("\" ");
        tree += QLatin1String("src=\"icons/") + (scripted || !item.HasChildNode ? icons.Closed : icons.Open)
            + QLatin1String("\" class=\"p\"> <span id=\"l") + i + QLatin1String("\" class=\"unselected\">") + title
            + QLatin1String("</span></a></nobr></div>") + CrLf;
        prev = L;
    }
    for (int k = prev; k > 1; --k)
        tree += QLatin1String("</div>");
    if (scripted)
        tree += QLatin1String("<script>divlist = [") + divlist + QLatin1String("]</script>");
    return tree;
}

QString TContents::MakeIndexForWeb()
{
    std::vector<TIndexEntry> entries = SortedIndexKeywords(ContentsItems, Qt::CaseSensitive);
    // Only pages the web help holds (the keywords are of linked pages Fill read).
    std::erase_if(entries, [this](const TIndexEntry& entry) { return webEntry(*this, *entry.Item).kind != TWebEntry::Page; });
    if (entries.empty())
        return QString();
    QString list;
    list.reserve(qsizetype(entries.size()) * 120);
    QString prev;
    QStringList prevLevels;
    QString prevName;
    bool first = true;
    const auto close = [&list, &prevLevels, &prevName] {
        list += QLatin1String("]);\">") + Indent(prevLevels.size()) + EncodeEntities(prevName) + QLatin1String("</option>");
    };
    for (const TIndexEntry& entry : entries) {
        const bool newKeyword = first || entry.Keyword != prev;
        const QStringList levels = newKeyword ? KeywordLevels(entry.Keyword) : prevLevels;
        const TUrlAnchor parts = KeywordAnchor(levels.back());
        if (!first && newKeyword)
            close();
        if (newKeyword) {
            qsizetype shared = 0;
            while (shared < prevLevels.size() && shared < levels.size() && prevLevels[shared] == levels[shared])
                ++shared;
            // Headings above the keyword's own entry, indented by their
            // level; encoded like every keyword, so a "<" is text.
            for (qsizetype j = shared; j < levels.size() - 1; ++j)
                list += QLatin1String("<option>") + Indent(j + 1) + EncodeEntities(levels[j]) + QLatin1String("</option>")
                    + CrLf;
            list += QLatin1String("<option value=\"writepage([");
        } else {
            list += u',';
        }
        list += QLatin1String("['") + WebHelpAttributeJs(entry.Item->Title) + QLatin1String("','topics/")
            + WebHelpAttributeJs(WebHelpAddress(PageUrl(*entry.Item), parts.Anchor)) + QLatin1String("']");
        prev = entry.Keyword;
        prevLevels = levels;
        prevName = parts.Page;
        first = false;
    }
    close();
    return list;
}

QString TContents::OutputSearchJS() const
{
    QString js = QStringLiteral("var contents = new Array(");
    qsizetype size = 32;
    for (const TTextForWeb& record : Texts)
        size += record.Text.size() + record.Title.size() + record.url.size() + 16;
    js.reserve(size + size / 16);
    bool first = true;
    for (const TTextForWeb& record : Texts) {
        if (!first)
            js += u',';
        first = false;
        js += u'"' + WebHelpJsString(record.Text) + QLatin1String("\",\"") + WebHelpJsString(record.Title)
            + QLatin1String("\",\"") + WebHelpJsString(record.url) + u'"';
    }
    js += QLatin1String(");");
    return js;
}
