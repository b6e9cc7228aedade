#pragma once

#include "TreeDrawingRules.h"

#include <QStyledItemDelegate>

class TQrx;

// Draws a topic row: its state image and image (TopicTree's numbers) and
// the colours of TreeDrawingRules: selected rows blue on silver, roots in
// bold, the default topic in red, the drop target of a drag.
class TTopicItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    TTopicItemDelegate(const TQrx& project, QObject* parent = nullptr);

    // The drag under way; the view repaints the rows concerned.
    void setDropMark(const TDropMark& mark) { m_drop = mark; }
    const TDropMark& dropMark() const { return m_drop; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    const TQrx& m_project;
    TDropMark m_drop;
};
