#include "TTopicItemDelegate.h"

#include "AppImages.h"
#include "TQrx.h"
#include "TopicTree.h"

#include <QPainter>

namespace {

constexpr int ImageSize = 16;

} // namespace

TTopicItemDelegate::TTopicItemDelegate(const TQrx& project, QObject* parent)
    : QStyledItemDelegate(parent)
    , m_project(project)
{
}

void TTopicItemDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    option->features |= QStyleOptionViewItem::HasDecoration;
    option->icon = AppImages::TreeImage(index.data(TopicTree::ImageRole).toInt());
    option->decorationSize = QSize(ImageSize, ImageSize);

    const TopicTree& tree = m_project.Tree();
    const TopicNode* node = tree.nodeAt(index);
    if (node == nullptr)
        return;
    if (node->isRoot())
        option->font.setBold(true);
    const QString& defaultTopic = m_project.DefaultTopic;
    if (node->entry().Kind != KindTemplates && !defaultTopic.trimmed().isEmpty()
        && node->entry().Url.compare(defaultTopic, Qt::CaseInsensitive) == 0) {
        // Red wins over the selection's colours.
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            option->palette.setColor(group, QPalette::Text, QColor(255, 0, 0));
            option->palette.setColor(group, QPalette::HighlightedText, QColor(255, 0, 0));
        }
    }
}

void TTopicItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const int state = index.data(TopicTree::StateImageRole).toInt();
    if (state != 1 && state != 2) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    // The state image stands before the image, as in the tree of old.
    const QRect stateRect(option.rect.left(), option.rect.top() + (option.rect.height() - ImageSize) / 2, ImageSize,
                          ImageSize);
    AppImages::TreeStateImage(state).paint(painter, stateRect);
    QStyleOptionViewItem rest(option);
    rest.rect.setLeft(option.rect.left() + ImageSize + 2);
    QStyledItemDelegate::paint(painter, rest, index);
}

QSize TTopicItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    const int state = index.data(TopicTree::StateImageRole).toInt();
    if (state == 1 || state == 2)
        size.rwidth() += ImageSize + 2;
    size.setHeight(std::max(size.height(), ImageSize + 2));
    return size;
}
