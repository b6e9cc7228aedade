#include "TTopicItemDelegate.h"

#include "AppImages.h"
#include "ColourContrast.h"
#include "TQrx.h"
#include "TopicTree.h"

#include <QGuiApplication>
#include <QPainter>

namespace {

constexpr int ImageSize = 16;

void setTextColours(QStyleOptionViewItem* option, const QColor& text, const QColor& background)
{
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        option->palette.setColor(group, QPalette::Text, text);
        option->palette.setColor(group, QPalette::HighlightedText, text);
        option->palette.setColor(group, QPalette::Highlight, background);
    }
    option->backgroundBrush = background;
}

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

    const TopicNode* node = m_project.Tree().nodeAt(index);
    if (node == nullptr)
        return;
    const bool selected = option->state.testFlag(QStyle::State_Selected);
    const TRowPaint paint = RowPaintFor(m_project, *node, selected, m_drop);
    option->font.setBold(paint.Bold);
    switch (paint.Colours) {
    case TRowColours::Plain:
        break;
    case TRowColours::Selected:
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            option->palette.setColor(group, QPalette::Highlight, QColor(192, 192, 192));
            option->palette.setColor(group, QPalette::HighlightedText, QColor(0, 0, 255));
        }
        break;
    case TRowColours::DefaultTopic:
        // Red wins over the selection's blue; a selected default topic keeps the silver.
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            option->palette.setColor(group, QPalette::Text, QColor(255, 0, 0));
            option->palette.setColor(group, QPalette::HighlightedText, QColor(255, 0, 0));
        }
        break;
    case TRowColours::DropHighlight: {
        // The platform's highlight, its nearest to the active-caption colour
        // (the view's own highlight is the selection's silver), with text
        // that reads on it.
        const QPalette system = QGuiApplication::palette();
        const QColor background = system.color(QPalette::Active, QPalette::Highlight);
        setTextColours(option, ReadableTextOn(background, system.color(QPalette::Active, QPalette::HighlightedText)),
                       background);
        option->state &= ~QStyle::State_Selected;
        break;
    }
    case TRowColours::DropLine:
        setTextColours(option, Qt::black, Qt::white);
        option->state &= ~QStyle::State_Selected;
        break;
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
