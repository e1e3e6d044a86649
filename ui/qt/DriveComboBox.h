// The drive selector of a system without drive letters: the root folders of
// the mounted file systems a person works with. Picking another drive moves
// the linked folder list to that drive's current folder: the last one opened
// on it, its root until then.
#pragma once

#include <QComboBox>
#include <QHash>
#include <QString>

namespace vorsa::ui
{

class DirectoryListBox;

class DriveComboBox : public QComboBox
{
    Q_OBJECT
public:
    explicit DriveComboBox(QWidget *parent = nullptr);

    // Links the list and shows its drive; the folder the list shows is that
    // drive's current folder.
    void SetDirList(DirectoryListBox *list);
    // Shows the drive that holds `folder`, without moving the list.
    void ShowDriveOf(const QString &folder);

private:
    void Pick(int index);
    void OpenOnDrive(const QString &drive);
    // The listed drive whose root is `folder` or one of its parents, the
    // deepest such; -1 if none.
    int DriveIndexOf(const QString &folder) const;
    // Makes the list's folder the current folder of its drive.
    void NoteCurrentFolder();

    DirectoryListBox *dirList_ = nullptr;
    QHash<QString, QString> currentFolders_; // drive root -> folder last opened on it
};

} // namespace vorsa::ui
