#include "DriveComboBox.h"

#include "DirectoryListBox.h"
#include "ErrorDisplay.h"

#include <QStorageInfo>

namespace vorsa::ui
{

DriveComboBox::DriveComboBox(QWidget *parent) : QComboBox(parent)
{
    addItems(MountPoints());
    // activated, not currentIndexChanged: only the user's pick moves the list.
    connect(this, &QComboBox::activated, this, &DriveComboBox::Pick);
}

QStringList DriveComboBox::MountPoints()
{
    QStringList roots;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady() && !roots.contains(volume.rootPath()))
            roots.append(volume.rootPath());
    }
    if (!roots.contains(QStringLiteral("/")))
        roots.append(QStringLiteral("/"));
    roots.sort();
    return roots;
}

void DriveComboBox::SetDirList(DirectoryListBox *list)
{
    dirList_ = list;
    if (dirList_)
        connect(dirList_, &DirectoryListBox::Change, this,
                [this] { ShowDriveOf(dirList_->Directory()); });
}

void DriveComboBox::ShowDriveOf(const QString &folder)
{
    // The longest mount point that is the folder itself or one of its parents.
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < count(); ++i) {
        QString root = itemText(i);
        const bool holds =
            folder == root ||
            folder.startsWith(root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/'));
        if (holds && root.size() > bestLength) {
            best = i;
            bestLength = root.size();
        }
    }
    if (best >= 0)
        setCurrentIndex(best);
}

void DriveComboBox::Pick(int index)
{
    if (!dirList_ || index < 0)
        return;
    const QString before = dirList_->Directory();
    RunShowingErrors([&] {
        try {
            dirList_->OpenDirectory(itemText(index));
        } catch (...) {
            // The selector goes back to the drive that the list still shows.
            ShowDriveOf(before);
            throw;
        }
    });
}

} // namespace vorsa::ui
