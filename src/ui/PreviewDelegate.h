#pragma once

#include <QStyledItemDelegate>

// Paints an occurrence's row of the preview: its line and column, then its line with the text
// found struck out in red and its replacement in green, cut to the row's width.
class PreviewDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
};
