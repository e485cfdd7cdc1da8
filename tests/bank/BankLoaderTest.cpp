// Loading bank files back: split volumes, the size checks, and refusals that leave nothing
// half-loaded. The banks are made and damaged in memory.
#include "bank/BankFileLoader.h"
#include "bank/BankFileWriter.h"
#include "bank/SplitVolumes.h"
#include "base/ByteOrder.h"
#include "job/MemoryStore.h"
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

const std::filesystem::path kOne = "/banks/one.ovb", kSplit = "/banks/split.ovb";

// The same source as one file and split, made once for all tests.
struct MadeBanks {
    TempDir dir;
    as_bank source;
    MemoryStore files;
    MadeBanks() {
        WriteWav(dir / "a.wav", true, 4000, 3);
        source.path(1, 0) = (dir / "a.wav").string();
        source.path(7, 9) = (dir / "a.wav").string();
        source.multisample(7).name[0] = 'Z';
        source.records().reserved_c[100] = 0x77; // carried through files, never interpreted
        ScriptedJobServices ui;
        EXPECT_TRUE(CreateBankFile(source, kOne, ui, {files}));
        EXPECT_TRUE(CreateBankFile(source, kSplit, ui, {files, kSmallVolume}));
    }
};
const MadeBanks& Made() {
    static const MadeBanks made;
    return made;
}

class BankLoader : public ::testing::Test {
  protected:
    const as_bank& source = Made().source;
    MemoryStore files{Made().files}; // a fresh copy of the made banks that a test may damage
};

std::vector<std::uint8_t> LeBytes(std::uint64_t value) {
    std::vector<std::uint8_t> b(8);
    PutLe64(b.data(), value);
    return b;
}

} // namespace

TEST_F(BankLoader, SplitBankSpansVolumesAndLoadsBack) {
    EXPECT_FALSE(files.exists(VolumePath(kSplit, 3)));
    EXPECT_EQ(files.size(kSplit), kSmallVolume);
    // The volumes together are the one-file bank, byte for byte, except for the stored path.
    auto one = files.bytes(kOne, kAudio, 9000);
    auto second = files.bytes(VolumePath(kSplit, 1), kAudio - kSmallVolume, 9000);
    EXPECT_EQ(one, second);

    as_bank loaded;
    ScriptedJobServices ui;
    ASSERT_TRUE(LoadBankFile(loaded, kSplit, ui, {files, kSmallVolume}));
    EXPECT_EQ(ui.shown(), std::vector<std::string>{"Info: Bank loading OK!"});
    ExpectSameBank(source, loaded);
    EXPECT_EQ(loaded.loadedFile(), kSplit.string());

    // A bank of exactly one volume needs no further volume.
    const std::filesystem::path exact = "/banks/exact.ovb";
    const std::uint64_t emptySize = kAudio + 512 + 2 * 4480000 + 512;
    as_bank empty;
    ASSERT_TRUE(CreateBankFile(empty, exact, ui, {files, emptySize}));
    EXPECT_FALSE(files.exists(VolumePath(exact, 1)));
    EXPECT_TRUE(LoadBankFile(loaded, exact, ui, {files, emptySize}));
}

