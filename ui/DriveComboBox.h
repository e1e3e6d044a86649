// The drive selector of a system without drive letters: the root folders
// of the mounted file systems. Picking one moves the linked folder list there.
#pragma once

#include <QComboBox>
#include <QString>

namespace vorsa::ui
{

class DirectoryListBox;

class DriveComboBox : public QComboBox
{
    Q_OBJECT
public:
    explicit DriveComboBox(QWidget *parent = nullptr);

    void SetDirList(DirectoryListBox *list);
    // Shows the mount point that holds `folder`, without moving the list.
    void ShowDriveOf(const QString &folder);
    // The mount points listed, sorted.
    static QStringList MountPoints();

private:
    void Pick(int index);

    DirectoryListBox *dirList_ = nullptr;
};

} // namespace vorsa::ui
