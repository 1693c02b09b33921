#include <gtest/gtest.h>

#include "platform/drives.h"
#include "platform/linux/mount_info.h"

namespace {

TEST(Drives, RealMountsOnlyNeverPseudoFileSystemsAndTheRootFirst) {
  const std::string mountinfo =
      "22 1 0:21 / /proc rw - proc proc rw\n"
      "23 1 0:22 / /sys rw - sysfs sysfs rw\n"
      "24 1 0:5 / /dev rw - devtmpfs udev rw\n"
      "26 1 0:24 / /run rw - tmpfs tmpfs rw\n"
      "27 1 8:1 / / rw shared:1 - ext4 /dev/sda1 rw\n"
      "29 1 8:2 / /home rw - ext4 /dev/sda2 rw\n"
      "30 1 8:17 / /media/anna/CHIAVETTA\\040USB rw - vfat /dev/sdb1 rw\n"
      "31 1 0:40 / /mnt/archivio rw - nfs4 server:/export rw\n"
      "32 1 7:0 / /snap/core/1 ro - squashfs /dev/loop0 ro\n"
      "33 1 8:3 / /boot/efi rw - vfat /dev/sda3 rw\n"
      "34 26 8:18 / /run/media/anna/DISCO rw - ext4 /dev/sdc1 rw\n";
  std::vector<std::string> points;
  for (const auto& d : platform::drives::DrivesFromMountInfo(mountinfo, "/home/anna"))
    points.push_back(d.mount_point);
  EXPECT_EQ(points, (std::vector<std::string>{"/", "/home", "/media/anna/CHIAVETTA USB",
                                              "/mnt/archivio", "/run/media/anna/DISCO"}));
  // This system's own: the root always first and ready.
  const auto drives = platform::drives::ListDrives();
  ASSERT_FALSE(drives.empty());
  EXPECT_EQ(drives[0].mount_point, "/");
  EXPECT_TRUE(platform::drives::IsReady("/"));
  EXPECT_FALSE(platform::drives::IsReady("/nonexistent-faldone-mount"));
}

}  // namespace
