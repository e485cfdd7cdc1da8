// Loading bank files back: split volumes, the size checks, and refusals that leave nothing
// half-loaded.
#include "bank/BankFileLoader.h"
#include "bank/BankFileWriter.h"
#include "bank/SplitVolumes.h"
#include "base/ByteOrder.h"
#include "job/ScriptedJobServices.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <functional>

using namespace ovb;
using namespace ovb::test;

namespace {

// Volume boundaries at 85000192 and 170000384: the second one falls inside the first copy of
// the path area, so reading the paths has to continue in the next volume.
constexpr std::uint64_t kSmallVolume = 166016 * 512;
constexpr std::uint64_t kAudio = 167772160;

class BankLoader : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dir = new TempDir;
        source = new as_bank;
        WriteWav(*dir / "a.wav", true, 4000, 3);
        source->path(1, 0) = (*dir / "a.wav").string();
        source->path(7, 9) = (*dir / "a.wav").string();
        source->multisample(7).name[0] = 'Z';
        source->records().reserved_c[100] = 0x77; // carried through files, never interpreted
        ScriptedJobServices ui;
        ASSERT_TRUE(CreateBankFile(*source, *dir / "one.ovb", ui));
        ASSERT_TRUE(CreateBankFile(*source, *dir / "split.ovb", ui, kSmallVolume));
    }
    static void TearDownTestSuite() {
        delete source;
        delete dir;
    }

    // A fresh copy of a made bank (with its volumes) that a test may damage.
    std::filesystem::path Copy(const std::string& name) {
        const auto over = std::filesystem::copy_options::overwrite_existing;
        auto to = work / name;
        std::filesystem::copy_file(*dir / name, to, over);
        for (unsigned k = 1; k < 5; ++k)
            if (std::filesystem::exists(VolumePath(*dir / name, k)))
                std::filesystem::copy_file(VolumePath(*dir / name, k), VolumePath(to, k), over);
        return to;
    }

    static TempDir* dir;
    static as_bank* source;
    TempDir work;
};
TempDir* BankLoader::dir = nullptr;
as_bank* BankLoader::source = nullptr;

std::vector<std::uint8_t> LeBytes(std::uint64_t value) {
    std::vector<std::uint8_t> b(8);
    PutLe64(b.data(), value);
    return b;
}

} // namespace

TEST_F(BankLoader, SplitBankSpansVolumesAndLoadsBack) {
    EXPECT_FALSE(std::filesystem::exists(VolumePath(*dir / "split.ovb", 3)));
    EXPECT_EQ(std::filesystem::file_size(*dir / "split.ovb"), kSmallVolume);
    // The volumes together are the one-file bank, byte for byte, except for the stored path.
    auto one = ReadRange(*dir / "one.ovb", kAudio, 9000);
    auto second = ReadRange(VolumePath(*dir / "split.ovb", 1), kAudio - kSmallVolume, 9000);
    EXPECT_EQ(one, second);

    as_bank loaded;
    ScriptedJobServices ui;
    ASSERT_TRUE(LoadBankFile(loaded, *dir / "split.ovb", ui, kSmallVolume));
    EXPECT_EQ(ui.shown(), std::vector<std::string>{"Info: Bank loading OK!"});
    ExpectSameBank(*source, loaded);
    EXPECT_EQ(loaded.loadedFile(), (*dir / "split.ovb").string());
}

TEST_F(BankLoader, VolumeSizeChecks) {
    struct Case {
        const char* name;
        std::function<std::string(const std::filesystem::path&)> damage; // returns the message
    } cases[] = {
        {"missing last volume",
         [](auto& p) {
             std::filesystem::remove(VolumePath(p, 2));
             return "Error: File " + VolumePath(p, 2).string() + " not exist!";
         }},
        {"wrong middle volume",
         [](auto& p) {
             std::filesystem::resize_file(VolumePath(p, 1), kSmallVolume - 1);
             return "Error: File size of " + VolumePath(p, 1).string() + " not valid!";
         }},
        {"wrong first volume",
         [](auto& p) {
             std::filesystem::resize_file(p, kSmallVolume + 512);
             return std::string("Error: OVB file size is not valid!");
         }},
    };
    for (const auto& c : cases) {
        auto file = Copy("split.ovb");
        std::string expected = c.damage(file);
        as_bank bank;
        ScriptedJobServices ui;
        EXPECT_FALSE(LoadBankFile(bank, file, ui, kSmallVolume)) << c.name;
        EXPECT_EQ(ui.shown(),
                  (std::vector<std::string>{expected, "Info: Bank loading is aborted!"}))
            << c.name;
        ExpectResetBank(bank);
    }
}

