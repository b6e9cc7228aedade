// Context numbers and topic icons of the project.
#include "TQrx.h"

#include "TopicIcons.h"

#include <QSet>

using namespace TopicImages;

namespace {
constexpr int FirstContextNumber = 1000;
}

int TQrx::NewSensitiveNumber() const
{
    return NewSensitiveNumbers(1).front();
}

QList<int> TQrx::NewSensitiveNumbers(int count) const
{
    QSet<QString> used;
    m_tree->forEachNode([&used](const TopicNode* node) {
        if (!node->isRoot() && !node->entry().ContextNumber.isEmpty())
            used.insert(node->entry().ContextNumber);
        return true;
    });
    QList<int> numbers;
    for (int candidate = FirstContextNumber; numbers.size() < std::max(count, 1); ++candidate)
        if (!used.contains(QString::number(candidate)))
            numbers.append(candidate);
    return numbers;
}

void TQrx::AutoSensitiveNumber()
{
    int counter = FirstContextNumber;
    for (TopicNode* root : {tnTableOfContents, tnUnvisiblePages})
        for (TopicNode* node = root->next(root); node != nullptr; node = node->next(root))
            node->entry().ContextNumber = QString::number(counter++);
}

void TQrx::SetIcon()
{
    SetTocRealIcon(tnTableOfContents, KindTableOfContents);
    SetTocRealIcon(tnUnvisiblePages, KindPagesOutOfToc);
    SetTocRealIcon(tnTemplates, KindTemplates);
}

void TQrx::SetTocRealIcon(TopicNode* parentNode, int kind)
{
    // Walks the subtree in order without recursion: nesting depth is unbounded.
    for (TopicNode* node = parentNode->next(parentNode); node != nullptr; node = node->next(parentNode)) {
        node->entry().Kind = kind;
        SetRealIcon(node, kind);
        if (kind != KindTemplates) {
            // A template moved out of "Templates" loses its template mark.
            m_tree->setStateImage(node, -1);
            continue;
        }
        const QString& url = node->entry().Url;
        // An unsaved template has no Url yet; it is never the chosen template.
        const bool isHtmlHelpTemplate = !url.isEmpty() && url.compare(HtmlHelpTemplate, Qt::CaseInsensitive) == 0;
        const bool isWebHelpTemplate = !url.isEmpty() && url.compare(WebHelpTemplate, Qt::CaseInsensitive) == 0;
        m_tree->setImage(node, isWebHelpTemplate ? WebHelpTemplateImage : TemplateImage);
        m_tree->setStateImage(node, isHtmlHelpTemplate ? StateHtmlHelpTemplate : StateOtherTemplate);
    }
}

void TQrx::SetRealIcon(TopicNode* node, int kind)
{
    const int icon = node->entry().Icon;
    const bool expanded = node->expanded();
    const auto pairImage = [expanded](int closed) { return expanded ? closed + 1 : closed; };
    int image = node->imageIndex();
    switch (kind) {
    case KindPagesOutOfToc:
    case KindTemplates:
        if (node->hasChildren())
            image = expanded ? GroupOpen : GroupClosed;
        else
            image = kind == KindPagesOutOfToc ? PageOutOfToc : TemplateLeaf;
        break;
    case KindTableOfContents:
        if (!node->hasChildren())
            image = icon > 0 ? icon - 1 : NoChild;
        else if (icon > 0)
            image = icon <= 8 ? pairImage(2 * ((icon - 1) / 2)) : icon - 1;
        else if (HasChild >= 0 && HasChild <= 7)
            image = pairImage(HasChild - HasChild % 2);
        else
            image = HasChild;
        break;
    default:
        return;
    }
    m_tree->setImage(node, image);
}
