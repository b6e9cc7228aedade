#include "HtmlScanning.h"

#include <QSet>

namespace {

QSet<QString> NameSet(const char* const* names, int count)
{
    QSet<QString> set;
    for (int i = 0; i < count; ++i)
        set.insert(QString::fromLatin1(names[i]));
    return set;
}

template <int N>
QSet<QString> NameSet(const char* const (&names)[N])
{
    return NameSet(names, N);
}

const char* const BlockBoundaryNames[] = {
    "ADDRESS", "BLOCKQUOTE", "CENTER", "DIR", "DIV", "DL", "FIELDSET", "FORM", "H1", "H2", "H3", "H4",
    "H5", "H6", "HR", "ISINDEX", "MENU", "NOFRAMES", "NOSCRIPT", "OL", "P", "PRE", "TABLE", "UL",
    "DD", "DT", "FRAMESET", "LI", "TBODY", "TD", "TFOOT", "TH", "THEAD", "TR", "BR"};
const char* const NonDocumentNames[] = {
    "COMMENT", "EMBED", "FRAMESET", "HEAD", "IFRAME", "LABEL", "LEGEND", "MAP",
    "NOFRAMES", "NOSCRIPT", "OBJECT", "SCRIPT", "SELECT", "STYLE", "TEXTAREA", "TITLE"};
const char* const EmptyNames[] = {
    "APPLET", "AREA", "BASE", "BASEFONT", "BGSOUND", "BR", "BUTTON", "COL", "COLGROUP", "FRAME",
    "HR", "IMG", "INPUT", "ISINDEX", "LI", "LINK", "META", "OPTION", "PARAM", "WBR"};
const char* const UrlAttributeNames[] = {"HREF", "SRC", "BACKGROUND"};
const char* const PageExtensionNames[] = {".HTML", ".HTM", ".SHTML", ".SHT"};

const QSet<QString>& BlockBoundaryTags()
{
    static const QSet<QString> set = NameSet(BlockBoundaryNames);
    return set;
}

const QSet<QString>& BlockElementTags()
{
    static const QSet<QString> set = [] {
        QSet<QString> s = BlockBoundaryTags();
        s.remove(QStringLiteral("P"));
        s.remove(QStringLiteral("BR"));
        return s;
    }();
    return set;
}

bool InSet(const QSet<QString>& set, const QString& name) { return set.contains(name.toUpper()); }

bool IsTagNameEnd(QChar c) { return c == QLatin1Char('>') || IsScanWhitespace(c); }

} // namespace

bool IsBlockBoundaryTag(const QString& name) { return InSet(BlockBoundaryTags(), name); }
bool IsBlockElementTag(const QString& name) { return InSet(BlockElementTags(), name); }
bool IsNonDocumentTag(const QString& name)
{
    static const QSet<QString> set = NameSet(NonDocumentNames);
    return InSet(set, name);
}
bool IsEmptyTag(const QString& name)
{
    static const QSet<QString> set = NameSet(EmptyNames);
    return InSet(set, name);
}
bool IsUrlAttribute(const QString& name)
{
    static const QSet<QString> set = NameSet(UrlAttributeNames);
    return InSet(set, name);
}
bool IsPageExtension(const QString& extension)
{
    static const QSet<QString> set = NameSet(PageExtensionNames);
    return InSet(set, extension);
}

bool IsScanWhitespace(QChar c)
{
    return c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QLatin1Char(' ');
}

QString CollapseWhitespace(const QString& text)
{
    QString result;
    result.reserve(text.size());
    bool pendingSpace = false;
    for (const QChar c : text) {
        if (IsScanWhitespace(c)) {
            pendingSpace = !result.isEmpty();
            continue;
        }
        if (pendingSpace)
            result += QLatin1Char(' ');
        pendingSpace = false;
        result += c;
    }
    return result;
}

QString TrimWhitespace(const QString& text)
{
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && IsScanWhitespace(text[from]))
        ++from;
    while (to > from && IsScanWhitespace(text[to - 1]))
        --to;
    return text.mid(from, to - from);
}

TTagRead ReadTag(const QString& html, qsizetype at)
{
    TTagRead tag;
    // Every whitespace ends a name: "<br\n/>" is a br.
    qsizetype nameEnd = at + 1;
    while (nameEnd < html.size() && !IsTagNameEnd(html[nameEnd]))
        ++nameEnd;
    const qsizetype close = html.indexOf(QLatin1Char('>'), at + 1);
    tag.Next = close < 0 ? html.size() : close + 1;
    tag.Text = html.mid(at, tag.Next - at);
    QString name = html.mid(at + 1, std::min(nameEnd, tag.Next) - at - 1);
    if (name.endsWith(QLatin1Char('/')))
        name.chop(1);
    if (name.startsWith(QLatin1Char('/'))) {
        tag.End = true;
        name.remove(0, 1);
    }
    tag.Name = name;
    tag.Valid = !name.isEmpty();
    return tag;
}

TBodyParts SplitAtBody(const QString& html)
{
    TBodyParts parts;
    qsizetype bodyStart = -1;
    for (qsizetype at = html.indexOf(QLatin1Char('<')); at >= 0; at = html.indexOf(QLatin1Char('<'), at + 1)) {
        const TTagRead tag = ReadTag(html, at);
        if (!tag.End && tag.Name.compare(QLatin1String("body"), Qt::CaseInsensitive) == 0) {
            bodyStart = tag.Next;
            break;
        }
    }
    if (bodyStart < 0) {
        parts.Body = html;
        return parts;
    }
    parts.Before = html.left(bodyStart);
    const qsizetype last = html.lastIndexOf(QLatin1String("</body"), -1, Qt::CaseInsensitive);
    if (last >= bodyStart) {
        parts.After = html.mid(last);
        parts.Body = html.mid(bodyStart, last - bodyStart);
    } else {
        parts.Body = html.mid(bodyStart);
    }
    const qsizetype inner = parts.Body.indexOf(QLatin1String("</body"), 0, Qt::CaseInsensitive);
    if (inner >= 0)
        parts.Body.truncate(inner);
    return parts;
}
