// The single HTML output's generators: the whole table of contents as one
// page, each topic a numbered heading with its page's styles and body, links
// between topics turned into links to the headings.
#include "TContents.h"

#include "Entities.h"
#include "Paths.h"
#include "THTMLRefer.h"
#include "TQrx.h"
#include "TextSearch.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace {

const QString CRLF = QStringLiteral("\r\n");

// The mark Word leaves in the pages it saves: their styles are kept apart
// from the link rewriting.
bool isWordPage(const QString& all)
{
    return all.contains(u"<meta name=ProgId content=Word.Document>");
}

// HTML has headings h1 to h6; deeper topics share the smallest one.
QString headingTag(int level)
{
    return QLatin1Char('h') + QString::number(std::clamp(level, 1, 6));
}

} // namespace

struct TContents::TSingleHtmlLinks {
    QHash<QString, int> First; // lower-cased Url with "/" separators -> item index
};

namespace {

TContents::TSingleHtmlLinks topicLinks(const TContents::TItemList& items)
{
    TContents::TSingleHtmlLinks links;
    links.First.reserve(qsizetype(items.size()));
    for (const auto& item : items) {
        if (!item->Accessible || item->Url.isEmpty())
            continue;
        const QString key = ToLowerSameLength(ToSlashes(item->Url));
        if (!links.First.contains(key)) // the first topic showing a page gets its links
            links.First.insert(key, item->Index);
    }
    return links;
}

// The pieces (literal, reference, literal, ...) joined, each reference to a
// topic page turned into the topic's anchor; a reference followed by "#"
// is dropped, so "page.htm#part" becomes "#part", the page's own anchor.
QString changeLinks(const QStringList& pieces, const TContents::TSingleHtmlLinks& links)
{
    QString result;
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        const QString& piece = pieces[i];
        if (i % 2 == 0) {
            result += piece;
            continue;
        }
        const auto target = links.First.constFind(ToLowerSameLength(ToSlashes(piece)));
        if (target == links.First.cend())
            result += piece;
        else if (!pieces[i + 1].startsWith(u'#'))
            result += QStringLiteral("#A") + QString::number(*target);
    }
    return result;
}

} // namespace

void TContents::OutputPagesSingleHTML(const QString& outputFolder)
{
    if (qrx == nullptr || qrx->RootDir.isEmpty())
        return;
    const QString& root = qrx->RootDir;
    const QString folder = WithTrailingSeparator(outputFolder);
    const QStringList files = FileListForCopy.Paths();
    for (const QString& file : files) {
        if (!file.startsWith(root, Qt::CaseInsensitive))
            continue; // the copy list keeps to the project folder; this is a second guard
        const QString target = folder + file.mid(root.size());
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile::remove(target);
        if (!QFile::copy(file, target))
            ReadInfo(this, QStringLiteral("Cannot copy \"%1\" to \"%2\".").arg(file, target));
    }
}

QString TContents::MakeSingleHtmlTOC() const
{
    QString toc = QStringLiteral("<div class=\"toc\"><a name=\"toc\"></a>") + CRLF;
    for (const auto& item : ContentsItems) {
        for (int level = 1; level < item->Level; ++level)
            toc += QStringLiteral("&nbsp;&nbsp;&nbsp;&nbsp;");
        toc += item->ChapterNumber + QStringLiteral(" <a href=\"#A") + QString::number(item->Index)
            + QStringLiteral("\">") + EncodeEntities(item->Title) + QStringLiteral("</a><BR>") + CRLF;
    }
    toc += QStringLiteral("</div>");
    return toc;
}

QString TContents::MakeSingleHtml()
{
    QString html;
    AppendSingleHtml(html);
    return html;
}

