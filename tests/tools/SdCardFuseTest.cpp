// The card write onto real FAT volumes: images made by mkfs.fat, mounted by the user-space FAT
// driver fusefat, written by the assistant's copy, then unmounted and read back with mtools; a
// card's FAT read without mounting it, and the mount table that maps a folder to its volume.
#include "OvbankRun.h"
#include "bank/BankFileWriter.h"
#include "bank/ScriptFile.h"
#include "bank/TextExport.h"
#include "base/ByteOrder.h"
#include "job/ScriptedJobServices.h"
#include "support/FatImage.h"
#include "support/Shell.h"
#include "support/TestFiles.h"
#include "tools/SdCardCopy.h"
#include "tools/SdCardFat.h"
#include "tools/SdCardMounts.h"

#include <gtest/gtest.h>

#include <sys/statvfs.h>

#include <algorithm>
#include <fstream>

using namespace ovb;
using namespace ovb::test;
namespace fs = std::filesystem;

namespace {

constexpr std::uint64_t kMiB = 1 << 20;
constexpr std::uint64_t kTestVolume = 100000 * 512; // ~51 MB volumes

class FuseCard : public ::testing::Test {
  protected:
    void SetUp() override {
        if (const std::string why = FatMountUnavailable(); !why.empty())
            GTEST_SKIP() << "no FAT volume can be mounted here: " << why;
    }
    // A fresh image of the given size and type, mounted.
    std::unique_ptr<FatMount> card(std::uint64_t bytes, unsigned bits, const std::string& label,
                                   unsigned sectorsPerCluster = 0) {
        MakeFatImage(image, bytes, bits, label, sectorsPerCluster);
        auto m = std::make_unique<FatMount>(image, dir / "card");
        EXPECT_TRUE(m->mounted());
        return m;
    }
    fs::path sparse(const std::string& name, std::uint64_t size) {
        std::ofstream(dir / name).close();
        fs::resize_file(dir / name, size);
        return dir / name;
    }

    TempDir dir;
    fs::path image = dir / "card.img";
};

const std::string kNoSpace = "SD Write Assistant: No free space for all sellected files\n"
                             "Please use bigger destination drive!";

// A real bank file split into volumes, with its text listing and its script.
void MakeSplitBank(const fs::path& folder) {
    ScriptedJobServices ui;
    as_bank bank;
    WriteWav(folder / "Piano C 3.wav", false, 70000, 11);
    bank.path(1, 0) = (folder / "Piano C 3.wav").string();
    ASSERT_TRUE(CreateBankFile(bank, folder / "Live.ovb", ui, {.volumeSize = kTestVolume}));
    ASSERT_TRUE(ExportText(bank, folder / "Live.TXT", ui));
    ASSERT_TRUE(WriteScript(bank, folder / "Live.OVS", ui));
    ASSERT_TRUE(fs::exists(VolumePath(folder / "Live.ovb", 3)));
}

} // namespace

