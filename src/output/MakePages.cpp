#include "MakePages.h"

#include "Entities.h"
#include "HtmlCleanup.h"
#include "PageFiles.h"
#include "PageParts.h"
#include "Paths.h"
#include "TSortedFileList.h"
#include "TextSearch.h"

#include <QFileInfo>

#include <utility>
#include <vector>

const QString TemplateTagTitle = QStringLiteral("($title$)");
const QString TemplateTagPrev = QStringLiteral("($prev$)");
const QString TemplateTagPrevImg = QStringLiteral("($previmg$)");
const QString TemplateTagNext = QStringLiteral("($next$)");
const QString TemplateTagNextImg = QStringLiteral("($nextimg$)");
const QString TemplateTagNavigation = QStringLiteral("($navigation$)");
const QString TemplateTagContent = QStringLiteral("($content$)");

namespace {

enum class Button { None, Prev, Next };

// ".gif" of "btn_prev_n.gif": the text from the last dot of the file name.
QString extensionOf(const QString& src)
{
    const qsizetype dot = src.lastIndexOf(u'.');
    const qsizetype separator = std::max(src.lastIndexOf(u'/'), src.lastIndexOf(u'\\'));
    return dot > separator ? src.mid(dot) : QString();
}

bool isButtonExtension(const QString& lowerExtension)
{
    return lowerExtension == u".gif" || lowerExtension == u".png" || lowerExtension == u".jpg";
}

// The first button fixes the extension; after it only the same names
// count, their extension in any case (".GIF" is ".gif" on Windows).
Button buttonOf(const QString& src, TPrevNext& PN, bool& found)
{
    if (found) {
        const bool sameExtension = extensionOf(src).compare(PN.Extension, Qt::CaseInsensitive) == 0;
        const QString base = src.left(src.size() - PN.Extension.size());
        if (sameExtension && base == u"btn_prev_n")
            return Button::Prev;
        if (sameExtension && base == u"btn_next_n")
            return Button::Next;
        return Button::None;
    }
    const QString extension = extensionOf(src);
    const QString base = src.left(src.size() - extension.size());
    const Button button = base == u"btn_prev_n" ? Button::Prev : base == u"btn_next_n" ? Button::Next : Button::None;
    if (button == Button::None || !isButtonExtension(extension.toLower()))
        return Button::None;
    PN.Extension = extension.toLower();
    found = true;
    return button;
}

// The name of the file `name` in `folder` as it is on disk ("btn_prev_n.GIF"
// for "btn_prev_n.gif" on Windows); empty when there is no such file.
QString nameOnDisk(const QString& folder, const QString& name)
{
    const QString path = MatchFileCase(folder + name);
    return QFileInfo(path).isFile() ? QFileInfo(path).fileName() : QString();
}

// An alt text put into a double-quoted attribute.
QString quotedAttribute(const QString& text)
{
    return QString(text).replace(u'"', QStringLiteral("&quot;"));
}

// The image file as it is named on disk, or the standard name.
QString imageName(const QString& onDisk, const char* base, const TPrevNext& PN)
{
    return onDisk.isEmpty() ? QLatin1String(base) + PN.Extension : onDisk;
}

// A button: linked to `link` with its normal image, or greyed at the end of
// the chain when the template has the greyed image, else nothing.
QString button(const TMakePagesPara& P, const QString& link, const char* id, const QString& alt,
               const QString& image, bool gray, const QString& grayImage)
{
    const QString title = quotedAttribute(alt);
    const QString img = QStringLiteral("<img id=\"") + QLatin1String(id) + QStringLiteral("\" alt=\"") + title
        + QStringLiteral("\" src=\"") + P.GetTempWebPath();
    if (!link.isEmpty())
        return QStringLiteral("<A href=\"") + link + QStringLiteral("\" title=\"") + title + QStringLiteral("\">") + img + image
            + QStringLiteral("\" border=\"0\"></a>");
    if (gray)
        return img + grayImage + QStringLiteral("\" border=\"0\">");
    return QString();
}

QString previousButton(const TMakePagesPara& P, const TPrevNext& PN)
{
    return button(P, P.Previous, "quorix_template_prev", PN.Prev_Title, imageName(PN.Prev_Image, "btn_prev_n", PN),
                  PN.Prev_Gray, imageName(PN.Prev_GrayImage, "btn_prev_g", PN));
}

QString nextButton(const TMakePagesPara& P, const TPrevNext& PN)
{
    return button(P, P.Next, "quorix_template_next", PN.Next_Title, imageName(PN.Next_Image, "btn_next_n", PN),
                  PN.Next_Gray, imageName(PN.Next_GrayImage, "btn_next_g", PN));
}

// "<!DOCTYPE ...>" of a text, or empty.
QString doctypeOf(const QString& text)
{
    const QString lower = ToLowerSameLength(text);
    const qsizetype start = lower.indexOf(u"<!doctype");
    if (start < 0)
        return QString();
    const qsizetype end = lower.indexOf(u'>', start);
    return end < 0 ? QString() : text.mid(start, end - start + 1);
}

} // namespace

