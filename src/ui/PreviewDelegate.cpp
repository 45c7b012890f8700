#include "ui/PreviewDelegate.h"

#include "ui/PreviewModel.h"

#include <QApplication>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace {

// Draws `text` at x in `font` and `colour`; returns where the next piece starts.
int drawPiece(QPainter *painter, const QRect &rect, int x, const QString &text, const QFont &font,
              const QColor &colour)
{
    if (text.isEmpty() || x >= rect.right())
        return x;
    const QFontMetrics metrics(font);
    const int room = rect.right() - x;
    // Most pieces fit: measured once, and elided only when they do not.
    QString shown = text;
    int width = metrics.horizontalAdvance(text);
    if (width > room) {
        shown = metrics.elidedText(text, Qt::ElideRight, room);
        width = metrics.horizontalAdvance(shown);
    }
    painter->setFont(font);
    painter->setPen(colour);
    painter->drawText(QRect(x, rect.top(), room, rect.height()),
                      Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
    return x + width;
}

} // namespace

void PreviewDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                            const QModelIndex &index) const
{
    const QStringList parts = index.data(PreviewModel::PartsRole).toStringList();
    if (parts.size() != 5) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    opt.text.clear();
    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
    const QRect rect = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget);
    painter->save();
    const bool selected = opt.state & QStyle::State_Selected;
    const QColor text = opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    QColor dim = text;
    dim.setAlphaF(0.6);
    QFont struck = opt.font;
    struck.setStrikeOut(true);
    QFont bold = opt.font;
    bold.setBold(true);
    // Red and green that read on light and dark rows alike.
    const QColor removed = selected ? text : QColor(0xd0, 0x30, 0x30);
    const QColor added = selected ? text : QColor(0x20, 0x90, 0x30);
    int x = rect.left() + 2;
    x = drawPiece(painter, rect, x, parts[0] + u"  "_s, opt.font, dim);
    x = drawPiece(painter, rect, x, parts[1], opt.font, text);
    x = drawPiece(painter, rect, x, parts[2], struck, removed);
    x = drawPiece(painter, rect, x, parts[3], bold, added);
    drawPiece(painter, rect, x, parts[4], opt.font, text);
    painter->restore();
}