TEST_F(FuseCard, BankWithVolumesSystemAndMp3FilesReadBackByteForByte) {
    MakeSplitBank(dir.path());
    WriteAll(dir / "SYSTEM.QV2", PatternBytes(300000, 3));
    WriteAll(dir / "Song One.mp3", PatternBytes(123457, 4));
    WriteAll(dir / "MP3_LIST.TXT", PatternBytes(99, 5));
    CardPlan plan;
    plan.bank = ChooseBank(dir / "Live.ovb");
    plan.bank.volumeSize = kTestVolume;
    plan.system = ChooseFiles({dir / "SYSTEM.QV2"});
    plan.mp3 = ChooseFiles({dir / "Song One.mp3", dir / "MP3_LIST.TXT"});
    ASSERT_GE(plan.bank.lines.size(), 6u) << "the bank, three or more volumes, listing, script";

    auto mount = card(300 * kMiB, 32, "ORVCARD");
    const CardVolume v = InspectCard(mount->point());
    // A ready FAT32 volume with known, sufficient space, or the write below refuses it; its type
    // and name as shown: the card tests of the assistant and the too-small card.
    EXPECT_EQ(v.labelEntry, "ORVCARD");
    EXPECT_LE(v.freeBytes, v.totalBytes);

    // A killed copy left its partial file: no reason to refuse the card, and gone after.
    WriteAll(mount->point() / PartialCopyName("Live.ovb"), PatternBytes(1000, 9));
    ScriptedJobServices ui;
    EXPECT_TRUE(WriteCard(plan, mount->point(), ui));
    EXPECT_EQ(ui.shown(), std::vector<std::string>{"SD Write Assistant: Write COMPLETE!"});
    // The driver took no more than the free-space check counted.
    EXPECT_LE(v.freeBytes - InspectCard(mount->point()).freeBytes,
              plan.bytesOnCard(v.clusterBytes));
    ASSERT_TRUE(mount->unmount());

    std::vector<std::string> expected{"::/Mp3/", "::/SYSTEM.QV2"};
    for (std::size_t i = 0; i < kBankSlots; ++i)
        if (plan.bank.sizes[i]) {
            expected.push_back("::/" + plan.bank.paths[i].filename().string());
            EXPECT_TRUE(ImageFile(image, expected.back()) == ReadAll(plan.bank.paths[i]))
                << expected.back();
        }
    std::vector<std::string> root = ImageFolder(image);
    std::sort(root.begin(), root.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(root, expected) << "nothing else, no temporary or partial files";
    EXPECT_TRUE(ImageFile(image, "::/SYSTEM.QV2") == ReadAll(dir / "SYSTEM.QV2"));
    EXPECT_TRUE(ImageFile(image, "::/Mp3/Song One.mp3") == ReadAll(dir / "Song One.mp3"));
    EXPECT_TRUE(ImageFile(image, "::/Mp3/MP3_LIST.TXT") == ReadAll(dir / "MP3_LIST.TXT"));
}

TEST_F(FuseCard, CardTooSmallIsRefusedAndAFullCardMidCopyLeavesNoPartialFile) {
    auto mount = card(64 * kMiB, 32, "", 1); // FAT32 needs clusters of 512 bytes at this size
    ASSERT_EQ(InspectCard(mount->point()).fileSystem, "FAT32");
    CardPlan plan;
    plan.system = ChooseFiles({sparse("Big.QV2", 40 * kMiB), sparse("Big2.QV2", 40 * kMiB)});
    plan.mp3 = ChooseFiles({}); // the MP3 step chosen without files makes no folder
    ScriptedJobServices refused;
    EXPECT_FALSE(WriteCard(plan, mount->point(), refused));
    EXPECT_EQ(refused.shown(), std::vector<std::string>{kNoSpace});

    // Written anyway, the second file cannot fit: it is named, and nothing of it stays.
    ScriptedJobServices ui;
    CardWriteResult r = WriteToCard(plan, mount->point(), ui);
    EXPECT_EQ(r.copied, 1u);
    ASSERT_EQ(r.failures.size(), 1u);
    EXPECT_TRUE(r.failures[0].starts_with("Big2.QV2: cannot write")) << r.failures[0];
    EXPECT_NE(ui.shown().back().find("Big2.QV2"), std::string::npos);
    ASSERT_TRUE(mount->unmount());
    EXPECT_EQ(ImageFolder(image), std::vector<std::string>{"::/Big.QV2"});
}

TEST_F(FuseCard, FreeSpaceIsCountedFromTheFatWhenTheDriverReportsNone) {
    auto mount = card(200 * kMiB, 32, "COUNTED");
    WriteAll(mount->point() / "KEEP.BIN", PatternBytes(5 * kMiB + 3, 1));
    ASSERT_TRUE(mount->unmount());
    mount = std::make_unique<FatMount>(image, dir / "card");
    const CardVolume reported = InspectCard(mount->point());
    ASSERT_TRUE(reported.spaceKnown);
    ASSERT_TRUE(mount->unmount());

    // An unknown free count in the FAT32 information sector makes fusefat report a size of 0.
    const std::vector<std::uint8_t> boot = ReadRange(image, 0, 512);
    std::vector<std::uint8_t> unknown(4, 0xFF);
    Patch(image, std::uint64_t(GetLe16(boot.data() + 48)) * 512 + 488, unknown);
    mount = std::make_unique<FatMount>(image, dir / "card");
    struct statvfs st {};
    ASSERT_EQ(::statvfs(mount->point().c_str(), &st), 0);
    if (st.f_blocks != 0) GTEST_SKIP() << "this fusefat reports the size after all";
    const CardVolume counted = InspectCard(mount->point());
    EXPECT_TRUE(counted.spaceKnown) << counted.note;
    EXPECT_EQ(counted.freeBytes, reported.freeBytes);
    EXPECT_EQ(counted.totalBytes, reported.totalBytes);
    EXPECT_EQ(counted.fileSystem, "FAT32");
}

TEST_F(FuseCard, OvbankRefusesAJunkBankAndFat16) {
    WriteAll(dir / "Tour.ovb", PatternBytes(700000, 1));
    WriteAll(dir / "OS.QV2", PatternBytes(2000, 3));
    WriteAll(dir / "x.mp3", PatternBytes(3000, 4));
    auto mount = card(100 * kMiB, 32, "CLI");
    const std::string fat32 = " " + Quote(mount->point().string());
    OvbankRun r = RunOvbank(dir.path(), "sdcard Tour.ovb" + fat32 + " --mp3 x.mp3 --os OS.QV2");
    EXPECT_EQ(r.exit, 1) << r.err;
    EXPECT_NE(r.err.find("can not be written to the card"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("This is not a valid"), std::string::npos) << r.err;
    EXPECT_NE(r.out.find("File system:  FAT32"), std::string::npos);
    ASSERT_TRUE(mount->unmount());
    EXPECT_EQ(ImageFolder(image), std::vector<std::string>{}) << "nothing written";

    mount = card(64 * kMiB, 16, "");
    const std::string fat16 = " " + Quote(mount->point().string());
    r = RunOvbank(dir.path(), "sdcard Tour.ovb" + fat16);
    EXPECT_EQ(r.exit, 1);
    EXPECT_NE(r.err.find("is not FAT32!"), std::string::npos);
    EXPECT_EQ(RunOvbank(dir.path(), "sdcard Tour.ovb" + fat16 + " --os x.mp3").exit, 2)
        << "an MP3 file given with --os only";
}

// Reading a card's FAT without mounting it (images made by mkfs.fat, changed by mtools), and the
// mount table that maps a folder to its volume.
TEST(FatImages, TypeGeometryAndLabelAreReadAndFreeClustersFollowWhatIsWritten) {
    TempDir dir;
    struct Case {
        unsigned bits;
        std::uint64_t size;
        std::string label;
    };
    for (const Case& c :
         {Case{12, 2 * kMiB, ""}, Case{16, 64 * kMiB, "CARD16"}, Case{32, 100 * kMiB, "CARD32"}}) {
        SCOPED_TRACE(c.bits);
        const fs::path image = dir / ("fat" + std::to_string(c.bits) + ".img");
        MakeFatImage(image, c.size, c.bits, c.label);
        // The label entry of the root folder wins over the boot sector's copy.
        if (!c.label.empty())
            Patch(image, c.bits == 32 ? 71 : 43, std::vector<std::uint8_t>(11, 'X'));
        std::uint64_t before = 0, cluster = 0;
        {
            FatVolumeReader fat(image);
            ASSERT_TRUE(fat.geometry());
            const FatGeometry& g = *fat.geometry();
            EXPECT_EQ(g.bits, c.bits);
            EXPECT_LE(g.dataOffset() + g.clusterCount * g.clusterBytes(), c.size);
            EXPECT_GT(g.dataOffset() + (g.clusterCount + 1) * g.clusterBytes(), c.size)
                << "every whole cluster of the image is counted";
            EXPECT_EQ(fat.label(), c.label);
            cluster = g.clusterBytes();
            before = fat.freeClusters().value();
            // A fresh volume is free apart from the root folder's cluster on FAT32.
            EXPECT_EQ(before, g.clusterCount - (c.bits == 32 ? 1 : 0));
        }
        WriteAll(dir / "DATA.BIN", PatternBytes(std::size_t(cluster * 3 + 1), 7));
        ASSERT_TRUE(Shell("MTOOLS_SKIP_CHECK=1 mcopy -i " + Quote(image) + " " +
                          Quote(dir / "DATA.BIN") + " ::/DATA.BIN"));
        EXPECT_EQ(FatVolumeReader(image).freeClusters().value(), before - 4);
    }
}

TEST(FatImages, OtherBootSectorsAreNotTakenForFat) {
    TempDir dir;
    const fs::path image = dir / "other.img";
    MakeFatImage(image, 100 * kMiB, 32);
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
    // The order of the candidates follows each entry's type and source; the device numbers
    // find the image behind a fusefat mount in the FuseCard tests.
    EXPECT_EQ(CardCandidates(mounts), (std::vector<std::string>{"/media/ann/MY CARD", "/mnt/usb",
                                                                "/tmp/card", "/", "/home"}));
    EXPECT_EQ(MountAt(mounts, "/tmp/card/"), &mounts[3]);
    EXPECT_EQ(MountAt(mounts, "/tmp/card/sub"), nullptr) << "only a volume's root is a card";

    // The last mount on a folder is the one seen.
    const std::vector<MountEntry> stacked =
        ParseMountInfo("30 1 0:50 / /tmp/x rw - ext4 /dev/sda3 rw\n"
                       "31 30 0:51 / /tmp/x rw - vfat /dev/sdd1 rw\n");
    ASSERT_NE(MountAt(stacked, "/tmp/x"), nullptr);
    EXPECT_EQ(MountAt(stacked, "/tmp/x")->fsType, "vfat");
}
