#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTest>

#include <sched.h>
#include <sys/mount.h>

#include "app/browser/Drives.h"
#include "app/browser/PaneWidgets.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/ScopedVariable.h"

namespace trackdeck::browser {
namespace {

// A mount table as a desktop machine under Debian shows it, with the machine's own
// mounts around the user's.
const QByteArray DesktopTable =
    "/dev/nvme0n1p2 / ext4 rw,relatime 0 0\n"
    "proc /proc proc rw,nosuid 0 0\n"
    "sysfs /sys sysfs rw 0 0\n"
    "tmpfs /run tmpfs rw,nosuid 0 0\n"
    "/dev/nvme0n1p1 /boot/efi vfat rw 0 0\n"
    "/dev/nvme0n1p3 /var ext4 rw 0 0\n"
    "tmpfs /tmp tmpfs rw 0 0\n"
    "portal /home/anna/.cache/doc fuse.portal rw 0 0\n"
    "/dev/sdb1 /media/anna/USB\\040STICK vfat rw,nosuid 0 0\n"
    "/dev/sdc1 /run/media/anna/Karte exfat rw 0 0\n"
    "/dev/sdc2 /run/media/bert/Karte exfat rw 0 0\n"
    "/dev/sdd1 /mnt ext4 rw 0 0\n"
    "/dev/sdd2 /mnt/archiv ext4 rw 0 0\n"
    "tools /mnt/sandbox/env/v1 tmpfs ro 0 0\n"
    "nas:/music /home/anna/Musik nfs4 rw 0 0\n"
    "/dev/sde1 /srv/stick vfat rw 0 0\n"
    "/dev/sdf1 /data ext4 rw,x-gvfs-show 0 0\n"
    "/dev/sdg1 /media/anna/Versteckt ext4 rw,x-gvfs-hide 0 0\n";

DriveRules AnnasRules() {
    return {"/home/anna", "anna", [](const QString& source) { return source == "/dev/sde1"; }};
}

TEST(Drives, AreTheRootTheHomeAndWhatTheFileManagerShowsNotTheMachinesOwnMounts) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    DriveRules rules = AnnasRules();
    const QList<Mount> mounts = ParseMountTable(DesktopTable);
    ASSERT_EQ(mounts.size(), 18);
    EXPECT_EQ(mounts[8].Point, "/media/anna/USB STICK") << "the escaped blank";
    EXPECT_EQ(mounts[8].Source, "/dev/sdb1");

    // The home folder is a drive only where it exists.
    EXPECT_EQ(DrivesOf(mounts, rules),
              (QStringList{"/", "/data/", "/home/anna/Musik/", "/media/anna/USB STICK/", "/mnt/",
                           "/mnt/archiv/", "/run/media/anna/Karte/", "/srv/stick/"}));
    rules.Home = home.path();
    const QStringList drives = DrivesOf(mounts, rules);
    ASSERT_GE(drives.size(), 2);
    EXPECT_EQ(drives[0], "/");
    EXPECT_EQ(drives[1], home.path() + "/") << "the home folder comes second";
}

TEST(Drives, MountsBelowTheUserPlacesCountOnlyWhereTheDesktopPutsThem) {
    const DriveRules rules = AnnasRules();
    auto drive = [&rules](const char* point, const char* type = "ext4",
                          const char* source = "/dev/sdx1") {
        return IsDrive({source, point, type, "rw"}, rules);
    };
    EXPECT_TRUE(drive("/media/Stick"));
    EXPECT_TRUE(drive("/media/anna/Stick"));
    EXPECT_FALSE(drive("/media/anna/Stick/inner/deeper"));
    EXPECT_FALSE(drive("/media")) << "the folder that holds the drives is none itself";
    EXPECT_FALSE(drive("/run/media/bert/Karte")) << "another user's drive";
    EXPECT_FALSE(drive("/run/user/1000/gvfs", "fuse.gvfsd-fuse"));
    EXPECT_FALSE(drive("/home/anna/.local/share/x")) << "hidden below the home folder";
    EXPECT_FALSE(drive("/home/annabel/x")) << "a name that only begins alike";
    EXPECT_FALSE(drive("/media/anna/Stick", "autofs")) << "the trigger, not the file system";
    EXPECT_FALSE(drive("/srv/stick")) << "a fixed disk mounted elsewhere";
    EXPECT_TRUE(drive("/srv/stick", "vfat", "/dev/sde1")) << "a removable one";
}

TEST(Drives, ThePathsDriveIsTheLongestMountPointHoldingIt) {
    const QStringList drives{"/", "/mnt/usb/", "/mnt/usb/inner/"};
    EXPECT_EQ(DriveOf("/mnt/usb/music/a/", drives), "/mnt/usb/");
    EXPECT_EQ(DriveOf("/mnt/usb/inner/x/", drives), "/mnt/usb/inner/");
    EXPECT_EQ(DriveOf("/mnt/usb", drives), "/mnt/usb/");
    EXPECT_EQ(DriveOf("/mnt/usbstick/", drives), "/") << "a name that only begins alike";
    EXPECT_EQ(DriveOf("/home/", drives), "/");
}

// Mounting needs a mount namespace of the test's own, so that nothing of the machine
// changes: where the test may not make one, it is skipped.
TEST(DriveBox, ReadsTheDrivesAgainWhenOneIsMountedOrRemoved) {
    (void)test::Application();
    if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr))
        GTEST_SKIP() << "no mount namespace of its own here (needs CAP_SYS_ADMIN)";
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    ASSERT_TRUE(QDir(home.path()).mkdir("Stick"));
    const platform::test::ScopedVariable homeVariable("HOME", home.path().toStdString());
    DriveBox box;
    box.SetDrive("/");
    const QString stick = home.path() + "/Stick/";
    auto listed = [&box, &stick] { return box.findData(stick) >= 0; };
    ASSERT_FALSE(listed());

    ASSERT_EQ(mount("trackdeck-test", qPrintable(stick), "tmpfs", 0, "size=64k"), 0);
    EXPECT_TRUE(QTest::qWaitFor(listed, 10000)) << "the new drive is listed";
    EXPECT_EQ(box.Drive(), "/") << "the pane's drive stays chosen";
    ASSERT_EQ(umount(qPrintable(stick)), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !listed(); }, 10000)) << "the removed one goes";
}

}  // namespace
}  // namespace trackdeck::browser
