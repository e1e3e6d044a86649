// Draws the grid lines of a report-view list: a line under each row and at
// the right edge of each column; and a frame round the row that has the
// keyboard focus.
#pragma once

#include <QStyledItemDelegate>

namespace vorsa::ui
{

class GridLineDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
};

} // namespace vorsa::ui
