#include "PageParts.h"

#include "Entities.h"
#include "TTagNameStack.h"
#include "TextSearch.h"

#include <QStringList>

namespace {

const QString TitleStart = QStringLiteral("<title>");
const QString TitleEnd = QStringLiteral("</title>");
const QString CharsetMarker = QStringLiteral("charset=");

QString withoutLineBreaks(QString text)
{
    text.remove(u'\r');
    text.remove(u'\n');
    return text;
}

bool isCharsetTerminator(QChar c)
{
    const char16_t u = c.unicode();
    return u == u'\t' || u == u'\n' || u == u'\r' || u == u'"' || u == u'\'' || u == u'>';
}

// The span of the charset value in a page whose "charset=" is folded:
// [start, end), or start -1 when the page declares none.
std::pair<qsizetype, qsizetype> charsetValueSpan(const QString& page)
{
    const qsizetype marker = page.indexOf(CharsetMarker);
    if (marker < 0)
        return {-1, -1};
    qsizetype start = marker + CharsetMarker.size();
    // <meta charset="utf-8">: the quote opens the value instead of ending it.
    if (start < page.size() && (page.at(start) == u'"' || page.at(start) == u'\''))
        ++start;
    qsizetype end = start;
    while (end < page.size() && !isCharsetTerminator(page.at(end)))
        ++end;
    return {start, end};
}

// Text between the end of the first `startMarker` tag and the first
// `endMarker` of a folded page, or a null string.
QString between(const QString& page, const QString& startMarker, const QString& endMarker)
{
    const qsizetype start = page.indexOf(startMarker);
    if (start < 0)
        return QString();
    const qsizetype tagEnd = page.indexOf(u'>', start);
    if (tagEnd < 0)
        return QString();
    const qsizetype end = page.indexOf(endMarker);
    if (end < tagEnd + 1)
        return QString();
    return page.mid(tagEnd + 1, end - tagEnd - 1);
}

} // namespace

QString GetTitle(const QString& html)
{
    const QString page = FoldMarkers(html, {TitleStart, TitleEnd});
    const qsizetype start = page.indexOf(TitleStart);
    const qsizetype end = page.indexOf(TitleEnd);
    if (start < 0 || end < start + TitleStart.size())
        return QString();
    return DecodeEntities(withoutLineBreaks(page.mid(start + TitleStart.size(), end - start - TitleStart.size())));
}

QString SetTitle(const QString& html, const QString& title)
{
    const QString page = FoldMarkers(html, {TitleStart, TitleEnd});
    const qsizetype start = page.indexOf(TitleStart);
    const qsizetype end = page.indexOf(TitleEnd);
    if (start >= 0 && end >= start + TitleStart.size())
        return page.left(start + TitleStart.size()) + title + page.mid(end);
    return ReplaceNoCase(page, QStringLiteral("<head>"),
                         QStringLiteral("<head>\r\n<title>") + EncodeEntities(title) + QStringLiteral("</title>\r\n"));
}

QString GetBody(const QString& html)
{
    const QString page = FoldMarkers(html, {u"<body", u"</body"});
    return between(page, QStringLiteral("<body"), QStringLiteral("</body"));
}

QString GetBodyTag(const QString& html)
{
    const QString page = FoldMarker(html, QStringLiteral("<body"));
    const qsizetype start = page.indexOf(u"<body");
    if (start < 0)
        return QString();
    const qsizetype end = page.indexOf(u'>', start);
    if (end < 0)
        return QString();
    return page.mid(start, end - start + 1);
}

QString InsertAfterBodyTag(const QString& html, const QString& text)
{
    const QString page = FoldMarker(html, QStringLiteral("<body"));
    const qsizetype start = page.indexOf(u"<body");
    const qsizetype end = start < 0 ? -1 : page.indexOf(u'>', start);
    // A page without a body start tag keeps its content; the insertion is lost
    // rather than the page.
    if (end < 0)
        return page;
    QString result = page;
    result.insert(end + 1, text);
    return result;
}

QString GetHead(const QString& html)
{
    const QString page = FoldMarkers(html, {u"<head", u"</head"});
    return between(page, QStringLiteral("<head"), QStringLiteral("</head"));
}

QString GetH1Title(const QString& html)
{
    const QString page = FoldMarkers(html, {u"<h1", u"</h1"});
    const QString text = between(page, QStringLiteral("<h1"), QStringLiteral("</h1"));
    const QString title = DecodeEntities(withoutLineBreaks(TrimBlanks(text)));
    return title.isEmpty() ? QStringLiteral("No title") : title;
}

