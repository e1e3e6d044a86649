// The drive selector's choice among the mounted file systems.
#include "DriveList.h"

#include <QTest>

using vorsa::ui::MountEntry;

class DriveListTest : public QObject
{
    Q_OBJECT

private slots:
    void listsTheDrivesAPersonWorksWith_data()
    {
        QTest::addColumn<QString>("mountPoint");
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("listed");
        const auto row = [](const char *mountPoint, const char *type, bool listed) {
            QTest::addRow("%s %s", mountPoint, type)
                << QString::fromLatin1(mountPoint) << QString::fromLatin1(type) << listed;
        };
        row("/", "ext4", true);
        row("/", "overlay", true); // a container's root
        row("/home", "ext4", true);
        row("/home/user/data", "btrfs", true);
        row("/media/user/USB", "vfat", true);
        row("/media/user/WINDOWS", "fuseblk", true);
        row("/run/media/user/DISC", "iso9660", true);
        row("/mnt/backup", "xfs", true);
        row("/srv/share", "nfs4", true);
        row("/home/user/remote", "fuse.sshfs", true);
        row("/proc", "proc", false);
        row("/proc/sys/fs/binfmt_misc", "binfmt_misc", false);
        row("/sys", "sysfs", false);
        row("/sys/fs/cgroup", "cgroup2", false);
        row("/dev", "devtmpfs", false);
        row("/dev/pts", "devpts", false);
        row("/dev/shm", "tmpfs", false);
        row("/run", "tmpfs", false);
        row("/run/user/1000", "tmpfs", false);
        row("/run/user/1000/doc", "fuse.portal", false);
        row("/run/docker/netns/default", "nsfs", false);
        row("/tmp", "tmpfs", false);
        row("/snap/core22/1122", "squashfs", false);
        row("/var/lib/docker/overlay2/4f2a/merged", "overlay", false);
        row("/boot/efi", "vfat", false);
        row("/etc/hosts", "ext4", false); // a container's bound-in file
    }

    void listsTheDrivesAPersonWorksWith()
    {
        QFETCH(QString, mountPoint);
        QFETCH(QString, type);
        QFETCH(bool, listed);
        QStringList expected{QStringLiteral("/")};
        if (listed && mountPoint != expected.front())
            expected.append(mountPoint);
        QCOMPARE(vorsa::ui::DriveRoots({{mountPoint, type}}), expected);
    }

    // Sorted, each once, "/" even when the table lacks it.
    void drivesSortedOnceWithRoot()
    {
        const QList<MountEntry> mounts{{QStringLiteral("/media/u/B"), QStringLiteral("vfat")},
                                       {QStringLiteral("/home"), QStringLiteral("ext4")},
                                       {QStringLiteral("/media/u/B"), QStringLiteral("vfat")}};
        QCOMPARE(vorsa::ui::DriveRoots(mounts),
                 (QStringList{QStringLiteral("/"), QStringLiteral("/home"),
                              QStringLiteral("/media/u/B")}));
    }
};

QTEST_APPLESS_MAIN(DriveListTest)

#include "DriveListTest.moc"
