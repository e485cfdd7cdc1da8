// Fetching the player's sample: from WAV files (missing, rejected, without data, truncated, mapped
// drive paths) and from the loaded bank file, including audio that crosses a volume boundary.
#include "tools/PlayerSample.h"

#include "bank/BankFileWriter.h"
#include "bank/SplitVolumes.h"
#include "job/MemoryStore.h"
#include "job/ScriptedJobServices.h"
#include "support/PathSettingsScope.h"
#include "support/RiffBytes.h"
#include "support/TestFiles.h"
#include "wav/Wav_file_parser.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace ovb;
using namespace ovb::test;

namespace {

using Outcome = PlayerSample::Outcome;

std::string Shown(const PlayerSample& s) {
    return s.outcome == Outcome::Message ? s.message : "(no message)";
}

// A file of hand-built RIFF bytes; returns its path as stored in a bank.
std::string Written(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
    return file.string();
}

} // namespace

TEST(PlayerSampleWav, MappedWindowsPathsLoadAndATruncatedChunkGivesTheBytesThatAreThere) {
    TempDir dir;
    std::filesystem::create_directories(dir / "Piano");
    WriteWav(dir / "Piano" / "C 3.wav", true, 100, 2);
    const auto audio = PatternBytes(600, 4);
    Written(dir / "short.wav",
            Riff(Fmt(1) + ChunkClaiming("data", 1000, std::string(audio.begin(), audio.end()))));
    test::PathSettingsScope drives(dir.path());
    auto s = FetchWavSample("d:\\Piano\\C 3.wav");
    ASSERT_EQ(s.outcome, Outcome::Loaded) << Shown(s);
    EXPECT_TRUE(s.stereo);
    EXPECT_EQ(s.bytes, PatternBytes(100, 2));
    s = FetchWavSample("D:\\short.wav");
    ASSERT_EQ(s.outcome, Outcome::Loaded) << Shown(s);
    EXPECT_FALSE(s.stereo);
    EXPECT_EQ(s.bytes, audio);
}

TEST(PlayerSampleWav, EveryFaultHasItsOwnText) {
    TempDir dir;
    EXPECT_EQ(Shown(FetchWavSample((dir / "none.wav").string())), "File Not Exist");
    EXPECT_EQ(Shown(FetchWavSample(dir.path().string())), "File Not Exist"); // a folder

    const std::string rate44k = Riff(Chunk("fmt ", PcmFields(1, 44100, 16)) + Chunk("data", "ab"));
    EXPECT_EQ(Shown(FetchWavSample(Written(dir / "rate.wav", rate44k))), "Invalid WAV File Format");
    // The only chunk after the format block is not "data".
    const std::string noData = Riff(Fmt(2) + Chunk("junk", std::string(8, '\0')));
    EXPECT_EQ(Shown(FetchWavSample(Written(dir / "nodata.wav", noData))), "No Valid WAVE Chink");
}

TEST(PlayerSampleBank, EveryFaultHasItsOwnText) {
    TempDir dir;
    as_bank bank; // "No loaded bank!"; a loaded script is the player panel tests' case
    ScriptedJobServices ui;
    for (bool fromWav : {true, false})
        EXPECT_EQ(Shown(FetchPlayerSample(bank, 1, 0, 2, fromWav, ui)), "Multiple selection");
    // One row from a slot without a file.
    EXPECT_EQ(Shown(FetchPlayerSample(bank, 1, 0, 1, true, ui)), "File Not Exist");
    EXPECT_EQ(Shown(FetchBankSample(bank, 1, 0, ui)), kNoBankFileLoaded);
    // The extension is the bank file's in any case.
    for (const char* name : {"/nonexistent/x.OVB", "/nonexistent/x.ovb", "/nonexistent/x.oVb"}) {
        bank.setLoadedFile(name);
        EXPECT_EQ(Shown(FetchBankSample(bank, 1, 0, ui)), "OVB File Not Exist") << name;
    }
    EXPECT_TRUE(ui.transcript.empty());

    WriteAll(dir / "empty.ovb", {});
    WriteAll(dir / "small.OVB", std::vector<std::uint8_t>(4096, 1));
    bank.setLoadedFile((dir / "small.OVB").string());
    EXPECT_EQ(Shown(FetchBankSample(bank, 3, 4, ui)), "No Sample");

    as_sample_V1& rec = bank.multisample(3).sample[4];
    rec.length_sectors = 2;
    rec.set_start_sector(8); // the first byte after the file
    EXPECT_EQ(Shown(FetchBankSample(bank, 3, 4, ui)), "Invalid Sample Start Position in OVB file");
    EXPECT_TRUE(
        ui.showed("Error", "Go to Position outside all files in MySplitFileReader_GoToPosition!"));
    // Starting inside the file but running past its end plays nothing either.
    rec.set_start_sector(7);
    EXPECT_EQ(Shown(FetchBankSample(bank, 3, 4, ui)), "Invalid Sample Start Position in OVB file");
    EXPECT_TRUE(ui.showed("Error", "Error 1 in MySplitFileReader!"));

    bank.setLoadedFile((dir / "empty.ovb").string());
    EXPECT_EQ(Shown(FetchBankSample(bank, 3, 4, ui)), "OVB File Not Open Correctly");
}

TEST(PlayerSampleBank, ReadsWholeSectorsAcrossAVolumeBoundary) {
    TempDir dir;
    as_bank bank;
    ScriptedJobServices ui;
    WriteWav(dir / "a.wav", false, 3000, 11);
    WriteWav(dir / "b.wav", true, 4000, 22);
    bank.path(1, 0) = (dir / "a.wav").string();
    bank.path(1, 1) = (dir / "b.wav").string();
    // The audio begins at sector 327680; two volumes of this size end 8 sectors into it, inside
    // the second sample.
    constexpr std::uint64_t kVolume = (327680 + 8) / 2 * 512ull;
    const auto file = dir / "split.ovb";
    MemoryStore files;
    ASSERT_TRUE(CreateBankFile(bank, file, ui, {files, kVolume}));
    ASSERT_TRUE(files.exists(VolumePath(file, 2)));
    bank.setLoadedFile(file.string());
    ui.transcript.clear();

    const as_sample_V1& b = bank.multisample(1).sample[1];
    const std::uint64_t bStart = std::uint64_t(b.start_sector()) * 512;
    ASSERT_LT(bStart, 2 * kVolume);
    ASSERT_GT(bStart + b.length_sectors * 512ull, 2 * kVolume);

    EXPECT_FALSE(FetchBankSample(bank, 1, 0, ui, files).stereo);
    auto second = FetchBankSample(bank, 1, 1, ui, files);
    ASSERT_EQ(second.outcome, Outcome::Loaded) << Shown(second);
    EXPECT_TRUE(second.stereo);
    // The whole last sector is played: the sample and then the writer's zero fill.
    auto expected = PatternBytes(4000, 22);
    expected.resize(4096, 0);
    EXPECT_EQ(second.bytes, expected);
    EXPECT_TRUE(ui.transcript.empty()) << ui.shown().front();
}
