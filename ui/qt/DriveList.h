// Which mounted file systems the drive selector offers: those a person works
// with ("/", home, removable media, other disks and network shares), not the
// system's pseudo and internal mounts.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace vorsa::ui
{

struct MountEntry {
    QString mountPoint;     // absolute path
    QString fileSystemType; // as the system names it: "ext4", "tmpfs", "fuse.sshfs"
};

// The mount points of the drives among `mounts`, sorted, each once, and "/"
// always among them.
QStringList DriveRoots(const QList<MountEntry> &mounts);

// The file systems mounted now.
QList<MountEntry> MountedFileSystems();

} // namespace vorsa::ui
