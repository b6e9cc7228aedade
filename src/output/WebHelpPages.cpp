#include "WebHelpPages.h"

#include "Entities.h"
#include "Paths.h"
#include "TextSearch.h"

#include <QRegularExpression>
#include <QStringList>
#include <QUrl>

namespace {

const QLatin1String CrLf("\r\n");
const QLatin1String SavedFromMark("<!-- saved from url=(0014)about:internet -->");

// Kept as they are besides letters, digits and "-._~": none of them ends a
// path, a query value or a quoted string. ":" is encoded, or a first name
// such as "a:b.htm" would read as a scheme.
const QByteArray KeptInPaths("!$()*+,;=@");

QString encodedName(const QString& name)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(name, KeptInPaths));
}

} // namespace

QString WebHelpAddress(const QString& path)
{
    const QStringList names = ToSlashes(path).split(u'/');
    QString address;
    address.reserve(path.size() + 8);
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (i > 0)
            address += u'/';
        address += encodedName(names[i]);
    }
    return address;
}

QString WebHelpAddress(const QString& path, const QString& anchor)
{
    return anchor.isEmpty() ? WebHelpAddress(path) : WebHelpAddress(path) + u'#' + encodedName(anchor);
}

QString AddSavedFromMark(const QString& page)
{
    const QString lower = ToLowerSameLength(page);
    const qsizetype start = lower.indexOf(QLatin1String("<!doctype"));
    if (start < 0)
        return QLatin1String("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">") + CrLf + SavedFromMark
            + CrLf + page;
    const qsizetype end = page.indexOf(u'>', start);
    const QString declaration = end < 0 ? page.mid(start) : page.mid(start, end - start + 1);
    return QString(page).replace(declaration, declaration + CrLf + SavedFromMark);
}

QString WebHelpBreadcrumb(const QString& navigation)
{
    // Titles in a breadcrumb are entity-encoded: a quote ends its link.
    static const QRegularExpression link(QStringLiteral("<A href=\"([^\"]*)\">"));
    QString result;
    qsizetype copied = 0;
    for (auto it = link.globalMatch(navigation); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        result += QStringView(navigation).mid(copied, match.capturedStart(1) - copied);
        result += WebHelpAddress(match.captured(1));
        copied = match.capturedEnd(1);
    }
    result += QStringView(navigation).mid(copied);
    return result;
}

QString WebHelpSyncScript(const QString& url, int index)
{
    // The viewer lies as many folders up as the page lies below "topics", plus one.
    const QString path = ToSlashes(NormalizePath(url));
    QString up = QStringLiteral("../");
    for (QChar c : path)
        if (c == u'/')
            up += QLatin1String("../");
    // Encoded, a quote in a file name cannot end the script's string.
    const QString page = WebHelpAddress(url);
    const QString i = QString::number(index);
    QString script;
    script.reserve(600 + page.size());
    script += QLatin1String("<script language=\"JavaScript\" type=\"text/JavaScript\">\r\n"
                            "function syn(){try{\r\n"
                            "if(parent.nav.tree){\r\n"
                            " if(parent.nav.tree.loaded){\r\n"
                            "  parent.nav.tree.selectNode(");
    script += i;
    script += QLatin1String(");\r\n"
                            " }else{\r\n"
                            "  setTimeout(\"syn()\",500);\r\n"
                            "}\r\n"
                            "  }else{\r\n"
                            "  setTimeout(\"syn()\",500);\r\n"
                            "  }}catch(e){}}\r\n"
                            "if(parent!=self){\r\n"
                            "  setTimeout(\"syn()\",100);\r\n"
                            "}else{\r\n"
                            "  parent.location.href = \"");
    script += up + QLatin1String("index.htm?page=") + page;
    script += QLatin1String("\";\r\n"
                            "}\r\n"
                            "originalOnload = window.onload;\r\n"
                            "if(originalOnload==null){\r\n"
                            "window.onload = function(){try{parent.contentLoaded = true;}catch(e){}};\r\n"
                            "}else{\r\n"
                            "window.onload = function(){originalOnload();try{parent.contentLoaded = true;}catch(e){}};\r\n"
                            "}\r\n"
                            "</script> \r\n");
    return script;
}

QString WebHelpPlainText(const QString& html)
{
    QString text;
    text.reserve(html.size() / 2);
    bool inTag = false;
    bool copying = false; // text before the first tag is skipped
    bool inName = false;
    QString name;
    for (const QChar c : html) {
        if (c == u'<') {
            inTag = true;
            inName = true;
            name.clear();
            continue;
        }
        if (inTag) {
            if (c == u'>' || (inName && IsHtmlSpace(c)))
                inName = false;
            else if (inName)
                name += c;
            if (c != u'>')
                continue;
            inTag = false;
            QString tag = ToLowerSameLength(name);
            if (tag.size() > 1 && tag.endsWith(u'/')) // <br/>
                tag.chop(1);
            copying = tag != u"script" && tag != u"title" && tag != u"style";
            if (tag == u"p")
                text += QLatin1String("\r\n\r\n");
            else if (tag == u"br" || tag == u"ul" || tag == u"ol" || tag == u"/li")
                text += CrLf;
            continue;
        }
        if (!copying)
            continue;
        if (c != u'\r' && c != u'\n')
            text += c;
        else if (!text.isEmpty() && !text.back().isSpace())
            text += u' '; // words on two source lines stay two words for search
    }
    return text;
}

QString WebHelpJsString(const QString& text)
{
    QString escaped;
    escaped.reserve(text.size() + text.size() / 16 + 8);
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'\\': escaped += QLatin1String("\\\\"); break;
        case u'\r': escaped += QLatin1String("\\r"); break;
        case u'\n': escaped += QLatin1String("\\n"); break;
        case u'"': escaped += QLatin1String("\\\""); break;
        case u'\'': escaped += QLatin1String("\\'"); break;
        // Line terminators to older script engines: a string must not break there.
        case 0x2028: escaped += QLatin1String("\\u2028"); break;
        case 0x2029: escaped += QLatin1String("\\u2029"); break;
        default: escaped += c;
        }
    }
    return escaped;
}

