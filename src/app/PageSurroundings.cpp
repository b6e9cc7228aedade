#include "PageSurroundings.h"

#include "TextSearch.h"

#include <QRegularExpression>

namespace {

// The page cut at the end of its body start tag and at its last body end tag.
struct TPageParts {
    QString Before;
    QString Body;
    QString After;
    bool Found = false;
};

TPageParts partsOf(const QString& html)
{
    const QString lower = ToLowerSameLength(html);
    const qsizetype start = IndexOfLower(lower, QStringLiteral("<body"));
    const qsizetype tagEnd = start < 0 ? -1 : lower.indexOf(u'>', start);
    const qsizetype end = lower.lastIndexOf(QStringLiteral("</body"));
    if (tagEnd < 0 || end <= tagEnd)
        return {};
    return {html.left(tagEnd + 1), html.mid(tagEnd + 1, end - tagEnd - 1), html.mid(end), true};
}

// The text with the whitespace between tags and at its ends dropped.
QString squeezed(const QString& text)
{
    static const QRegularExpression betweenTags(QStringLiteral(">[\\t\\n\\r ]+<"));
    return QString(text).replace(betweenTags, QStringLiteral("><")).trimmed();
}

qsizetype trailingSpace(const QString& text)
{
    qsizetype n = 0;
    while (n < text.size() && IsHtmlSpace(text[text.size() - 1 - n]))
        ++n;
    return n;
}

} // namespace

QString KeepUnchangedSurroundings(const QString& loaded, const QString& edited)
{
    const TPageParts was = partsOf(loaded);
    const TPageParts now = partsOf(edited);
    if (!was.Found || !now.Found)
        return edited;
    const QString before = squeezed(now.Before) == squeezed(was.Before) ? was.Before : now.Before;
    const QString after = squeezed(now.After) == squeezed(was.After) ? was.After : now.After;
    // Line ends closing the body, as the page had them.
    QString body = now.Body;
    const QString wasEnd = was.Body.right(trailingSpace(was.Body));
    const QString nowEnd = body.right(trailingSpace(body));
    if (nowEnd != wasEnd && nowEnd.contains(u'\n') && wasEnd.contains(u'\n'))
        body = body.chopped(nowEnd.size()) + wasEnd;
    return before + body + after;
}
