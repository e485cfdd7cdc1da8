// What the card assistant lists and refuses, without a card: the bank's slots, the totals, the
// space files take, and the refusals in their order.
#include "tools/SdCardPlan.h"
#include "job/ScriptedJobServices.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <numeric>

using namespace ovb;
using namespace ovb::test;
namespace fs = std::filesystem;

namespace {

const std::string kNotFat32 = "SD Write Assistant: Destination drive file system is not FAT32!\n"
                              "My be this is not SD card or SD card is not formatted in FAT32!";
const std::string kNoSpace = "SD Write Assistant: No free space for all sellected files\n"
                             "Please use bigger destination drive!";
const std::string kNotEmpty = "SD Write Assistant: Destination device not empty!\nSD card need "
                              "to be formatted in FAT32 file system before start bank "
                              "recording, and need to be EMPTY!";

CardVolume Fat32(std::uint64_t free, std::uint64_t cluster = 512) {
    CardVolume v;
    v.ready = true;
    v.fileSystem = "FAT32";
    v.spaceKnown = true;
    v.totalBytes = free * 2;
    v.freeBytes = free;
    v.clusterBytes = cluster;
    return v;
}

// Files that need not exist, of the given sizes.
FileChoice Files(std::vector<fs::path> files, std::vector<std::uint64_t> sizes) {
    const std::uint64_t total = std::accumulate(sizes.begin(), sizes.end(), std::uint64_t(0));
    return {.chosen = true,
            .files = std::move(files),
            .sizes = std::move(sizes),
            .total = total,
            .lines = {}};
}

std::vector<std::string> Refusals(const CardPlan& plan, const CardVolume& volume,
                                  const fs::path& root, bool* passed = nullptr) {
    ScriptedJobServices ui;
    const bool ok = CheckCard(plan, volume, root, ui);
    if (passed) *passed = ok;
    EXPECT_EQ(ok, ui.transcript.empty());
    return ui.shown();
}

} // namespace

TEST(SdCardPlan, BankSlotsListOnlyTheFilesThatExist) {
    TempDir dir;
    WriteAll(dir / "Live.ovb", PatternBytes(3000, 1));
    WriteAll(dir / "Live.O01", PatternBytes(2000, 1));
    WriteAll(dir / "Live.O02", PatternBytes(1500, 1));
    // After a gap: volumes are slots, each looked up.
    WriteAll(dir / "Live.O04", PatternBytes(10, 1));
    // The listing's extension in another case is found.
    WriteAll(dir / "Live.txt", PatternBytes(77, 1));
    BankChoice c = ChooseBank(dir / "Live.ovb");
    EXPECT_TRUE(c.chosen);
    EXPECT_EQ(c.paths[0], dir / "Live.ovb");
    EXPECT_EQ(c.paths[3], dir / "Live.O03");
    EXPECT_EQ(c.paths[99], dir / "Live.O99");
    EXPECT_EQ(c.paths[kListingSlot], dir / "Live.txt");
    EXPECT_EQ(c.paths[kScriptSlot].filename(), "Live.OVS");
    EXPECT_EQ(c.sizes[3], 0u);
    EXPECT_EQ(c.sizes[kScriptSlot], 0u);
    EXPECT_EQ(c.total, 3000u + 2000 + 1500 + 10 + 77);
    EXPECT_EQ(c.lines, (std::vector<std::string>{
                           "Live.ovb   Size: 3000 bytes", "Live.O01   Size: 2000 bytes",
                           "Live.O02   Size: 1500 bytes", "Live.O04   Size: 10 bytes",
                           "Live.txt   Size: 77 bytes"}));
}

