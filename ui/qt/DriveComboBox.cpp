#include "DriveComboBox.h"

#include "DriveList.h"

namespace vorsa::ui
{

DriveComboBox::DriveComboBox(QWidget *parent) : QComboBox(parent)
{
    addItems(DriveRoots(MountedFileSystems()));
    // activated, not currentIndexChanged: only the user's pick moves the list.
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (index >= 0)
            emit Picked(itemText(index));
    });
}

int DriveComboBox::DriveIndexOf(const QString &folder) const
{
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < count(); ++i) {
        const QString root = itemText(i);
        const bool holds =
            folder == root ||
            folder.startsWith(root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/'));
        if (holds && root.size() > bestLength) {
            best = i;
            bestLength = root.size();
        }
    }
    return best;
}

QString DriveComboBox::DriveOf(const QString &folder) const
{
    const int drive = DriveIndexOf(folder);
    return drive >= 0 ? itemText(drive) : QString();
}

void DriveComboBox::ShowDriveOf(const QString &folder)
{
    if (const int drive = DriveIndexOf(folder); drive >= 0)
        setCurrentIndex(drive);
}

} // namespace vorsa::ui
