#include "ChmTopicTables.h"

#include "ChmBytes.h"
#include "TChmStringTable.h"

#include <QRegularExpression>

namespace {

constexpr quint16 InContentsFlag = 6;
constexpr quint16 NotInContentsFlag = 2;
constexpr quint32 NoTitle = 0xFFFFFFFF;
constexpr qsizetype UrlTableBlock = 0x1000;
constexpr qsizetype UrlTableEntry = 12;



// FNV-1a of the folded name: a stable identifier of the URL.
quint32 UrlId(const QByteArray& name)
{
    quint32 hash = 2166136261u;
    for (char c : name.toLower()) {
        hash ^= quint8(c);
        hash *= 16777619u;
    }
    return hash;
}

} // namespace

TChmTopicTables ChmTopicTables(const QList<TChmTopic>& topics, TChmStringTable& strings)
{
    TChmTopicTables tables;
    tables.UrlStrings = QByteArray(1, '\0');
    for (qsizetype index = 0; index < topics.size(); ++index) {
        const TChmTopic& topic = topics[index];
        // URL string entry: no full URL, no frame, then the page's name.
        QByteArray urlString;
        PutDword(urlString, 0);
        PutDword(urlString, 0);
        urlString += topic.Name + '\0';
        const quint32 urlStringOffset = TChmStringTable::AppendUnsplit(tables.UrlStrings, urlString);

        // The URL table comes in blocks that hold whole entries only.
        const qsizetype inBlock = tables.UrlTable.size() % UrlTableBlock;
        if (inBlock + UrlTableEntry > UrlTableBlock)
            tables.UrlTable.append(UrlTableBlock - inBlock, '\0');
        const quint32 urlTableOffset = quint32(tables.UrlTable.size());
        PutDword(tables.UrlTable, UrlId(topic.Name));
        PutDword(tables.UrlTable, quint32(index));
        PutDword(tables.UrlTable, urlStringOffset);

        PutDword(tables.Topics, 0); // no binary contents
        PutDword(tables.Topics, topic.Title.isEmpty() ? NoTitle : strings.Add(topic.Title));
        PutDword(tables.Topics, urlTableOffset);
        PutWord(tables.Topics, topic.InContents ? InContentsFlag : NotInContentsFlag);
        PutWord(tables.Topics, 0);
    }
    return tables;
}

QByteArray ChmPageTitle(const QByteArray& page)
{
    const QByteArray lower = page.toLower();
    const qsizetype open = lower.indexOf("<title");
    if (open < 0)
        return QByteArray();
    const qsizetype start = lower.indexOf('>', open);
    const qsizetype end = start < 0 ? -1 : lower.indexOf("</title", start);
    return end < 0 ? QByteArray() : page.mid(start + 1, end - start - 1).simplified();
}

QList<QByteArray> ChmContentsPages(const QByteArray& contents)
{
    static const QRegularExpression local(
        QStringLiteral("<param\\s+name\\s*=\\s*\"local\"\\s+value\\s*=\\s*\"([^\"]*)\""),
        QRegularExpression::CaseInsensitiveOption);
    QList<QByteArray> pages;
    // Latin-1 keeps every byte as one character, whatever the code page.
    const QString text = QString::fromLatin1(contents);
    for (auto match = local.globalMatch(text); match.hasNext();)
        pages.append(match.next().captured(1).toLatin1());
    return pages;
}
