#include "SongList.h"

#include "GridLineDelegate.h"
#include "SelectionPalette.h"

#include <QHeaderView>

namespace vorsa::ui
{

SongList::SongList(const QString &heading, QWidget *parent) : QTreeWidget(parent)
{
    setColumnCount(1);
    setHeaderLabels({heading});
    header()->setStretchLastSection(true);
    // The one column fits the list at any scale: no scroll bar across it.
    header()->setMinimumSectionSize(0);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    header()->setSectionsMovable(false);
    setRootIsDecorated(false);
    setIndentation(0);
    setUniformRowHeights(true);
    setItemDelegate(new GridLineDelegate(this));
    MuteInactiveSelection(*this);
}

void SongList::AddItem(const QString &caption)
{
    auto *item = new QTreeWidgetItem(this, QStringList{caption});
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(0, Qt::Unchecked);
}

bool SongList::Checked(int index) const
{
    const QTreeWidgetItem *item = topLevelItem(index);
    return item && item->checkState(0) == Qt::Checked;
}

void SongList::SetChecked(int index, bool checked)
{
    if (QTreeWidgetItem *item = topLevelItem(index))
        item->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
}

} // namespace vorsa::ui
