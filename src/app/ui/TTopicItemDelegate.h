#pragma once

#include <QStyledItemDelegate>

class TQrx;

// Draws a topic row: its state image and image (TopicTree's numbers), roots
// in bold, the default topic in red (selected rows take the view's colours).
class TTopicItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    TTopicItemDelegate(const TQrx& project, QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    const TQrx& m_project;
};
