// The drive selector of a system without drive letters: the root folders of
// the mounted file systems a person works with. The user's pick of one is
// signalled; the form's actions move the folder list.
#pragma once

#include <QComboBox>
#include <QString>

namespace vorsa::ui
{

class DriveComboBox : public QComboBox
{
    Q_OBJECT
public:
    explicit DriveComboBox(QWidget *parent = nullptr);

    // The listed drive whose root is `folder` or one of its parents, the
    // deepest such; empty if none.
    QString DriveOf(const QString &folder) const;
    // Shows the drive that holds `folder`.
    void ShowDriveOf(const QString &folder);

signals:
    // The user picked the drive whose root is `drive`.
    void Picked(const QString &drive);

private:
    int DriveIndexOf(const QString &folder) const;
};

} // namespace vorsa::ui
