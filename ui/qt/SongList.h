// The song list: one item per track in track order, each with its check
// box, in a report view of one column with grid lines.
#pragma once

#include <QString>
#include <QTreeWidget>

namespace vorsa::ui
{

class SongList : public QTreeWidget
{
    Q_OBJECT
public:
    SongList(const QString &heading, QWidget *parent);

    // A new last item, not ticked.
    void AddItem(const QString &caption);
    bool Checked(int index) const;
    void SetChecked(int index, bool checked);
};

} // namespace vorsa::ui
