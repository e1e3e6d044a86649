#include "DriveComboBox.h"

#include "DirectoryListBox.h"
#include "DriveList.h"
#include "ErrorDisplay.h"
#include "Errors.h"

namespace vorsa::ui
{

DriveComboBox::DriveComboBox(QWidget *parent) : QComboBox(parent)
{
    addItems(DriveRoots(MountedFileSystems()));
    // activated, not currentIndexChanged: only the user's pick moves the list.
    connect(this, &QComboBox::activated, this, &DriveComboBox::Pick);
}

void DriveComboBox::SetDirList(DirectoryListBox *list)
{
    dirList_ = list;
    if (!dirList_)
        return;
    NoteCurrentFolder();
    connect(dirList_, &DirectoryListBox::Change, this, &DriveComboBox::NoteCurrentFolder);
}

void DriveComboBox::NoteCurrentFolder()
{
    const QString folder = dirList_->Directory();
    if (const int drive = DriveIndexOf(folder); drive >= 0) {
        setCurrentIndex(drive);
        currentFolders_.insert(itemText(drive), folder);
    }
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

void DriveComboBox::ShowDriveOf(const QString &folder)
{
    if (const int drive = DriveIndexOf(folder); drive >= 0)
        setCurrentIndex(drive);
}

void DriveComboBox::Pick(int index)
{
    if (!dirList_ || index < 0)
        return;
    const QString before = dirList_->Directory();
    // The drive of the list's folder picked again: the list stays where the
    // user left it.
    if (index == DriveIndexOf(before))
        return;
    const QString drive = itemText(index);
    RunShowingErrors([&] {
        try {
            OpenOnDrive(drive);
        } catch (...) {
            // The selector goes back to the drive that the list still shows.
            ShowDriveOf(before);
            throw;
        }
    });
}

void DriveComboBox::OpenOnDrive(const QString &drive)
{
    const QString folder = currentFolders_.value(drive, drive);
    if (folder != drive) {
        try {
            dirList_->OpenDirectory(folder);
            return;
        } catch (const EInOutError &) {
            // Gone since it was opened: the drive itself still is there.
            currentFolders_.remove(drive);
        }
    }
    dirList_->OpenDirectory(drive);
}

} // namespace vorsa::ui
