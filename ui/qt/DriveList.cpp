#include "DriveList.h"

#include <QStorageInfo>

#include <algorithm>

namespace vorsa::ui
{

namespace
{

const QString kRoot = QStringLiteral("/");

// Kernel interfaces, memory file systems, container and package internals,
// desktop helper mounts: nothing a person keeps files on.
bool IsSystemType(const QString &type)
{
    static const QStringList kTypes{QStringLiteral("autofs"),
                                    QStringLiteral("binfmt_misc"),
                                    QStringLiteral("bpf"),
                                    QStringLiteral("cgroup"),
                                    QStringLiteral("cgroup2"),
                                    QStringLiteral("configfs"),
                                    QStringLiteral("debugfs"),
                                    QStringLiteral("devpts"),
                                    QStringLiteral("devtmpfs"),
                                    QStringLiteral("efivarfs"),
                                    QStringLiteral("fuse.gvfsd-fuse"),
                                    QStringLiteral("fuse.lxcfs"),
                                    QStringLiteral("fuse.portal"),
                                    QStringLiteral("fuse.snapfuse"),
                                    QStringLiteral("fusectl"),
                                    QStringLiteral("hugetlbfs"),
                                    QStringLiteral("mqueue"),
                                    QStringLiteral("nsfs"),
                                    QStringLiteral("overlay"),
                                    QStringLiteral("proc"),
                                    QStringLiteral("pstore"),
                                    QStringLiteral("ramfs"),
                                    QStringLiteral("rpc_pipefs"),
                                    QStringLiteral("securityfs"),
                                    QStringLiteral("selinuxfs"),
                                    QStringLiteral("squashfs"),
                                    QStringLiteral("sysfs"),
                                    QStringLiteral("tmpfs"),
                                    QStringLiteral("tracefs")};
    return kTypes.contains(type);
}

bool IsWithin(const QString &path, const QString &tree)
{
    return path == tree || path.startsWith(tree + QLatin1Char('/'));
}

bool IsUserDrive(const MountEntry &mount)
{
    if (mount.mountPoint == kRoot)
        return true;
    if (IsSystemType(mount.fileSystemType))
        return false;
    if (IsWithin(mount.mountPoint, QStringLiteral("/run/media")))
        return true; // removable media, under the system's run-time tree
    static const QStringList kSystemTrees{QStringLiteral("/boot"), QStringLiteral("/dev"),
                                          QStringLiteral("/efi"),  QStringLiteral("/etc"),
                                          QStringLiteral("/proc"), QStringLiteral("/run"),
                                          QStringLiteral("/snap"), QStringLiteral("/sys"),
                                          QStringLiteral("/usr"),  QStringLiteral("/var/lib")};
    return std::none_of(kSystemTrees.begin(), kSystemTrees.end(),
                        [&mount](const QString &tree) { return IsWithin(mount.mountPoint, tree); });
}

} // namespace

QStringList DriveRoots(const QList<MountEntry> &mounts)
{
    QStringList roots{kRoot};
    for (const MountEntry &mount : mounts) {
        if (IsUserDrive(mount) && !roots.contains(mount.mountPoint))
            roots.append(mount.mountPoint);
    }
    roots.sort();
    return roots;
}

QList<MountEntry> MountedFileSystems()
{
    QList<MountEntry> mounts;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady())
            mounts.append({volume.rootPath(), QString::fromUtf8(volume.fileSystemType())});
    }
    return mounts;
}

} // namespace vorsa::ui
