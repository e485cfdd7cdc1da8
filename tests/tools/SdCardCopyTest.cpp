// The card write into a plain folder: what lands where, the progress shown, Cancel, and the
// closing message when files could not be written.
#include "tools/SdCardCopy.h"
#include "job/ScriptedJobServices.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using namespace ovb;
using namespace ovb::test;
namespace fs = std::filesystem;

namespace {

struct Sources {
    TempDir dir;
    TempDir card;
    CardPlan plan;

    fs::path file(const std::string& name, std::size_t size, std::uint8_t seed) {
        WriteAll(dir / name, PatternBytes(size, seed));
        return dir / name;
    }
    Sources() {
        file("Show.ovb", 3 * 1048576 + 5, 1); // several pieces
        file("Show.O01", 100, 2);
        file("Show.TXT", 1023, 3); // below one kB
        plan.bank = ChooseBank(dir / "Show.ovb");
        plan.system = ChooseFiles({file("OS.QV2", 4096, 4)});
        plan.mp3 = ChooseFiles({file("a.mp3", 5000, 5), file("MP3_LIST.TXT", 12, 6)});
    }
    std::vector<std::string> cardNames(const fs::path& folder) const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(folder))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

std::string Closing(const ScriptedJobServices& ui) {
    return ui.transcript.empty() ? std::string() : ui.transcript.back().text;
}

} // namespace

TEST(SdCardCopy, WritesBankSystemAndMp3FilesWithProgress) {
    Sources s;
    ScriptedJobServices ui;
    std::vector<std::string> texts;
    std::vector<unsigned> percents;
    ui.onEvents = [&] {
        texts.push_back(ui.progressText);
        percents.push_back(ui.progressPercent);
        EXPECT_TRUE(ui.progressShown);
        EXPECT_NE(ui.progressCancel, nullptr);
    };
    CardWriteResult r = WriteToCard(s.plan, s.card.path(), ui);
    EXPECT_TRUE(r.complete());
    EXPECT_EQ(r.copied, 6u);
    EXPECT_FALSE(ui.progressShown);
    EXPECT_EQ(ui.shown(), std::vector<std::string>{"SD Write Assistant: Write COMPLETE!"});
    EXPECT_EQ(s.cardNames(s.card.path()),
              (std::vector<std::string>{"Mp3", "OS.QV2", "Show.O01", "Show.TXT", "Show.ovb"}));
    EXPECT_EQ(s.cardNames(s.card / "Mp3"), (std::vector<std::string>{"MP3_LIST.TXT", "a.mp3"}));
    // Byte for byte on a real FAT volume, and the MP3 step chosen without files: the FuseCard
    // tests (they need /dev/fuse, so the names are checked here too).
    // The bank slots first, in slot order, then the system files, then the MP3 files.
    std::vector<std::string> order;
    for (const std::string& t : texts)
        if (order.empty() || order.back() != t) order.push_back(t);
    EXPECT_EQ(order, (std::vector<std::string>{"Show.ovb", "Show.O01", "Show.TXT", "OS.QV2",
                                               "a.mp3", "MP3_LIST.TXT"}));
    EXPECT_EQ(ui.progressDetail, "12 / 12");
    EXPECT_EQ(ui.progressPercent, 100u) << "a file below one kB ends at 100 %";
    EXPECT_TRUE(std::is_sorted(percents.begin(), percents.begin() + 4));
    EXPECT_LT(percents[1], 100u) << "the bar moves during a file of several pieces";
}

TEST(SdCardCopy, CancelDuringTheFirstFileLeavesNothingOnTheCard) {
    Sources s;
    ScriptedJobServices ui;
    int events = 0;
    ui.onEvents = [&] {
        if (++events == 2) *ui.progressCancel = true; // after the first piece
    };
    CardWriteResult r = WriteToCard(s.plan, s.card.path(), ui);
    EXPECT_TRUE(r.cancelled);
    EXPECT_EQ(r.copied, 0u);
    EXPECT_TRUE(s.cardNames(s.card.path()).empty()) << "no partial file, no temporary file";
    EXPECT_EQ(Closing(ui), "Write CANCELLED!\n0 file(s) written.\nNot written:\n"
                           "Show.ovb: cancelled");
    EXPECT_EQ(ui.transcript.size(), 1u);
}

TEST(SdCardCopy, ExistingUnreadableAndTwiceNamedFilesAreReportedByName) {
    Sources s;
    WriteAll(s.card / "Show.O01", {9, 9, 9});
    fs::remove(s.dir / "a.mp3"); // chosen, then gone before the write
    s.plan.system = ChooseFiles({s.dir / "OS.QV2", s.dir / "OS.QV2"});
    ScriptedJobServices ui;
    CardWriteResult r = WriteToCard(s.plan, s.card.path(), ui);
    EXPECT_FALSE(r.complete());
    EXPECT_EQ(r.copied, 4u);
    EXPECT_EQ(ReadAll(s.card / "Show.O01"), (std::vector<std::uint8_t>{9, 9, 9}))
        << "an existing file is never overwritten";
    EXPECT_EQ(r.failures,
              (std::vector<std::string>{"Show.O01: the file exists on the card",
                                        "OS.QV2: the file exists on the card",
                                        "a.mp3: cannot read: No such file or directory"}));
    EXPECT_EQ(Closing(ui), "Write NOT COMPLETE!\n4 file(s) written.\nNot written:\n" +
                               r.failures[0] + "\n" + r.failures[1] + "\n" + r.failures[2]);
    EXPECT_EQ(ReadAll(s.card / "Show.ovb"), ReadAll(s.dir / "Show.ovb"));
    EXPECT_EQ(ReadAll(s.card / "OS.QV2"), ReadAll(s.dir / "OS.QV2"));
    EXPECT_EQ(s.cardNames(s.card / "Mp3"), std::vector<std::string>{"MP3_LIST.TXT"});
}