QString WebHelpAttributeJs(const QString& text)
{
    return EncodeEntities(text).replace(u'\\', QLatin1String("\\\\")).replace(u'\'', QLatin1String("\\'"));
}

QString WebHelpLanguageCode(int language)
{
    static const char* const codes[] = {"en", "nl", "fr", "de", "it", "se", "pt", "ja", "ko", "zh", "cn"};
    if (language == 0)
        return QString();
    if (language < 1 || language > 11)
        return QStringLiteral("en");
    return QLatin1String(codes[language - 1]);
}

TWebIconPair WebHelpIconPair(int icon, bool hasChildren, bool realColorIcon)
{
    const auto gif = [](int n) { return QString::number(n) + QLatin1String(".gif"); };
    if (realColorIcon)
        return hasChildren ? TWebIconPair{gif(1), gif(2)} : TWebIconPair{gif(11), gif(11)};
    if (hasChildren) {
        if (icon >= 1 && icon <= 8) {
            const int k = icon % 2 == 1 ? icon : icon - 1;
            return {gif(k), gif(k + 1)};
        }
        if (icon > 8)
            return {gif(icon), gif(icon)};
        return {gif(1), gif(2)};
    }
    if (icon > 0)
        return {gif(icon), gif(icon)};
    return {gif(9), gif(9)};
}

QString WebHelpConnector(int position, bool drawLines)
{
    static const char* const images[] = {"downangle.gif", "tshaped.gif", "upangle.gif", "sline.gif"};
    return drawLines ? QLatin1String(images[position & 3]) : QStringLiteral("blank.gif");
}

QString WebHelpClosedExpander(int position, bool drawLines)
{
    static const char* const images[] = {"daplus.gif", "tplus.gif", "uaplus.gif", "splus.gif"};
    return drawLines ? QLatin1String(images[position & 3]) : QStringLiteral("plus.gif");
}

QString WebHelpColumn(bool laterSibling, bool drawLines)
{
    return drawLines && laterSibling ? QStringLiteral("line.gif") : QStringLiteral("blank.gif");
}
