#include "PagePreview.h"

#include "Entities.h"
#include "HtmlCleanup.h"
#include "Paths.h"
#include "TExtensionList.h"
#include "TPageTemplate.h"
#include "TQrx.h"
#include "TSortedFileList.h"
#include "TextSearch.h"

#include <QFileInfo>

namespace {

// The files a template refers to that the preview re-addresses to the page's folder.
const char* const TemplateReferenceExtensions[] = {".html", ".htm", ".xml", ".shtml", ".shtm", ".gif", ".jpeg", ".jpg",
                                                   ".jpe",  ".png", ".bmp", ".js",    ".css",  ".class", ".swf", ".avi",
                                                   ".xls"};

bool isPage(const TopicNode* node)
{
    return node->entry().Status == StatusLinked && !TrimBlanks(node->entry().Url).isEmpty();
}

bool inTableOfContents(const TQrx& project, const TopicNode* node)
{
    return node->topRoot() == project.tnTableOfContents;
}

// The link from the topic's page to the nearest page before or after it in
// the table of contents; empty outside it and at its ends.
QString neighbourLink(const TQrx& project, const TopicNode& topic, TopicNode* (*step)(const TopicNode*))
{
    if (!inTableOfContents(project, &topic))
        return QString();
    for (const TopicNode* node = step(&topic); node != nullptr; node = step(node)) {
        if (isPage(node))
            return RelativeUrl(StripAnchor(topic.entry().Url), node->entry().Url);
    }
    return QString();
}

// The topic's ancestors below the root, outermost first, linked where they
// have a page.
QString breadcrumb(const TQrx& project, const TopicNode& topic)
{
    QString trail;
    if (!inTableOfContents(project, &topic))
        return trail;
    for (const TopicNode* node = topic.parent(); node != nullptr && !node->isRoot(); node = node->parent()) {
        const QString title = EncodeEntities(node->text());
        const QString crumb = isPage(node)
            ? QStringLiteral("<a href=\"%1\">%2</a>").arg(RelativeUrl(StripAnchor(topic.entry().Url), node->entry().Url),
                                                          title)
            : title;
        trail.prepend(crumb + QStringLiteral(" &gt; "));
    }
    return trail;
}

} // namespace

namespace PagePreview {

TopicNode* TopicBefore(const TopicNode* topic)
{
    const TopicNode* parent = topic->parent();
    if (topic->isRoot() || parent == nullptr)
        return nullptr;
    if (topic->row() == 0)
        return parent->isRoot() ? nullptr : const_cast<TopicNode*>(parent);
    TopicNode* node = parent->child(topic->row() - 1);
    while (node->hasChildren())
        node = node->lastChild();
    return node;
}

TopicNode* TopicAfter(const TopicNode* topic)
{
    TopicNode* node = topic->next();
    return node == nullptr || node->isRoot() ? nullptr : node;
}

QString PreviewHtml(const TQrx& project, const TopicNode& topic, const QString& source, const QString& pageFile,
                    bool withTemplate)
{
    QString html = source;
    const TLeftTreeData& entry = topic.entry();
    const bool isTemplate = topic.topRoot() == project.tnTemplates;
    const QString templateFile = TrimBlanks(project.HtmlHelpTemplate).isEmpty() || IsWindowsAbsolutePath(project.RootDir)
        ? QString()
        : ProjectFilePath(project.RootDir, StripAnchor(project.HtmlHelpTemplate));
    if (withTemplate && !isTemplate && !entry.ApplyTemp && QFileInfo(templateFile).isFile()) {
        TExtensionList extensions;
        for (const char* extension : TemplateReferenceExtensions)
            extensions.Add(QString::fromLatin1(extension));
        TPageTemplate pageTemplate(extensions);
        TSortedFileList unused; // the greyed buttons a build would copy
        pageTemplate.Load(templateFile, unused);
        TMakePagesPara para;
        para.Title = topic.text();
        para.Page = source;
        para.Previous = neighbourLink(project, topic, &TopicBefore);
        para.Next = neighbourLink(project, topic, &TopicAfter);
        para.Nav = breadcrumb(project, topic);
        html = pageTemplate.Merge(pageFile, para);
    }
    // The compatibility switch of old Internet Explorer has no meaning here.
    return RemoveBetweenText(html, QStringLiteral("<meta"), QStringLiteral(">"), QStringLiteral("X-UA-Compatible"));
}

} // namespace PagePreview