TEST(SdCardPlan, RefusalsComeInOrderAndOnlyTheFirstIsShown) {
    TempDir card;
    fs::create_directory(card / "Old");
    CardPlan plan;
    plan.system = Files({"/os/SYSTEM.QV2"}, {5000}); // ten clusters of 512 bytes

    CardVolume fat16 = Fat32(100);
    fat16.fileSystem = "FAT16";
    EXPECT_EQ(Refusals(plan, fat16, card.path()), std::vector<std::string>{kNotFat32});
    CardVolume notReady; // a drive that is not ready has no file system and no space
    EXPECT_EQ(Refusals(plan, notReady, card.path()), std::vector<std::string>{kNotFat32});
    EXPECT_EQ(Refusals(plan, Fat32(5119), card.path()), std::vector<std::string>{kNoSpace});
    CardVolume unknown = Fat32(1 << 20); // free space that could not be read is never enough
    unknown.spaceKnown = false;
    unknown.note = "The free space of this volume could not be read.";
    EXPECT_EQ(Refusals(plan, unknown, card.path()),
              std::vector<std::string>{kNoSpace + "\n(" + unknown.note + ")"});
    // Enough space: only the empty folder is left to refuse the card.
    EXPECT_EQ(Refusals(plan, Fat32(5120), card.path()), std::vector<std::string>{kNotEmpty});
    fs::remove(card / "Old");
    bool passed = false;
    EXPECT_TRUE(Refusals(plan, Fat32(5120), card.path(), &passed).empty());
    EXPECT_TRUE(passed) << "needs equal to the free space are accepted";

    // A junk file chosen as the bank is refused last, before anything is written.
    TempDir bank;
    WriteAll(bank / "Junk.ovb", PatternBytes(3000, 1));
    plan.bank = ChooseBank(bank / "Junk.ovb");
    EXPECT_EQ(Refusals(plan, Fat32(1 << 20), card.path()),
              std::vector<std::string>{"SD Write Assistant: Bank file " +
                                       (bank / "Junk.ovb").string() +
                                       " can not be written to the card:\nThis is not a valid "
                                       "Orvelanta Sampler bank file!"});
}

TEST(SdCardPlan, FilesTakeWholeClustersAndFolderEntries) {
    // A hundred one-byte MP3 files take a cluster each, and their names fill the folder's
    // clusters: far more than their hundred bytes.
    std::vector<fs::path> names;
    for (int i = 0; i < 100; ++i)
        names.push_back("/m/Song number " + std::to_string(i) + ".mp3");
    CardPlan plan;
    plan.mp3 = Files(names, std::vector<std::uint64_t>(100, 1));
    EXPECT_EQ(plan.total(), 100u);
    const std::uint64_t cluster = 32768;
    const std::uint64_t folder = plan.bytesOnCard(cluster) - 100 * cluster;
    EXPECT_GE(folder, cluster) << "the Mp3 folder takes at least one cluster";
    // Each file has two names of three or more entries (its own and the copy's): 200 names
    // of 32-byte entries do not fit one 4 KiB cluster.
    EXPECT_GE(plan.bytesOnCard(4096) - 100 * 4096, 3 * 4096u);
    EXPECT_EQ(plan.bytesOnCard(0), plan.bytesOnCard(cluster)) << "unknown: 32 KiB clusters";
}

TEST(SdCardPlan, OnlyAnEmptyLabelEntryIsIgnoredWhenCheckingEmptiness) {
    TempDir card;
    CardVolume v = Fat32(1000);
    EXPECT_TRUE(CardFolderEmpty(card.path(), v));
    WriteAll(card / "MYCARD", {});
    EXPECT_FALSE(CardFolderEmpty(card.path(), v)) << "no label known: an empty file counts";
    v.labelEntry = "MYCARD";
    EXPECT_TRUE(CardFolderEmpty(card.path(), v));
    WriteAll(card / "MYCARD", PatternBytes(1, 1));
    EXPECT_FALSE(CardFolderEmpty(card.path(), v)) << "a file with data is never the label";
    fs::remove(card / "MYCARD");
    fs::create_directory(card / "MYCARD");
    EXPECT_FALSE(CardFolderEmpty(card.path(), v)) << "nor is a folder";
    fs::remove(card / "MYCARD");
    WriteAll(card / PartialCopyName("Live.ovb"), PatternBytes(700, 1));
    EXPECT_TRUE(CardFolderEmpty(card.path(), v)) << "a killed copy's partial file is not content";
    EXPECT_FALSE(CardFolderEmpty(card / "missing", v)) << "an unreadable root is not empty";
}
