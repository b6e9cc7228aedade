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
#include <QFile>
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

// A list whose names go out in two encodings: what a reader sees in the
// help's code page, names of files as the file system has them (UTF-8).
// Each run is converted at once; ASCII, the same bytes in both, never ends
// a run.
class TMixedEncoder {
public:
    // `codePage` 0 stands for the system's ANSI code page.
    explicit TMixedEncoder(int codePage)
        : m_codePage(codePage == 0 ? SystemAnsiCodePage() : codePage)
    {
    }
    void AppendText(QStringView text) { Append(text, false); }
    void AppendFileName(QStringView text) { Append(text, true); }
    QByteArray Take()
    {
        Flush();
        return std::move(m_bytes);
    }

private:
    void Append(QStringView text, bool fileName)
    {
        if (fileName != m_fileNames && !IsAscii(text)) {
            Flush();
            m_fileNames = fileName;
        }
        m_run += text;
    }
    static bool IsAscii(QStringView text)
    {
        return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
    }
    void Flush()
    {
        if (!m_run.isEmpty())
            m_bytes += m_fileNames ? QFile::encodeName(m_run) : TextToAnsi(m_run, m_codePage);
        m_run.clear();
    }

    int m_codePage;
    bool m_fileNames = false;
    QString m_run;
    QByteArray m_bytes;
};

} // namespace

QByteArray TContents::MakeHHCList(int ansiCodePage) const
{
    if (ContentsItems.empty())
        return QByteArray();
    TMixedEncoder list(HtmlHelpCodepage != 0 ? HtmlHelpCodepage : ansiCodePage);
    list.AppendText(u"<UL>");
    int prev = ContentsItems.front()->Level;
    for (const auto& item : ContentsItems) {
        for (int n = prev; n > item->Level; --n)
            list.AppendText(u"</UL>");
        for (int n = prev; n < item->Level; ++n)
            list.AppendText(u"<UL>");
        list.AppendText(u"<LI><OBJECT type=\"text/sitemap\">\r\n<param name=\"Name\" value=\"");
        // Encoded before the conversion: a trail byte of a double-byte
        // character must never be taken for a character to encode.
        list.AppendText(EncodeEntities(item->Title));
        list.AppendText(u"\">\r\n<param name=\"Local\" value=\"");
        list.AppendFileName(ToSlashes(EncodeEntities(item->Url)));
        list.AppendText(u"\">\r\n");
        if (item->Icon != -1)
            list.AppendText(QString(QLatin1String("<param name=\"ImageNumber\" value=\"") + QString::number(item->Icon)
                                    + QLatin1String("\">\r\n")));
        list.AppendText(u"</OBJECT>\r\n");
        prev = item->Level;
    }
    for (int n = prev; n >= 2; --n)
        list.AppendText(u"</UL>");
    list.AppendText(u"</UL>");
    return list.Take();
}

QByteArray TContents::MakeHHKList() const
{
    const std::vector<TIndexEntry> entries = SortedIndexKeywords(ContentsItems, Qt::CaseInsensitive);
    TMixedEncoder list(HtmlHelpCodepage);
    QString text = QStringLiteral("<UL>");
    QString prev;
    QStringList prevLevels;
    bool first = true;
    for (const TIndexEntry& entry : entries) {
        const QString& keyword = entry.Keyword;
        const bool newKeyword = first || keyword != prev;
        const QStringList levels = newKeyword ? HtmlHelpKeywordLevels(keyword) : prevLevels;
        if (!first && newKeyword)
            text += QLatin1String("</OBJECT>");
        AppendLevelTransition(text, prevLevels, levels);
        const TUrlAnchor parts = SplitUrlAnchor(levels.back());
        // A last level that is only "#text" is a name, not an anchor.
        const QString name = parts.Page.isEmpty() ? levels.back() : parts.Page;
        const QString anchor =
            parts.Page.isEmpty() || parts.Anchor.isEmpty() ? QString() : QLatin1Char('#') + parts.Anchor;
        if (newKeyword) {
            text += QLatin1String("<LI><OBJECT type=\"text/sitemap\">\r\n<param name=\"Name\" value=\"");
            text += EncodeEntities(name);
            text += QLatin1String("\">\r\n");
        }
        text += QLatin1String("<param name=\"Name\" value=\"");
        text += EncodeEntities(entry.Item->Title);
        text += QLatin1String("\">\r\n<param name=\"Local\" value=\"");
        list.AppendText(text);
        list.AppendFileName(ToSlashes(EncodeEntities(entry.Item->Url + anchor)));
        text = QStringLiteral("\">\r\n");
        prev = keyword;
        prevLevels = levels;
        first = false;
    }
    if (!first)
        text += QLatin1String("</OBJECT>");
    AppendLevelTransition(text, prevLevels, QStringList());
    text += QLatin1String("</UL>");
    list.AppendText(text);
    return list.Take();
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
