// Scripts: the working form of a bank, saved and loaded without audio. The scripts are written
// into memory, except where the kind of a file on the disk is told.
#include "bank/ScriptFile.h"
#include "bank/BankFileWriter.h"
#include "bank/BankFiles.h"
#include "bank/BankLayout.h"
#include "job/MemoryStore.h"
#include "job/ScriptedJobServices.h"
#include "support/PathSettingsScope.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace ovb;
using namespace ovb::test;
namespace fs = std::filesystem;

namespace {

constexpr std::uint64_t kScriptFixed = 51921408; // everything before the path area
constexpr std::uint64_t kEmptyArea = 640000 * 7;

struct EditedBank {
    MemoryStore files;
    as_bank bank;
    const fs::path script = "/scripts/edited.ovs";
    EditedBank() {
        bank.scene(999).acomp = 12;
        bank.sound(77).category = 1u << 20;
        bank.multisample(1).comment[0] = 'c';
        bank.path(1, 1) = "D:\\Samples\\Piano\\C 3.wav";
        bank.path(9999, 63) = "D:\\Samples\\Last.wav";
        bank.records().reserved_b[5] = 9;
    }
};

} // namespace

TEST(ScriptFile, EmptyScriptHasTheDocumentedSizeAndPlaces) {
    MemoryStore files;
    as_bank bank;
    ScriptedJobServices ui;
    const fs::path file = "/scripts/empty.ovs";
    ASSERT_TRUE(SaveScript(bank, file, ui, false, files));
    EXPECT_EQ(files.size(file), kScriptFixed + kEmptyArea + 512);
    const auto marker = files.bytes(file, 51920896, 16);
    const auto first = files.bytes(file, kScriptFixed, 7);
    EXPECT_EQ(std::string(marker.begin(), marker.end()), "MultisampleNames");
    EXPECT_EQ(std::string(first.begin(), first.end()), "- - -\r\n");
    EXPECT_EQ(files.bytes(file, kScriptFixed + kEmptyArea + 511, 1),
              std::vector<std::uint8_t>{0x5A});
    // The global parameters follow the info sector directly.
    EXPECT_EQ(files.bytes(file, 1024, 4), (std::vector<std::uint8_t>{31, 5, 31, 1}));
}

// Saving asks before overwriting; a saved script loads back, asking about the path area size
// only where paths changed since the size calculation.
TEST(ScriptFile, SavedScriptsLoadBack) {
    EditedBank e;
    e.files.put(e.script, {7});
    ScriptedJobServices no;
    no.answers = {Answer::No};
    EXPECT_FALSE(SaveScript(e.bank, e.script, no, false, e.files));
    EXPECT_EQ(no.shown(), std::vector<std::string>{
                              "Overwrite SCRIPT File: OVERWRITE SCRIPT FILE ?\nAre You Sure ?"});
    EXPECT_EQ(e.files.bytes(e.script), std::vector<std::uint8_t>{7});

    ScriptedJobServices ui;
    ui.answers = {Answer::Yes, Answer::Yes, Answer::No}; // overwrite, recalc, missing report
    ASSERT_TRUE(SaveScript(e.bank, e.script, ui, std::nullopt, e.files));
    EXPECT_TRUE(ui.showed("Calculating Error Found", "Some error found (2), while calculating!"));
    EXPECT_EQ(e.bank.info().bank_path(), e.script.string());
    EXPECT_EQ(e.bank.info().sample_data_offset(), 167772160u);
    as_bank again;
    ScriptedJobServices loading;
    ASSERT_TRUE(LoadScript(again, e.script, loading, e.files));
    EXPECT_EQ(loading.shown(), std::vector<std::string>{"Info: Script loading OK!"});
    ExpectSameBank(e.bank, again);

    // A path changed since the calculation: loading asks about the path area size.
    e.bank.path(5, 5) = "D:\\Samples\\New.wav";
    ScriptedJobServices save;
    save.answers = {Answer::Yes};
    ASSERT_TRUE(SaveScript(e.bank, e.script, save, false, e.files));

    const char* question = "Wav files path size is different in bank info and script file size!\n"
                           "Press OK to continue loading with calculation based on script file "
                           "size!";
    ScriptedJobServices yes;
    yes.answers = {Answer::Ok};
    ASSERT_TRUE(LoadScript(again, e.script, yes, e.files));
    EXPECT_TRUE(yes.showed("Info", question));
    ExpectSameBank(e.bank, again);

    as_bank cancelled;
    ScriptedJobServices cancel;
    cancel.answers = {Answer::Cancel};
    EXPECT_FALSE(LoadScript(cancelled, e.script, cancel, e.files));
    EXPECT_EQ(cancel.shown(), (std::vector<std::string>{
                                  std::string("Info: ") + question,
                                  "Error: Overal script size is small and no size for path names !",
                                  "Info: Script loading is aborted!"}));
    ExpectResetBank(cancelled);
}

