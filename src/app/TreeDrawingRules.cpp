#include "TreeDrawingRules.h"

#include "TQrx.h"
#include "TopicIcons.h"

TRowPaint RowPaintFor(const TQrx& project, const TopicNode& node, bool selected, const TDropMark& drop)
{
    TRowPaint paint;
    if (selected)
        paint.Colours = TRowColours::Selected;
    if (node.isRoot()) {
        paint.Bold = true;
    } else {
        const QString& defaultTopic = project.DefaultTopic;
        if (node.entry().Kind != KindTemplates && !defaultTopic.trimmed().isEmpty()
            && node.entry().Url.compare(defaultTopic, Qt::CaseInsensitive) == 0)
            paint.Colours = TRowColours::DefaultTopic;
    }
    // The node a drop goes into is highlighted as the tree always showed
    // drop targets; before or after it, the row stays plain so the marker
    // line tells where.
    if (drop.Target == &node)
        paint.Colours = drop.AsChild ? TRowColours::DropHighlight : TRowColours::DropLine;
    return paint;
}

QString TemplateHint(int stateImage, int image)
{
    const bool htmlHelp = stateImage == TopicImages::StateHtmlHelpTemplate;
    const bool webHelp = image == TopicImages::WebHelpTemplateImage;
    if (htmlHelp && webHelp)
        return QStringLiteral("For HTML Help and Web Help");
    if (htmlHelp)
        return QStringLiteral("For HTML Help");
    if (webHelp)
        return QStringLiteral("For Web Help");
    return {};
}
