// Missing files, the first-sample level and the loop report, with files in a temporary folder
// that stands in for drive D: of the stored paths.
#include "CheckFixture.h"

#include "support/PathSettingsScope.h"
#include "support/TestFiles.h"
#include "wav/Wav_file_parser.h"

using namespace ovb;
using Lines = std::vector<std::string>;

namespace {

class FileChecks : public test::CheckFixture {
  protected:
    test::TempDir dir;
    test::PathSettingsScope drives{dir.path()};
    // A file whose first frame holds left (and right for stereo); returns its stored path.
    std::string Wav(const std::string& name, bool stereo, int left, int right = 0) {
        test::WriteWav(dir / name, stereo, 64);
        const auto l = std::uint16_t(std::int16_t(left)), r = std::uint16_t(std::int16_t(right));
        test::Patch(dir / name, kWavHeaderSize,
                    {std::uint8_t(l), std::uint8_t(l >> 8), std::uint8_t(r), std::uint8_t(r >> 8)});
        return "D:\\" + name;
    }
};

TEST_F(FileChecks, MissingFilesAreListedPerMultisampleWithRunningNumbers) {
    bank.path(0, 1) = "D:\\gone0.wav"; // multisample 0 is checked too
    bank.path(0, 2) = Wav("here.wav", false, 0);
    bank.path(7, 3) = "D:\\gone1.wav";
    bank.path(7, 9) = "D:\\gone2.wav";
    bank.path(8, 0) = "D:"; // a folder, not a file
    NameMultisample(7, "Brass");
    ui.answers = {Answer::No};
    EXPECT_EQ(CheckMissingFiles(bank, ui), 4u);
    EXPECT_TRUE(ui.reports.empty()) << "not shown on No";
    ui.transcript.clear();

    ui.answers = {Answer::Yes};
    EXPECT_EQ(CheckMissingFiles(bank, ui), 4u);
    EXPECT_EQ(ui.shown(), (Lines{"Info: Missing 4 WAV files!!!\n\nShow missing files ?"}));
    EXPECT_EQ(Report(),
              (Lines{"Missing 4 WAV files!!!", "Multisample Num: 0 - - - -           ",
                     "1. Missing file: D:\\gone0.wav", "Multisample Num: 7 - Brass           ",
                     "2. Missing file: D:\\gone1.wav", "3. Missing file: D:\\gone2.wav",
                     "Multisample Num: 8 - - - -           ", "4. Missing file: D:"}));
    EXPECT_EQ(ui.progressPercent, 20u); // 1 of 5 files exists
}

TEST_F(FileChecks, FirstSampleLevelPassesUpTo163AndReportsFrom164SkippingShortData) {
    // Data shorter than the first frame read is skipped; nothing found gives the message.
    test::WriteWav(dir / "short.wav", false, 2);
    test::Patch(dir / "short.wav", kWavHeaderSize, {0xFF, 0x7F});
    bank.path(1, 0) = "D:\\short.wav";
    bank.path(1, 1) = Wav("ok.wav", false, -5);
    EXPECT_EQ(CheckFirstSampleLevel(bank, ui), 0u);
    EXPECT_EQ(ui.shown(), (Lines{"Check rezult:: No Files with first sample with level whu will "
                                 "triger Windows Fade In Function!"}));

    NameMultisample(2, "Mono");
    NameMultisample(3, "Stereo");
    bank.path(0, 0) = Wav("zero.wav", false, 200); // multisample 0 is checked
    bank.path(2, 0) = Wav("p163.wav", false, 163);
    bank.path(2, 1) = Wav("m163.wav", false, -163);
    bank.path(2, 2) = Wav("p164.wav", false, 164);
    bank.path(2, 3) = Wav("m164.wav", false, -164);
    bank.path(2, 4) = Wav("rightIgnored.wav", false, 0, 30000); // mono: bytes 2..3 are frame 2
    bank.path(3, 10) = Wav("right.wav", true, 0, -164);
    bank.path(3, 11) = Wav("quiet.wav", true, 163, -163);
    bank.path(4, 0) = "D:\\missing.wav";
    test::WriteAll(dir / "bad.wav", std::vector<std::uint8_t>(100, 0xFF));
    bank.path(4, 1) = "D:\\bad.wav";
    EXPECT_EQ(CheckFirstSampleLevel(bank, ui), 4u);
    EXPECT_EQ(Report(), (Lines{"Fonded [ 4 ] files withfirst sample whu will triger Windows Fade "
                               "In Function",
                               "", "Multisample 0000 [ - - -            ]:", " - Sample Note: 0036",
                               "Multisample 0002 [ Mono             ]:", " - Sample Note: 0038",
                               " - Sample Note: 0039",
                               "Multisample 0003 [ Stereo           ]:", " - Sample Note: 0046"}));
}

TEST_F(FileChecks, LoopsFromTheActiveBitOrTheLoopValue) {
    auto raw = [&](unsigned m, unsigned k) {
        return reinterpret_cast<std::uint8_t*>(&bank.multisample(m).sample[k]);
    };
    bank.path(0, 5) = "D:\\nofile.wav"; // no file is opened
    raw(0, 5)[3] |= 0x40;
    bank.path(6, 0) = "D:\\a.wav";
    raw(6, 0)[10] = 1; // highest byte of the loop value
    bank.path(6, 1) = "D:\\b.wav";
    raw(6, 1)[8] = 1;
    bank.path(6, 2) = "D:\\c.wav";
    raw(6, 2)[3] = 0x80; // stereo flag, not a loop
    raw(6, 2)[11] = 0xFF;
    raw(7, 0)[3] |= 0x40; // loop flag on an empty slot
    NameMultisample(6, "Loops");
    EXPECT_EQ(ReportLoops(bank, ui), 3u);
    EXPECT_EQ(Report(), (Lines{"Found [ 3 ] samples with active or not default loops", "",
                               "Multisample 0000 [ - - -            ]:", " - Sample Note: 0041",
                               "Multisample 0006 [ Loops            ]:", " - Sample Note: 0036",
                               " - Sample Note: 0037"}));
}

} // namespace