TEST(ScriptFile, DamagedScriptsAreRefusedAndNothingIsHalfLoaded) {
    EditedBank e;
    ScriptedJobServices ui;
    ASSERT_TRUE(SaveScript(e.bank, e.script, ui, true, e.files));
    const std::uint64_t size = e.files.size(e.script);
    struct Case {
        const char* name;
        std::function<void(MemoryStore&, const fs::path&)> damage;
        std::string error;
        bool headerFailure;
    } cases[] = {
        {"wrong magic", [](auto& f, auto& p) { f.patch(p, 3, {'X'}); },
         "This is not a valid Orvelanta Sampler script file!", true},
        {"wrong version", [](auto& f, auto& p) { f.patch(p, 511, {2}); },
         "Uncown Script File Version!", true},
        {"marker moved", [](auto& f, auto& p) { f.patch(p, 51920896 + 3, {0}); },
         "In position where need to be special sector before file names, not correct info!", false},
        {"last sector", [&](auto& f, auto& p) { f.patch(p, size - 100, {1}); },
         "Uncown last sector!\n My be script is not loaded correctly!", false},
        {"truncated in the records", [](auto& f, auto& p) { f.resize(p, 1000000); },
         "Error 1 in MySplitFileReader!", false},
    };
    for (const auto& c : cases) {
        MemoryStore damaged(e.files);
        c.damage(damaged, e.script);
        as_bank bank;
        bank.scene(1).solo = 5; // what the caller left: kept after header failures only
        ScriptedJobServices u;
        EXPECT_FALSE(LoadScript(bank, e.script, u, damaged)) << c.name;
        std::vector<std::string> shown{"Error: " + c.error};
        if (!c.headerFailure) shown.push_back("Info: Script loading is aborted!");
        EXPECT_EQ(u.shown(), shown) << c.name;
        EXPECT_EQ(bank.scene(1).solo, c.headerFailure ? 5 : 0) << c.name;
        if (!c.headerFailure) ExpectResetBank(bank);
    }
}

// A path area that lost lines or line ends: what is there is loaded and the rest is empty. A line
// that grew to megabytes must not stay in memory after a reset or a refused load (found by
// fuzzing: repeated loads of damaged files piled it up in ever more path slots).
TEST(ScriptFile, DamagedPathAreasLoadWhatIsThereAndKeepNoLongLine) {
    EditedBank e;
    ScriptedJobServices ui;
    ui.fallback = Answer::Ok; // the stored path area size no longer matches
    ASSERT_TRUE(SaveScript(e.bank, e.script, ui, false, e.files));
    const auto bytes = e.files.bytes(e.script);
    std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + kScriptFixed);
    const std::string lines = "- - -\r\nD:\\x.wav\r\n";
    cut.insert(cut.end(), lines.begin(), lines.end());
    cut.insert(cut.end(), bytes.end() - 512, bytes.end());
    e.files.put("/scripts/cut.ovs", cut);
    as_bank loaded;
    ASSERT_TRUE(LoadScript(loaded, "/scripts/cut.ovs", ui, e.files));
    EXPECT_EQ(loaded.path(0, 1), "D:\\x.wav");
    EXPECT_EQ(loaded.path(1, 1), "- - -");
    EXPECT_EQ(loaded.path(9999, 63), "- - -");

    constexpr std::size_t kLongLine = 1 << 20;
    const auto pathMemory = [&] { // beyond the strings' inline buffers
        std::size_t held = 0;
        for (unsigned m = 0; m < kMultisamples; ++m)
            for (const std::string& p : loaded.paths(m))
                held += p.capacity() > std::string().capacity() ? p.capacity() : 0;
        return held;
    };
    e.files.patch(e.script, kScriptFixed, std::vector<std::uint8_t>(kLongLine, 'x'));
    ASSERT_TRUE(LoadScript(loaded, e.script, ui, e.files));
    ASSERT_GT(loaded.path(0, 0).size(), kLongLine);
    loaded.reset();
    EXPECT_LT(pathMemory(), kLongLine) << "reset kept the long path's buffer";
    e.files.patch(e.script, bytes.size() - 512, {0}); // refused after the paths were read
    EXPECT_FALSE(LoadScript(loaded, e.script, ui, e.files));
    EXPECT_EQ(loaded.path(0, 0), "- - -");
    EXPECT_LT(pathMemory(), kLongLine) << "a refused load kept the long path's buffer";
}

