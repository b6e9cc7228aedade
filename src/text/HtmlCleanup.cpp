#include "HtmlCleanup.h"

#include "TTagNameStack.h"
#include "TextSearch.h"

namespace {

constexpr qsizetype CollapseLimit = 100000;

// Line breaks removed. A break that alone separates two words becomes a space,
// so that "<td\r\nwidth=1>" does not turn into "<tdwidth=1>".
QString removeLineBreaks(const QString& tag)
{
    QString out;
    out.reserve(tag.size());
    const qsizetype size = tag.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = tag.at(i);
        if (c != u'\r' && c != u'\n') {
            out.append(c);
            continue;
        }
        qsizetype next = i;
        while (next < size && (tag.at(next) == u'\r' || tag.at(next) == u'\n'))
            ++next;
        if (!out.isEmpty() && !IsHtmlSpace(out.back()) && next < size && !IsHtmlSpace(tag.at(next))
            && tag.at(next) != u'>')
            out.append(u' ');
        i = next - 1;
    }
    return out;
}

QString cleanCellTag(const QString& tag, QStringView name)
{
    if (ContainsNoCase(tag, QStringLiteral("style=\"COLOR: \"")))
        return u'<' + name.toString() + u'>';
    QString result = removeLineBreaks(tag);
    for (const char16_t* empty : {u"style=\"COLOR: \"", u"bgColor= ", u"borderColorDark= ", u"borderColorLight= ",
                                  u"borderColor= "})
        result = ReplaceNoCase(result, QString::fromUtf16(empty), QString());
    for (const char16_t* empty : {u" bgColor=>", u"borderColorDark=>", u"borderColorLight=>", u"borderColor=>"})
        result = ReplaceNoCase(result, QString::fromUtf16(empty), QStringLiteral(">"));
    return result;
}

// Drops every span from `start` to `end` (the end searched after the ">" that
// closes the start mark). With `keepRevealed`, a span whose condition begins
// with "!" keeps what stands between its two marks.
QString removeConditionals(const QString& text, const QString& start, const QString& end, bool keepRevealed)
{
    QString result;
    qsizetype copied = 0;
    for (;;) {
        const qsizetype open = text.indexOf(start, copied);
        if (open < 0)
            break;
        const qsizetype close = text.indexOf(u'>', open);
        if (close < 0)
            break;
        const qsizetype stop = text.indexOf(end, close + 1);
        if (stop < 0)
            break;
        result.append(QStringView(text).mid(copied, open - copied));
        if (keepRevealed && text.at(open + start.size()) == u'!')
            result.append(QStringView(text).mid(close + 1, stop - close - 1));
        copied = stop + end.size();
    }
    result.append(QStringView(text).mid(copied));
    return result;
}

// Word's conditional comments "<!--[if ...]>...<![endif]-->", dropped whole.
QString removeConditionalComments(const QString& text)
{
    return removeConditionals(text, QStringLiteral("<!--[if "), QStringLiteral("<![endif]-->"), false);
}

// Downlevel-revealed conditionals "<![if !x]>...<![endif]>" keep their
// content; the others are dropped whole.
QString removeDownlevelConditionals(const QString& text)
{
    return removeConditionals(text, QStringLiteral("<![if "), QStringLiteral("<![endif]>"), true);
}

} // namespace

QString RemoveBetween(const QString& text, const QString& startMark, const QString& endMark)
{
    if (startMark.isEmpty())
        return text;
    QString result;
    qsizetype copied = 0;
    for (;;) {
        const qsizetype start = text.indexOf(startMark, copied);
        if (start < 0)
            break;
        const qsizetype end = text.indexOf(endMark, start + startMark.size());
        if (end < 0)
            break;
        result.append(QStringView(text).mid(copied, start - copied));
        copied = end + endMark.size();
    }
    result.append(QStringView(text).mid(copied));
    return result;
}

QString RemoveBetweenText(const QString& text, const QString& startMark, const QString& endMark,
                          const QString& mustContain)
{
    const QString lowerStart = ToLowerSameLength(startMark);
    const QString lowerEnd = ToLowerSameLength(endMark);
    const QString page = FoldMarkers(text, {lowerStart, lowerEnd});
    // An empty mark would match without moving on.
    if (lowerStart.isEmpty() || lowerEnd.isEmpty())
        return page;
    const QString lowerPage = mustContain.isEmpty() ? QString() : ToLowerSameLength(page);
    const QString lowerMust = ToLowerSameLength(mustContain);

    QString result;
    qsizetype copied = 0;
    qsizetype from = 0;
    for (;;) {
        const qsizetype start = page.indexOf(lowerStart, from);
        if (start < 0)
            break;
        const qsizetype end = page.indexOf(lowerEnd, start);
        if (end < 0)
            break;
        const qsizetype after = end + lowerEnd.size();
        const bool remove = mustContain.isEmpty()
            || QStringView(lowerPage).mid(start, end - start).contains(QStringView(lowerMust));
        if (remove) {
            result.append(QStringView(page).mid(copied, start - copied));
            copied = after;
        }
        from = after;
    }
    result.append(QStringView(page).mid(copied));
    return result;
}