TEST_F(BankLoader, VolumeSizeChecks) {
    // A damaged copy of the split bank is refused with the error, and nothing is half loaded.
    const auto expectRefused = [](MemoryStore& damaged, const std::string& error) {
        as_bank bank;
        ScriptedJobServices ui;
        EXPECT_FALSE(LoadBankFile(bank, kSplit, ui, {damaged, kSmallVolume})) << error;
        EXPECT_EQ(ui.shown(), (std::vector<std::string>{error, "Info: Bank loading is aborted!"}));
        ExpectResetBank(bank);
    };
    const auto first = kSplit, second = VolumePath(kSplit, 1), last = VolumePath(kSplit, 2);
    MemoryStore missingLast(files);
    std::string why;
    missingLast.remove(last, why);
    expectRefused(missingLast, "Error: File " + last.string() + " not exist!");
    MemoryStore wrongMiddle(files);
    wrongMiddle.resize(second, kSmallVolume - 1);
    expectRefused(wrongMiddle, "Error: File size of " + second.string() + " not valid!");
    MemoryStore wrongFirst(files);
    wrongFirst.resize(first, kSmallVolume + 512);
    expectRefused(wrongFirst, "Error: OVB file size is not valid!");
    MemoryStore anotherSave(files);
    anotherSave.setStamp(second, "another");
    expectRefused(anotherSave,
                  "Error: File " + second.string() + " belongs to another save of this bank!");

    // The paths of another bank of the same size, in copies without stamps. The second volume
    // holds the paths: one path a byte shorter, the next line a byte longer.
    MemoryStore otherPaths(files);
    const std::uint64_t area = kAudio + 2 * 4096 + 512 - kSmallVolume;
    const auto bytes = otherPaths.bytes(second, area, 4096);
    const std::string text(bytes.begin(), bytes.end());
    const std::string edit = "a.wa\r\nX- - -";
    otherPaths.patch(second, area + text.find("a.wav\r\n- - -"), {edit.begin(), edit.end()});
    for (const auto& volume : {first, second, last})
        otherPaths.setStamp(volume, "");
    expectRefused(otherPaths, "Error: The sample paths do not match the path length table: the "
                              "volumes of this bank belong to different saves!");
}

TEST_F(BankLoader, DamagedBanksAreRefusedAndNothingIsHalfLoaded) {
    const std::uint64_t size = files.size(kOne);
    const std::uint64_t marker = kAudio + 2 * 4096; // after the two 4000-byte samples
    struct Case {
        const char* name;
        std::function<void(MemoryStore&, const std::filesystem::path&)> damage;
        std::string error;
        bool header;
    } cases[] = {
        {"magic", [](auto& f, auto& p) { f.patch(p, 20, {'x'}); },
         "This is not a valid Orvelanta Sampler bank file!", true},
        {"version", [](auto& f, auto& p) { f.patch(p, 511, {2}); }, "Uncown Bank File Version!",
         true},
        {"truncated by one byte", [&](auto& f, auto& p) { f.resize(p, size - 1); },
         "Bank is from only one file, but real bank file size is not equal to size recorded "
         "inside in bank file!",
         false},
        {"marker moved", [&](auto& f, auto& p) { f.patch(p, marker + 40, {0}); },
         "In position where need to be special sector before file names, not correct info!", false},
        {"path area larger than the file (info offset 28)",
         [&](auto& f, auto& p) { f.patch(p, 512 + 28, LeBytes(size)); },
         "Overal bank size is small and no size for path names !", false},
        {"last sector", [&](auto& f, auto& p) { f.patch(p, size - 2, {0}); },
         "Uncown last sector!\n My be bank is not loaded correctly!", false},
    };
    for (const auto& c : cases) {
        MemoryStore damaged(files);
        c.damage(damaged, kOne);
        as_bank bank;
        bank.scene(2).acomp = 9;
        ScriptedJobServices ui;
        EXPECT_FALSE(LoadBankFile(bank, kOne, ui, {damaged})) << c.name;
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
    files.patch(kOne, 512 + 20, LeBytes(512)); // sample_data_size in the first info copy
    const std::string offsets = "Calculated offset from software is:\n" +
                                std::to_string(kAudio + 2 * 4096) +
                                " bytes\nReported offset from \"bank_file_info.sample_data_size\" "
                                "is:\n512 bytes";
    as_bank refused;
    ScriptedJobServices no;
    no.answers = {Answer::No};
    EXPECT_FALSE(LoadBankFile(refused, kOne, no, {files}));
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
    EXPECT_TRUE(LoadBankFile(accepted, kOne, yes, {files})); // the marker is found after the audio
    EXPECT_EQ(accepted.path(7, 9), source.path(7, 9));
}