QString GetCharset(const QString& html)
{
    const QString lower = ToLowerSameLength(html);
    const auto [start, end] = charsetValueSpan(lower);
    if (start < 0)
        return QString();
    return lower.mid(start, end - start);
}

QString SetCharset(const QString& html, const QString& charset)
{
    const QString page = FoldMarker(html, CharsetMarker);
    const auto [start, end] = charsetValueSpan(page);
    if (start >= 0)
        return page.left(start) + charset + page.mid(end);
    return ReplaceNoCase(page, QStringLiteral("<head>"),
                         QStringLiteral("<head>\r\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=")
                             + charset + QStringLiteral("\">"));
}

QString FindTag(const QString& html, const QString& name)
{
    const QString lower = ToLowerSameLength(html);
    const QString pattern = u'<' + ToLowerSameLength(name);
    const qsizetype start = lower.indexOf(pattern);
    if (start < 0)
        return QString();
    const qsizetype end = lower.indexOf(u'>', start + pattern.size());
    if (end < 0)
        return QString();
    return html.mid(start, end - start + 1);
}

QString GetAttribute(const QString& tagText, const QString& name)
{
    bool readingName = false;
    bool inValue = false;
    bool quoted = false;
    bool skipNext = false;
    QChar quote;
    QString current;
    QString value;

    const auto matches = [&] { return current.compare(name, Qt::CaseInsensitive) == 0; };
    const auto clear = [&] {
        inValue = false;
        quoted = false;
        current.clear();
        value.clear();
    };

    const qsizetype size = tagText.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = tagText.at(i);
        if (c == u'>' && inValue && matches())
            return value;
        if (skipNext) {
            skipNext = false;
            continue;
        }
        if (inValue) {
            if (quoted) {
                if (c == quote) {
                    if (matches())
                        return value;
                    clear();
                    readingName = false;  // the next name starts after whitespace
                } else {
                    value.append(c);
                }
            } else if (IsHtmlSpace(c)) {
                if (matches())
                    return value;
                clear();
                readingName = true;
            } else {
                value.append(c);
            }
        } else if (IsHtmlSpace(c)) {
            current.clear();
            value.clear();
            readingName = true;
        } else if (readingName) {
            if (c == u'=') {
                inValue = true;
                if (i + 1 < size && (tagText.at(i + 1) == u'"' || tagText.at(i + 1) == u'\'')) {
                    quoted = true;
                    quote = tagText.at(i + 1);
                    skipNext = true;
                }
            } else {
                current.append(c);
            }
        }
    }
    return QString();
}

QString GetBookmarkNames(const QString& html)
{
    const QString lower = ToLowerSameLength(html);
    QStringList names;
    qsizetype from = 0;
    for (;;) {
        const qsizetype start = lower.indexOf(u"<a ", from);
        if (start < 0)
            break;
        // An anchor tag is at least "<a x=y>"; a ">" closer than that is not its end.
        const qsizetype end = lower.indexOf(u'>', start + 5);
        if (end < 0)
            break;
        const QString tag = html.mid(start, end - start + 1);
        if (GetAttribute(tag, QStringLiteral("href")).isEmpty()) {
            const QString name = GetAttribute(tag, QStringLiteral("name"));
            if (!name.isEmpty())
                names.append(name);
        }
        from = end + 1;
    }
    return names.join(QStringLiteral("\r\n"));
}

QString ExtractHeadStyles(const QString& html)
{
    QString result;
    TTagNameStack open;  // value: position of the tag's "<"
    const qsizetype size = html.size();
    qsizetype from = 0;
    for (;;) {
        const qsizetype start = html.indexOf(u'<', from);
        if (start < 0)
            break;
        qsizetype end = start + 1;
        while (end < size) {
            const char16_t u = html.at(end).unicode();
            if (u == u' ' || u == u'>' || u == u'\r' || u == u'\n')
                break;
            ++end;
        }
        const QStringView name = QStringView(html).mid(start + 1, end - start - 1);
        if (name.startsWith(u'/')) {
            const qsizetype index = open.FindNearest(name.mid(1).toString());
            if (index >= 0) {
                const bool isStyle = open.NameAt(index) == u"style";
                const qsizetype styleStart = open.ValueAt(index);
                open.PopTo(index);
                if (isStyle) {
                    const qsizetype stop = end < size ? end + 1 : size;
                    result.append(QStringView(html).mid(styleStart, stop - styleStart));
                    result.append(u"\r\n");
                }
            }
        } else {
            if (name.compare(u"body", Qt::CaseInsensitive) == 0)
                break;
            open.Push(name.toString(), start);
        }
        from = end;
    }
    return result;
}
