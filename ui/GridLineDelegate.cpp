#include "GridLineDelegate.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

namespace vorsa::ui
{

void GridLineDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                             const QModelIndex &index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    const QWidget *view = option.widget;
    const QStyle *style = view ? view->style() : QApplication::style();
    const int gridHint = style->styleHint(QStyle::SH_Table_GridLineColor, &option, view);
    const QColor gridColor = QColor::fromRgba(static_cast<QRgb>(gridHint));
    painter->save();
    painter->setPen(gridColor);
    const QRect &cell = option.rect;
    painter->drawLine(cell.bottomLeft(), cell.bottomRight());
    painter->drawLine(cell.topRight(), cell.bottomRight());
    painter->restore();
}

} // namespace vorsa::ui