QString PrepareTemplate(const QString& templateFile, TPrevNext& PN, TSortedFileList& copyList)
{
    const QString folder = WithTrailingSeparator(QFileInfo(templateFile).absolutePath());
    const QString text = ReadTextFile(templateFile);
    const QString lower = ToLowerSameLength(text);
    QString result;
    qsizetype copied = 0;
    bool found = false;
    for (qsizetype start = lower.indexOf(u"<img "); start >= 0;) {
        const qsizetype end = lower.indexOf(u'>', start + 5);
        if (end < 0)
            break;
        const QString tag = text.mid(start, end - start + 1);
        const Button button = buttonOf(GetAttribute(tag, QStringLiteral("src")), PN, found);
        if (button != Button::None) {
            const QString alt = GetAttribute(tag, QStringLiteral("alt"));
            result.append(QStringView(text).mid(copied, start - copied));
            copied = end + 1;
            if (button == Button::Prev) {
                result.append(TemplateTagPrevImg);
                PN.Prev = true;
                PN.Prev_Title = alt.isEmpty() ? QStringLiteral("Previous") : alt;
                PN.Prev_Image = nameOnDisk(folder, GetAttribute(tag, QStringLiteral("src")));
            } else {
                result.append(TemplateTagNextImg);
                PN.Next = true;
                PN.Next_Title = alt.isEmpty() ? QStringLiteral("Next") : alt;
                PN.Next_Image = nameOnDisk(folder, GetAttribute(tag, QStringLiteral("src")));
            }
        }
        start = lower.indexOf(QStringLiteral("<img "), end + 1);
    }
    result.append(QStringView(text).mid(copied));

    // A greyed form counts only when the output will carry it.
    const auto greyed = [&](const QString& name, QString& image) {
        const QString path = MatchFileCase(folder + name + PN.Extension);
        if (!QFileInfo(path).isFile())
            return false;
        copyList.Add(path);
        image = QFileInfo(path).fileName();
        return copyList.Contains(path);
    };
    PN.Prev_Gray = greyed(QStringLiteral("btn_prev_g"), PN.Prev_GrayImage);
    PN.Next_Gray = greyed(QStringLiteral("btn_next_g"), PN.Next_GrayImage);
    return result;
}

QString MakePage(const QString& T, const TMakePagesPara& P)
{
    const TPrevNext noButtons;
    const TPrevNext& PN = P.PN != nullptr ? *P.PN : noButtons;

    const QString page = FoldMarkers(CollapseTagSpaces(SetTitle(P.Page, EncodeEntities(P.Title)), QStringLiteral("img")),
                                     {u"<body", u"</body"});
    const qsizetype bodyStart = page.indexOf(u"<body");
    const qsizetype bodyEnd = page.indexOf(u"</body");
    const qsizetype tagEnd = bodyStart < 0 ? -1 : page.indexOf(u'>', bodyStart);
    if (bodyStart < 0 || bodyEnd < 0 || tagEnd < 0 || bodyStart >= bodyEnd)
        return page;

    const QString doctype = doctypeOf(page).isEmpty() ? doctypeOf(T) + QStringLiteral("\r\n") : QString();
    const QString headExtras = RemoveBetweenText(
        RemoveBetweenText(GetHead(T), QStringLiteral("<meta"), QStringLiteral(">"), QStringLiteral("Content-Type")),
        QStringLiteral("<title"), QStringLiteral("</title>"));
    const QString content = tagEnd < bodyEnd ? page.mid(tagEnd + 1, bodyEnd - tagEnd - 1) : QString();

    const QString body = FillPlaceholders(GetBody(T), {
        {TemplateTagTitle, EncodeEntities(P.Title)},
        {TemplateTagPrev, P.Previous.isEmpty() ? QString() : QStringLiteral("<A href=\"") + P.Previous + QStringLiteral("\">&lt;&lt;Previous</a>")},
        {TemplateTagPrevImg, previousButton(P, PN)},
        {TemplateTagNext, P.Next.isEmpty() ? QString() : QStringLiteral("<A href=\"") + P.Next + QStringLiteral("\">Next&gt;&gt;</a>")},
        {TemplateTagNextImg, nextButton(P, PN)},
        {TemplateTagNavigation, P.Nav},
        {TemplateTagContent, content + P.AfterBody},
    });

    // The extras go into the page's own head only: a "</head" written in
    // the body (a script, an example) is no place for them.
    const QString head = ReplaceNoCase(page.left(bodyStart), QStringLiteral("</head"), headExtras + QStringLiteral("</head"));
    return doctype + head + GetBodyTag(T) + P.BeforeBody + body + page.mid(bodyEnd);
}

QString RebaseTemplate(const QStringList& pieces, const QString& templateFolder, const QString& pageFolder)
{
    const QString from = WithTrailingSeparator(templateFolder);
    const QString to = WithTrailingSeparator(pageFolder);
    QString result;
    for (qsizetype i = 0; i < pieces.size(); ++i)
        result.append(i % 2 == 0 ? pieces[i] : RelativeUrl(to, MatchFileCase(NormalizePath(from + pieces[i]))));
    return result;
}
