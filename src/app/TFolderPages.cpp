#include "TFolderPages.h"

#include "PageFiles.h"
#include "PageParts.h"
#include "TQrx.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace {

bool isPage(const QString& name)
{
    return name.endsWith(u".htm", Qt::CaseInsensitive) || name.endsWith(u".html", Qt::CaseInsensitive);
}

// Without regard to case; names that differ only in case keep one order.
bool nameBefore(const QFileInfo& a, const QFileInfo& b)
{
    const int folded = a.fileName().compare(b.fileName(), Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a.fileName() < b.fileName();
}

// The text up to the end of the first `marker` (lower-case, starting with
// "<"), letters compared as the page routines fold them; empty when there is
// none. Titles and first headings end there, so the rest of a long page
// need not be folded.
QString upToFirst(const QString& text, QStringView marker)
{
    const auto folded = [](QChar c) {
        const char16_t u = c.unicode();
        return u < 0x80 ? (u >= u'A' && u <= u'Z' ? char16_t(u + 32) : u) : QChar::toLower(u);
    };
    for (qsizetype at = text.indexOf(marker[0]); at >= 0 && at + marker.size() <= text.size();
         at = text.indexOf(marker[0], at + 1)) {
        qsizetype matched = 1;
        while (matched < marker.size() && folded(text[at + matched]) == marker[matched].unicode())
            ++matched;
        if (matched == marker.size())
            return text.left(at + marker.size());
    }
    return QString();
}

} // namespace

TFolderPages::TFolderPages(const QString& folder, bool keepStructure, TPageTitleMode mode,
                           const std::function<void(const QString&)>& onPage)
    : m_keepStructure(keepStructure)
    , m_mode(mode)
    , m_onPage(onPage)
    , m_canonicalRoot(QFileInfo(folder).canonicalFilePath())
{
    if (m_canonicalRoot.isEmpty())
        return;
    std::vector<QString> openFolders{m_canonicalRoot};
    list(folder, QString(), m_entries, openFolders);
}

bool TFolderPages::followsLink(const QString& target) const
{
    // A broken link has no target; one out of the folder is not the author's page.
    if (target.isEmpty())
        return false;
    return target == m_canonicalRoot || target.startsWith(m_canonicalRoot + QLatin1Char('/'))
        || m_canonicalRoot == u"/";
}

QString TFolderPages::titleOf(const QString& file, const QString& name) const
{
    switch (m_mode) {
    case TPageTitleMode::TitleElement:
        return GetTitle(upToFirst(ReadTextFile(file), u"</title>"));
    case TPageTitleMode::FirstHeading:
        return GetH1Title(upToFirst(ReadTextFile(file), u"</h1"));
    case TPageTitleMode::NameWithoutExtension:
        return QFileInfo(name).completeBaseName();
    case TPageTitleMode::FileName:
        break;
    }
    return name;
}

void TFolderPages::list(const QString& folder, const QString& storedFolder, std::vector<TEntry>& into,
                        std::vector<QString>& openFolders)
{
    QFileInfoList infos =
        QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
    std::sort(infos.begin(), infos.end(), nameBefore);
    for (const QFileInfo& info : std::as_const(infos)) {
        const QString name = info.fileName();
        if (info.isSymLink() && !followsLink(info.canonicalFilePath()))
            continue;
        if (info.isDir()) {
            const QString canonical = info.canonicalFilePath();
            // A link back into a folder being listed would never end.
            if (std::find(openFolders.cbegin(), openFolders.cend(), canonical) != openFolders.cend())
                continue;
            openFolders.push_back(canonical);
            std::vector<TEntry> pages;
            list(info.filePath(), storedFolder + name + QLatin1Char('\\'), pages, openFolders);
            openFolders.pop_back();
            if (pages.empty())
                continue;
            if (m_keepStructure)
                into.push_back({name, QString(), std::move(pages)});
            else
                std::move(pages.begin(), pages.end(), std::back_inserter(into));
        } else if (info.isFile() && isPage(name)) {
            into.push_back({titleOf(info.filePath(), name), storedFolder + name, {}});
            ++m_pageCount;
            if (m_onPage)
                m_onPage(info.filePath());
        }
    }
}

void TFolderPages::append(TQrx& project, TopicNode* parent, const std::vector<TEntry>& entries)
{
    for (const TEntry& entry : entries) {
        TLeftTreeData data;
        data.Url = entry.Url;
        data.Status = entry.Url.isEmpty() ? StatusNoLink : StatusLinked;
        TopicNode* node = project.Tree().appendNode(parent, entry.Title, data);
        append(project, node, entry.Children);
    }
}

void TFolderPages::AddTo(TQrx& project, TopicNode* parent) const
{
    {
        TopicTree::BulkChange bulk(project.Tree());
        append(project, parent, m_entries);
    }
    project.SetIcon();
}
