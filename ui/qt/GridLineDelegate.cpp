#include "GridLineDelegate.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

namespace vorsa::ui
{

void GridLineDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                             const QModelIndex &index) const
{
    // The style's focus mark is a faint line round the text alone, hard to
    // find among the grid lines; the row gets a frame of its own instead.
    QStyleOptionViewItem withoutFocus = option;
    withoutFocus.state &= ~QStyle::State_HasFocus;
    QStyledItemDelegate::paint(painter, withoutFocus, index);
    const QWidget *view = option.widget;
    const QStyle *style = view ? view->style() : QApplication::style();
    const int gridHint = style->styleHint(QStyle::SH_Table_GridLineColor, &option, view);
    const QColor gridColor = QColor::fromRgba(static_cast<QRgb>(gridHint));
    painter->save();
    painter->setPen(gridColor);
    const QRect &cell = option.rect;
    painter->drawLine(cell.bottomLeft(), cell.bottomRight());
    painter->drawLine(cell.topRight(), cell.bottomRight());
    if (option.state & QStyle::State_HasFocus) {
        // Set only while the list has the focus, on its current row.
        // Darker than the selection, so it shows on a selected row too.
        const QColor frame = option.palette.color(QPalette::Active, QPalette::Highlight);
        painter->setPen(QPen(frame.darker(170), 2));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(cell.adjusted(1, 1, -2, -2));
    }
    painter->restore();
}

} // namespace vorsa::ui
