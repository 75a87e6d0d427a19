#include <gtest/gtest.h>

#include "app/browser/Drives.h"

namespace trackdeck::browser {
namespace {

TEST(Drives, TheRootComesFirstAndVirtualFileSystemsAreNoDrives) {
    const QStringList drives = Drives();
    ASSERT_FALSE(drives.isEmpty());
    EXPECT_EQ(drives.front(), "/");
    for (const QString& drive : drives) {
        EXPECT_TRUE(drive.endsWith('/')) << drive.toStdString();
        EXPECT_FALSE(drive.startsWith("/proc/") || drive.startsWith("/sys/"))
            << drive.toStdString();
    }
}

TEST(Drives, ThePathsDriveIsTheLongestMountPointHoldingIt) {
    const QStringList drives{"/", "/mnt/usb/", "/mnt/usb/inner/"};
    EXPECT_EQ(DriveOf("/mnt/usb/music/a/", drives), "/mnt/usb/");
    EXPECT_EQ(DriveOf("/mnt/usb/inner/x/", drives), "/mnt/usb/inner/");
    EXPECT_EQ(DriveOf("/mnt/usb", drives), "/mnt/usb/");
    EXPECT_EQ(DriveOf("/mnt/usbstick/", drives), "/") << "a name that only begins alike";
    EXPECT_EQ(DriveOf("/home/", drives), "/");
}

}  // namespace
}  // namespace trackdeck::browser
