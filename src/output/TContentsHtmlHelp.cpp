// The HTML Help lists of TContents: the bodies of the contents and index
// files and the context map.
#include "TContents.h"

#include "CodePages.h"
#include "Entities.h"
#include "IndexKeywords.h"
#include "Languages.h"
#include "Paths.h"
#include "TLeftTreeData.h"
#include "TextSearch.h"

#include <QCollator>
#include <QLocale>
#include <QStringList>

#include <algorithm>

namespace {

const QLatin1String CrLf("\r\n");

// An empty keyword has no levels here.
QStringList HtmlHelpKeywordLevels(const QString& keyword)
{
    return keyword.isEmpty() ? QStringList() : KeywordLevels(keyword);
}

// What closes the entries of the previous keyword that the current one does
// not share and opens the levels of the current one above its own entry.
void AppendLevelTransition(QString& text, const QStringList& from, const QStringList& to)
{
    qsizetype shared = 0;
    while (shared < from.size() && shared < to.size() && from[shared] == to[shared])
        ++shared;
    for (qsizetype n = from.size() - shared - 1; n > 0; --n)
        text += QLatin1String("</UL>\r\n");
    if (!from.isEmpty() && shared == from.size() && to.size() > from.size())
        text += QLatin1String("<UL>\r\n");
    for (qsizetype j = shared; j < to.size() - 1; ++j) {
        text += QLatin1String("<LI> <OBJECT type=\"text/sitemap\">\r\n<param name=\"Name\" value=\"");
        text += to[j];
        text += QLatin1String("\">\r\n<param name=\"See Also\" value=\"");
        text += to[j];
        text += QLatin1String("\">\r\n</OBJECT>\r\n<UL>\r\n");
    }
}

// Text in more than one code page, converted a run at a time: one
// conversion for a whole list when both code pages are the same.
class TMixedEncoder {
public:
    // `codePage` 0 stands for the system's ANSI code page.
    void Append(QStringView text, int codePage)
    {
        if (codePage == 0) {
            if (m_systemPage == 0)
                m_systemPage = SystemAnsiCodePage();
            codePage = m_systemPage;
        }
        if (codePage != m_page)
            Flush();
        m_page = codePage;
        m_run += text;
    }
    QByteArray Take()
    {
        Flush();
        return std::move(m_bytes);
    }

private:
    void Flush()
    {
        if (!m_run.isEmpty())
            m_bytes += TextToAnsi(m_run, m_page);
        m_run.clear();
    }

    int m_page = 0;
    int m_systemPage = 0;
    QString m_run;
    QByteArray m_bytes;
};

} // namespace

QByteArray TContents::MakeHHCList(int ansiCodePage) const
{
    if (ContentsItems.empty())
        return QByteArray();
    const int nameCodePage = HtmlHelpCodepage != 0 ? HtmlHelpCodepage : ansiCodePage;
    TMixedEncoder list;
    list.Append(u"<UL>", ansiCodePage);
    int prev = ContentsItems.front()->Level;
    for (const auto& item : ContentsItems) {
        for (int n = prev; n > item->Level; --n)
            list.Append(u"</UL>", ansiCodePage);
        for (int n = prev; n < item->Level; ++n)
            list.Append(u"<UL>", ansiCodePage);
        list.Append(u"<LI><OBJECT type=\"text/sitemap\">\r\n<param name=\"Name\" value=\"", ansiCodePage);
        // Encoded before the conversion: a trail byte of a double-byte
        // character must never be taken for a character to encode.
        list.Append(EncodeEntities(item->Title), nameCodePage);
        list.Append(QString(QLatin1String("\">\r\n<param name=\"Local\" value=\"") + ToSlashes(EncodeEntities(item->Url))
                            + QLatin1String("\">\r\n")),
                    ansiCodePage);
        if (item->Icon != -1)
            list.Append(QString(QLatin1String("<param name=\"ImageNumber\" value=\"") + QString::number(item->Icon)
                                + QLatin1String("\">\r\n")),
                        ansiCodePage);
        list.Append(u"</OBJECT>\r\n", ansiCodePage);
        prev = item->Level;
    }
    for (int n = prev; n >= 2; --n)
        list.Append(u"</UL>", ansiCodePage);
    list.Append(u"</UL>", ansiCodePage);
    return list.Take();
}

QByteArray TContents::MakeHHKList() const
{
    const std::vector<TIndexEntry> entries = SortedIndexKeywords(ContentsItems, Qt::CaseInsensitive);
    QString list = QStringLiteral("<UL>");
    list.reserve(qsizetype(entries.size()) * 160 + 16);
    QString prev;
    QStringList prevLevels;
    bool first = true;
    for (const TIndexEntry& entry : entries) {
        const QString& keyword = entry.Keyword;
        const bool newKeyword = first || keyword != prev;
        const QStringList levels = newKeyword ? HtmlHelpKeywordLevels(keyword) : prevLevels;
        if (!first && newKeyword)
            list += QLatin1String("</OBJECT>");
        AppendLevelTransition(list, prevLevels, levels);
        const TUrlAnchor parts = SplitUrlAnchor(levels.back());
        // A last level that is only "#text" is a name, not an anchor.
        const QString name = parts.Page.isEmpty() ? levels.back() : parts.Page;
        const QString anchor =
            parts.Page.isEmpty() || parts.Anchor.isEmpty() ? QString() : QLatin1Char('#') + parts.Anchor;
        if (newKeyword) {
            list += QLatin1String("<LI><OBJECT type=\"text/sitemap\">\r\n<param name=\"Name\" value=\"");
            list += EncodeEntities(name);
            list += QLatin1String("\">\r\n");
        }
        list += QLatin1String("<param name=\"Name\" value=\"");
        list += EncodeEntities(entry.Item->Title);
        list += QLatin1String("\">\r\n<param name=\"Local\" value=\"");
        list += ToSlashes(EncodeEntities(entry.Item->Url + anchor));
        list += QLatin1String("\">\r\n");
        prev = keyword;
        prevLevels = levels;
        first = false;
    }
    if (!first)
        list += QLatin1String("</OBJECT>");
    AppendLevelTransition(list, prevLevels, QStringList());
    list += QLatin1String("</UL>");
    return TextToAnsi(list, HtmlHelpCodepage);
}

void TContents::MakeContextSensitive(QString& Alias, QString& Map) const
{
    Alias.clear();
    Map.clear();
    for (const TItemList* items : {&ContentsItems, &NonContentsItems}) {
        for (const auto& item : *items) {
            if (item->Status != StatusLinked || !item->Accessible)
                continue;
            const QString number = TrimBlanks(item->ContextNumber);
            if (number.isEmpty())
                continue;
            // "/" like the contents and the index: chmcmd finds no page
            // for a target written with "\".
            Alias += QLatin1String("IDH_ID") + number + QLatin1Char('=') + ToSlashes(item->Url) + CrLf;
            Map += QLatin1String("#define IDH_ID") + number + QLatin1Char(' ') + number + CrLf;
        }
    }
}