void TContents::AppendSingleHtml(QString& html)
{
    if (qrx == nullptr)
        return;
    const QString& root = qrx->RootDir;
    TExtensionList scanned;
    if (ExtensionList.Count() == 0)
        scanned.ScanProjectExtensions(root);
    // One scanner for the whole file, the collection's when there is one:
    // it already knows which files exist.
    std::unique_ptr<THTMLRefer> ownRefer;
    if (!m_refer || ExtensionList.Count() == 0)
        ownRefer = std::make_unique<THTMLRefer>(ExtensionList.Count() == 0 ? scanned : ExtensionList);
    THTMLRefer& refer = ownRefer ? *ownRefer : *m_refer;
    const TSingleHtmlLinks links = topicLinks(ContentsItems);
    const QString back = QStringLiteral("<p align=\"right\" class=\"back\">[<a href=\"#toc\">TOP</a>]</p>");
    QHash<QString, QString> rebased; // page folder + reference -> the reference from the project folder

    qsizetype expected = html.size(); // the file is tens of megabytes: grown once, not by doubling
    for (const auto& item : ContentsItems)
        expected += item->Style.size() + item->Content.size() + item->Title.size() + 160;
    html.reserve(expected);
    QStringList pieces;
    const auto line = [&html](const QString& text) {
        html += text;
        html += CRLF;
    };
    for (const auto& item : ContentsItems) {
        const QString tag = headingTag(item->Level);
        line(QStringLiteral("<a name=\"A") + QString::number(item->Index) + QStringLiteral("\"></a><") + tag
             + QLatin1Char('>') + item->ChapterNumber + QLatin1Char(' ') + EncodeEntities(item->Title)
             + QStringLiteral("</") + tag + QLatin1Char('>'));
        if (item->Status == StatusUnsaved) {
            line(QStringLiteral("New Topic."));
            continue;
        }
        if (item->Status != StatusLinked || !item->Accessible)
            continue;
        ReadInfo(this, item->Url);
        const bool word = isWordPage(item->All);
        const QString text = word ? item->Content : item->Style + item->Content;
        if (word)
            line(item->Style);
        // References are written from the page's folder; the file sits
        // where the project folder is. They are re-addressed, named as the
        // files are on disk, and rewritten in the same pass; those of a page
        // in the project folder whose names are exact stay as written.
        const auto read = m_pageFiles.constFind(item->Url);
        const QString pageFile = read != m_pageFiles.cend() ? *read : ItemFilePath(*item);
        const QString pageFolder = WithTrailingSeparator(QFileInfo(pageFile).absolutePath());
        const bool inRoot = pageFolder == root;
        refer.GetTemplate(text, pageFolder, pieces);
        for (qsizetype i = 1; i < pieces.size(); i += 2) {
            const QString key = pageFolder + pieces[i];
            auto known = rebased.constFind(key);
            if (known == rebased.cend()) {
                const QString path = NormalizePath(key);
                const QString file = refer.ExistingFile(path);
                known = rebased.insert(key, inRoot && (file.isEmpty() || file == path)
                                                ? pieces[i]
                                                : RelativeUrl(root, file.isEmpty() ? path : file));
            }
            pieces[i] = *known;
        }
        line(changeLinks(pieces, links));
        if (qrx->SingleHtmlHasToc)
            line(back);
    }
}

QString TContents::ChangeLinkForSingleHtml(const QString& text) const
{
    if (qrx == nullptr)
        return text;
    TExtensionList scanned;
    if (ExtensionList.Count() == 0)
        scanned.ScanProjectExtensions(qrx->RootDir);
    THTMLRefer refer(ExtensionList.Count() == 0 ? scanned : ExtensionList);
    return ChangeLinkForSingleHtml(text, topicLinks(ContentsItems), refer);
}

QString TContents::ChangeLinkForSingleHtml(const QString& text, const TSingleHtmlLinks& links,
                                           THTMLRefer& refer) const
{
    if (qrx == nullptr || links.First.isEmpty())
        return text;
    QStringList pieces;
    refer.GetTemplate(text, qrx->RootDir, pieces);
    if (pieces.size() == 1)
        return text;
    return changeLinks(pieces, links);
}