QString CleanWordHtml(const QString& html)
{
    if (!html.contains(u"<meta name=ProgId content=Word.Document>"))
        return html;
    QString page = RemoveBetweenText(html, QStringLiteral("@page"), QStringLiteral(";}"), QStringLiteral(":url("));
    page = RemoveBetweenText(page, QStringLiteral(" xmlns:v="), QStringLiteral("REC-html40\""));
    page = RemoveBetweenText(page, QStringLiteral("<link rel="), QStringLiteral(".xml\">"));
    page = RemoveBetweenText(page, QStringLiteral("<link rel=Edit-Time-Data href=\""), QStringLiteral(".mso\">"));
    page = RemoveBetweenText(page, QStringLiteral("<link rel=themeData href=\""), QStringLiteral(".thmx\">"));
    page = RemoveBetweenText(page, QStringLiteral("<link rel=colorSchemeMapping href=\""), QStringLiteral(".xml\">"));
    page = RemoveBetweenText(page, QStringLiteral("<meta name=Generator content=\"Microsoft Word"), QStringLiteral("\">"));
    page = RemoveBetweenText(page, QStringLiteral("<meta name=Originator content=\"Microsoft Word"), QStringLiteral("\">"));
    page.remove(QStringLiteral("\r\n\r\n\r\n"));
    page = removeConditionalComments(page);
    page = removeDownlevelConditionals(page);
    page = ReplaceNoCase(page, QStringLiteral("<o:p></o:p>"), QString());
    page = ReplaceNoCase(page, QStringLiteral("<o:p>&nbsp;</o:p>"), QStringLiteral("&nbsp;"));
    return page;
}

QString CleanEditorHtml(const QString& html)
{
    // Each open element; value 1 marks an attribute-less font whose closing
    // tag is dropped with it.
    TTagNameStack open;
    QString result;
    result.reserve(html.size());
    qsizetype from = 0;
    for (;;) {
        const qsizetype start = html.indexOf(u'<', from);
        if (start < 0)
            break;
        const qsizetype end = html.indexOf(u'>', start);
        if (end < 0)
            break;
        result.append(QStringView(html).mid(from, start - from));
        from = end + 1;
        const QString tag = html.mid(start, end - start + 1);

        qsizetype nameEnd = start + 1;
        while (nameEnd < end && !IsHtmlSpace(html.at(nameEnd)))
            ++nameEnd;
        const QStringView name = QStringView(html).mid(start + 1, nameEnd - start - 1);

        if (name.startsWith(u'/')) {
            const qsizetype index = open.FindNearest(name.mid(1).toString());
            if (index < 0) {
                result.append(tag);
                continue;
            }
            // Elements still open above the match end here without a closing tag.
            const bool dropped = open.ValueAt(index) == 1;
            open.PopTo(index);
            if (!dropped)
                result.append(tag);
            continue;
        }

        qsizetype value = 0;
        if (name.compare(u"td", Qt::CaseInsensitive) == 0 || name.compare(u"tr", Qt::CaseInsensitive) == 0) {
            result.append(cleanCellTag(tag, name));
        } else if (name.compare(u"font", Qt::CaseInsensitive) == 0) {
            const QStringView attributes = QStringView(tag).mid(5, tag.size() - 6);
            if (TrimBlanks(attributes).isEmpty())
                value = 1;
            else
                result.append(removeLineBreaks(tag));
        } else {
            result.append(tag);
        }
        open.Push(name.toString(), value);
    }
    result.append(QStringView(html).mid(from));
    return CollapseTagSpaces(result, QStringLiteral("font"));
}

QString CollapseTagSpaces(const QString& html, const QString& name)
{
    if (html.size() > CollapseLimit)
        return html;
    const QString lower = ToLowerSameLength(html);
    const QString pattern = u'<' + ToLowerSameLength(name);
    QString result;
    result.reserve(html.size());
    qsizetype copied = 0;
    for (;;) {
        const qsizetype start = lower.indexOf(pattern, copied);
        if (start < 0)
            break;
        const qsizetype end = html.indexOf(u'>', start + pattern.size());
        if (end < 0)
            break;
        result.append(QStringView(html).mid(copied, start + pattern.size() - copied));
        bool inRun = false;
        for (qsizetype i = start + pattern.size(); i < end; ++i) {
            const QChar c = html.at(i);
            if (IsHtmlSpace(c)) {
                if (!inRun)
                    result.append(u' ');
                inRun = true;
            } else {
                result.append(c);
                inRun = false;
            }
        }
        copied = end;
    }
    result.append(QStringView(html).mid(copied));
    return result;
}
