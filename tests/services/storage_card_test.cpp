// SPDX-License-Identifier: MIT
#include "services/storage_card.h"

#include <gtest/gtest.h>

#include "services/device_files.h"
#include "support/scratch_dir.h"

namespace fs = std::filesystem;

namespace {

// Lines as the kernel writes them: a desktop's card with a blank and an
// umlaut in its label, a card through FUSE, bind mounts with optional fields.
const char kMountInfo[] =
    "21 26 0:20 / /proc rw,relatime - proc proc rw\n"
    "26 1 259:2 / / rw,relatime shared:1 - ext4 /dev/nvme0n1p2 rw\n"
    "612 26 8:17 / /media/anna/M\\303\\234LLER\\040KARTE rw,nosuid,nodev,relatime shared:340 - "
    "exfat /dev/sdb1 rw,fmask=0022,dmask=0022,iocharset=utf8\n"
    "640 26 7:0 / /run/media/anna/CARD rw,nosuid,nodev,relatime shared:352 master:1 - fuseblk "
    "/dev/loop0 rw,user_id=0,group_id=0,allow_other,blksize=4096\n"
    "650 26 0:52 /sub /mnt/back\\134slash\\011tab rw - vfat /dev/sdc1 rw\n"
    "garbage line\n";

TEST(StorageCard, MountInfoLinesGiveTheirFoldersAndTypes) {
    const std::vector<MountPoint> mounts = ParseMountInfo(kMountInfo);
    ASSERT_EQ(mounts.size(), 5u);
    EXPECT_EQ(mounts[0].folder, "/proc");
    EXPECT_EQ(mounts[0].type, "proc");
    EXPECT_EQ(mounts[2].folder, "/media/anna/M\xC3\x9CLLER KARTE");
    EXPECT_EQ(mounts[2].type, "exfat");
    EXPECT_EQ(mounts[3].folder, "/run/media/anna/CARD");
    EXPECT_EQ(mounts[3].type, "fuseblk");
    EXPECT_EQ(mounts[4].folder, "/mnt/back\\slash\ttab");
}

// Folders that stand for mount points: only those whose root holds the
// route folder, in any letter case, are cards; the one mounted last comes
// first, and a folder mounted twice counts once.
TEST(StorageCard, CardsAreTheMountsHoldingTheRouteFolderTheLatestFirst) {
    ScratchDir dir;
    fs::create_directories(dir / "early/MN6/Settings/Routes");
    fs::create_directories(dir / "late/mn6/settings/routes");
    fs::create_directories(dir / "other/MN6/Settings");
    fs::create_directories(dir / "kernel/MN6/Settings/Routes");
    const auto line = [&](const std::string& name, const std::string& type) {
        return "30 26 8:1 / " + (dir / name).string() + " rw - " + type + " /dev/x rw\n";
    };
    const std::string text = line("early", "vfat") + line("late", "exfat") + line("other", "vfat") +
                             line("kernel", "proc") + line("early", "vfat");
    EXPECT_EQ(MountedCards(ParseMountInfo(text)),
              (std::vector<fs::path>{dir / "early", dir / "late"}));
    EXPECT_TRUE(MountedCards(ParseMountInfo(line("other", "vfat"))).empty());
}

TEST(StorageCard, TheCommandLinesCardWinsAndFoldersAreFoundInAnyLetterCase) {
    ScratchDir env;
    ScratchDir card;
    ScopedEnv storage{"QUILLPOST_STORAGE_CARD", env.path().string()};
    EXPECT_EQ(StorageCardFolder(), env.path());
    UseStorageCard(card.path());
    EXPECT_EQ(StorageCardFolder(), card.path());
    EXPECT_TRUE(StorageCardChoiceNote().empty());

    fs::create_directories(card / "mn6/settings/routes");
    WriteFileBytes(card / "mn6/settings/routes/Tour.rte", "x");
    EXPECT_EQ(DeviceToHostPath(L"\\Storage Card\\MN6\\Settings\\Routes\\Tour.rte"),
              card / "mn6/settings/routes/Tour.rte");
    EXPECT_EQ(DeviceToHostPath(L"\\Storage Card\\MN6\\Settings\\Routes\\New.rte"),
              card / "mn6/settings/routes/New.rte");
    UseStorageCard({});
}

}  // namespace
