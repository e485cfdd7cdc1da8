// Reading a card's FAT without mounting it (images made by mkfs.fat, changed by mtools), and the
// mount table that maps a folder to its volume.
#include "support/FatImage.h"
#include "support/Shell.h"
#include "support/TestFiles.h"
#include "tools/SdCardFat.h"
#include "tools/SdCardMounts.h"

#include <gtest/gtest.h>

using namespace ovb;
using namespace ovb::test;
namespace fs = std::filesystem;

namespace {

class FatImages : public ::testing::Test {
  protected:
    TempDir dir;
};

std::uint64_t Kib(std::uint64_t n) {
    return n * 1024;
}

} // namespace

TEST_F(FatImages, TypeLabelAndGeometryComeFromTheBootSector) {
    struct Case {
        unsigned bits;
        std::uint64_t size;
    };
    for (Case c : {Case{12, Kib(2048)}, Case{16, Kib(65536)}, Case{32, Kib(102400)}}) {
        const fs::path image = dir / ("fat" + std::to_string(c.bits) + ".img");
        MakeFatImage(image, c.size, c.bits, "CARD" + std::to_string(c.bits));
        FatVolumeReader fat(image);
        ASSERT_TRUE(fat.geometry()) << c.bits;
        const FatGeometry& g = *fat.geometry();
        EXPECT_EQ(g.bits, c.bits);
        EXPECT_LE(g.dataOffset() + g.clusterCount * g.clusterBytes(), c.size);
        EXPECT_GT(g.dataOffset() + (g.clusterCount + 1) * g.clusterBytes(), c.size)
            << "every whole cluster of the image is counted";
        EXPECT_EQ(fat.label(), "CARD" + std::to_string(c.bits));
    }
}

TEST_F(FatImages, FreeClustersFollowWhatIsWritten) {
    for (unsigned bits : {12u, 16u, 32u}) {
        const fs::path image = dir / "free.img";
        MakeFatImage(image, bits == 32 ? Kib(102400) : bits == 16 ? Kib(32768) : Kib(2048), bits);
        std::uint64_t before = 0, cluster = 0;
        {
            FatVolumeReader fat(image);
            ASSERT_TRUE(fat.geometry());
            cluster = fat.geometry()->clusterBytes();
            before = fat.freeClusters().value();
            // A fresh volume is free apart from the root folder's cluster on FAT32.
            EXPECT_EQ(before, fat.geometry()->clusterCount - (bits == 32 ? 1 : 0));
        }
        const std::size_t size = std::size_t(cluster * 3 + 1);
        WriteAll(dir / "DATA.BIN", PatternBytes(size, 7));
        ASSERT_TRUE(Shell("MTOOLS_SKIP_CHECK=1 mcopy -i " + Quote(image) + " " +
                          Quote(dir / "DATA.BIN") + " ::/DATA.BIN"));
        FatVolumeReader fat(image);
        EXPECT_EQ(fat.freeClusters().value(), before - 4) << bits;
    }
}

TEST_F(FatImages, TheLabelEntryOfTheRootFolderWinsOverTheBootSectorCopy) {
    const fs::path image = dir / "label.img";
    MakeFatImage(image, Kib(102400), 32, "FIRST");
    Patch(image, 71, std::vector<std::uint8_t>(11, 'X')); // the boot sector's copy
    EXPECT_EQ(FatVolumeReader(image).label(), "FIRST");
    MakeFatImage(image, Kib(102400), 32);
    EXPECT_EQ(FatVolumeReader(image).label(), "") << "no label at all";
}

TEST_F(FatImages, OtherBootSectorsAreNotTakenForFat) {
    const fs::path image = dir / "other.img";
    MakeFatImage(image, Kib(102400), 32);
    std::vector<std::uint8_t> sector = ReadRange(image, 0, 512);
    ASSERT_TRUE(ParseFatBootSector(sector.data()));
    auto broken = [&](std::size_t offset, std::vector<std::uint8_t> bytes) {
        std::vector<std::uint8_t> s = sector;
        std::copy(bytes.begin(), bytes.end(), s.begin() + long(offset));
        return !ParseFatBootSector(s.data()).has_value();
    };
    EXPECT_TRUE(broken(510, {0, 0})) << "no boot signature";
    EXPECT_TRUE(broken(11, {0, 0})) << "exFAT keeps its sector size elsewhere and zeros here";
    EXPECT_TRUE(broken(13, {3})) << "sectors per cluster not a power of two";
    EXPECT_TRUE(broken(14, {0, 0})) << "NTFS has no reserved sectors";
    EXPECT_TRUE(broken(36, {1, 0, 0, 0})) << "a FAT too small for the clusters";
    EXPECT_FALSE(FatVolumeReader(dir / "missing.img").geometry());
}

TEST(FatRules, ClusterCountDecidesTheType) {
    EXPECT_EQ(FatBitsForClusters(4084), 12u);
    EXPECT_EQ(FatBitsForClusters(4085), 16u);
    EXPECT_EQ(FatBitsForClusters(65524), 16u);
    EXPECT_EQ(FatBitsForClusters(65525), 32u);
}

TEST(MountTable, ParsesEntriesAndOffersRemovableMediaFirst) {
    const std::string text =
        "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
        "23 22 0:5 / /proc rw - proc proc rw\n"
        "40 22 8:17 / /media/ann/MY\\040CARD rw shared:5 master:2 - vfat /dev/sdb1 rw,fmask=22\n"
        "41 22 0:39 / /tmp/card rw,nosuid - fuse.fusefat fusefat rw,user_id=0\n"
        "42 22 8:33 / /mnt/usb rw - exfat /dev/sdc1 rw\n"
        "43 22 8:2 / /home rw - ext4 /dev/sda2 rw\n"
        "44 22 0:40 / /sys/fs/fuse/connections rw - fusectl fusectl rw\n"
        "45 22 0:41 / /mnt rw - tmpfs tmpfs rw\n"
        "broken line\n";
    const std::vector<MountEntry> mounts = ParseMountInfo(text);
    ASSERT_EQ(mounts.size(), 8u);
    EXPECT_EQ(mounts[2].mountPoint, "/media/ann/MY CARD");
    EXPECT_EQ(mounts[2].fsType, "vfat");
    EXPECT_EQ(mounts[2].source, "/dev/sdb1");
    EXPECT_EQ(mounts[3].major, 0u);
    EXPECT_EQ(mounts[3].minor, 39u);
    EXPECT_EQ(mounts[3].fsType, "fuse.fusefat");
    EXPECT_EQ(CardCandidates(mounts), (std::vector<std::string>{"/media/ann/MY CARD", "/mnt/usb",
                                                                "/tmp/card", "/", "/home"}));
    EXPECT_EQ(MountAt(mounts, "/tmp/card/"), &mounts[3]);
    EXPECT_EQ(MountAt(mounts, "/media/ann/MY CARD"), &mounts[2]);
    EXPECT_EQ(MountAt(mounts, "/tmp/card/sub"), nullptr) << "only a volume's root is a card";
}

TEST(MountTable, TheLastMountOnAFolderIsTheOneSeen) {
    const std::vector<MountEntry> mounts =
        ParseMountInfo("30 1 0:50 / /tmp/x rw - ext4 /dev/sda3 rw\n"
                       "31 30 0:51 / /tmp/x rw - vfat /dev/sdd1 rw\n");
    ASSERT_NE(MountAt(mounts, "/tmp/x"), nullptr);
    EXPECT_EQ(MountAt(mounts, "/tmp/x")->fsType, "vfat");
}