TEST_F(BankLoader, BankOfExactlyOneVolumeNeedsNoFurtherVolume) {
    as_bank empty;
    ScriptedJobServices ui;
    auto file = work / "exact.ovb";
    const std::uint64_t emptySize = kAudio + 512 + 2 * 4480000 + 512;
    ASSERT_TRUE(CreateBankFile(empty, file, ui, emptySize));
    EXPECT_FALSE(std::filesystem::exists(VolumePath(file, 1)));
    as_bank loaded;
    EXPECT_TRUE(LoadBankFile(loaded, file, ui, emptySize));
}

TEST_F(BankLoader, DamagedBanksAreRefusedAndNothingIsHalfLoaded) {
    const std::uint64_t size = std::filesystem::file_size(*dir / "one.ovb");
    const std::uint64_t marker = kAudio + 2 * 4096; // after the two 4000-byte samples
    struct Case {
        const char* name;
        std::function<void(const std::filesystem::path&)> damage;
        std::string error;
        bool header;
    } cases[] = {
        {"magic", [](auto& p) { Patch(p, 20, {'x'}); },
         "This is not a valid Orvelanta Sampler bank file!", true},
        {"version", [](auto& p) { Patch(p, 511, {2}); }, "Uncown Bank File Version!", true},
        {"truncated by one byte", [&](auto& p) { std::filesystem::resize_file(p, size - 1); },
         "Bank is from only one file, but real bank file size is not equal to size recorded "
         "inside in bank file!",
         false},
        {"marker moved", [&](auto& p) { Patch(p, marker + 40, {0}); },
         "In position where need to be special sector before file names, not correct info!", false},
        {"path area larger than the file (info offset 28)",
         [&](auto& p) { Patch(p, 512 + 28, LeBytes(size)); },
         "Overal bank size is small and no size for path names !", false},
        {"last sector", [&](auto& p) { Patch(p, size - 2, {0}); },
         "Uncown last sector!\n My be bank is not loaded correctly!", false},
    };
    for (const auto& c : cases) {
        auto file = Copy("one.ovb");
        c.damage(file);
        as_bank bank;
        bank.scene(2).acomp = 9;
        ScriptedJobServices ui;
        EXPECT_FALSE(LoadBankFile(bank, file, ui)) << c.name;
        std::vector<std::string> shown{"Error: " + c.error};
        if (!c.header) shown.push_back("Info: Bank loading is aborted!");
        EXPECT_EQ(ui.shown(), shown) << c.name;
        if (c.header)
            EXPECT_EQ(bank.scene(2).acomp, 9) << c.name;
        else
            ExpectResetBank(bank);
    }
}

TEST_F(BankLoader, AudioSizeDisagreementIsAskedAbout) {
    auto file = Copy("one.ovb");
    Patch(file, 512 + 20, LeBytes(512)); // sample_data_size in the first info copy
    const std::string offsets = "Calculated offset from software is:\n" +
                                std::to_string(kAudio + 2 * 4096) +
                                " bytes\nReported offset from \"bank_file_info.sample_data_size\" "
                                "is:\n512 bytes";
    as_bank refused;
    ScriptedJobServices no;
    no.answers = {Answer::No};
    EXPECT_FALSE(LoadBankFile(refused, file, no));
    EXPECT_EQ(no.shown(),
              (std::vector<std::string>{
                  "Error: Calculated audio data size is different from recorded in OVB file!\n\n" +
                      offsets + "\n\nContinue with size from bank file?",
                  "Error: Calculated audio data size is different from recorded in OVB file!",
                  "Info:: " + offsets, "Info: Bank loading is aborted!"}));
    ExpectResetBank(refused);

    as_bank accepted;
    ScriptedJobServices yes;
    yes.answers = {Answer::Yes};
    EXPECT_TRUE(LoadBankFile(accepted, file, yes)); // the marker is still found after the audio
    EXPECT_EQ(accepted.path(7, 9), source->path(7, 9));
}