// A file handed over by its header alone: both forms begin with that header, and only a script
// keeps its path marker right after its records.
TEST(ScriptFile, KindOfFileGoesByExtensionThenByContents) {
    TempDir dir;
    as_bank bank;
    ScriptedJobServices quiet;
    const auto script = dir / "Accordion";
    ASSERT_TRUE(WriteScript(bank, script, quiet));
    std::filesystem::copy_file(script, dir / "Accordion.OVB");
    std::filesystem::copy_file(script, dir / "Bank");
    Patch(dir / "Bank", kScriptFixed - kSector, std::vector<std::uint8_t>(kSector, 0));
    WriteAll(dir / "Notes", PatternBytes(2 * kSector, 3));
    const std::pair<const char*, BankFileKind> cases[] = {
        {"Accordion", BankFileKind::Script}, {"Accordion.OVB", BankFileKind::Bank},
        {"Bank", BankFileKind::Bank},        {"Notes", BankFileKind::Unknown},
        {"Missing", BankFileKind::Unknown},  {"Missing.Ovs", BankFileKind::Script}};
    for (const auto& [name, kind] : cases)
        EXPECT_EQ(KindOfFile(dir / name), kind) << name;
}

// A bank made on a Windows computer names drive D: in that computer's code page, with letter case
// that differs from the library copied here (names in UTF-8), beside a path of this machine. It
// is built from the local files and saved again without changing a stored byte.
TEST(ScriptFile, WindowsPathsAreFoundBuiltAndSavedWithoutChangingStoredBytes) {
    TempDir dir;
    const fs::path bayan = dir / "Lib" / "Баян" / "Ля 4.wav";
    const fs::path akkordeon = dir / "Lib" / "Akkordeon Müller" / "Ö 3.wav";
    fs::create_directories(bayan.parent_path());
    fs::create_directories(akkordeon.parent_path());
    WriteWav(bayan, false, 1000, 3);
    WriteWav(akkordeon, true, 2048, 7);
    const std::string stored = "D:\\LIB\\\xE1\xC0\xDF\xCD\\\xEB\xDF 4.WAV";
    PathSettingsScope drives(dir.path(), "windows-1251");
    as_bank bank;
    bank.path(1, 0) = stored;
    bank.path(1, 1) = akkordeon.string();
    // The audio of both files, each filled up to whole sectors.
    std::vector<std::uint8_t> audio = PatternBytes(1000, 3);
    audio.resize(1024);
    const auto second = PatternBytes(2048, 7);
    audio.insert(audio.end(), second.begin(), second.end());
    MemoryStore files;
    ScriptedJobServices ui;
    // The size calculation runs first and lets no missing file through.
    ASSERT_TRUE(CreateBankFile(bank, "/banks/windows.ovb", ui, {files}));
    EXPECT_EQ(files.bytes("/banks/windows.ovb", bank.info().sample_data_offset(), audio.size()),
              audio);

    ASSERT_TRUE(WriteScript(bank, "/scripts/first.ovs", ui, files));
    as_bank again;
    ASSERT_TRUE(LoadScript(again, "/scripts/first.ovs", ui, files));
    EXPECT_EQ(again.path(1, 0), stored);
    EXPECT_EQ(again.path(1, 1), akkordeon.string());
    ASSERT_TRUE(WriteScript(again, "/scripts/second.ovs", ui, files));
    EXPECT_TRUE(files.bytes("/scripts/first.ovs") == files.bytes("/scripts/second.ovs"))
        << "the script saved again differs";
}
