// A bank made on a Windows computer: its paths name drive D: in that computer's code page, with
// letter case that differs from the library copied to this machine (names in UTF-8).
#include "bank/BankFileWriter.h"
#include "bank/ScriptFile.h"
#include "job/ScriptedJobServices.h"
#include "support/PathSettingsScope.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

using namespace ovb;
using namespace ovb::test;
namespace fs = std::filesystem;

namespace {

std::vector<std::uint8_t> PathArea(const fs::path& script) {
    constexpr std::uint64_t kPathArea = 51921408;
    return ReadRange(script, kPathArea, std::size_t(fs::file_size(script) - kPathArea));
}

} // namespace

TEST(WindowsBank, FoundBuiltAndSavedWithoutChangingStoredBytes) {
    TempDir dir;
    const fs::path bayan = dir / "Lib" / "Баян" / "Ля 4.wav";
    const fs::path akkordeon = dir / "Lib" / "Akkordeon Müller" / "Ö 3.wav";
    fs::create_directories(bayan.parent_path());
    fs::create_directories(akkordeon.parent_path());
    WriteWav(bayan, false, 1000, 3);
    WriteWav(akkordeon, true, 2048, 7);
    // Each bank names one file in its code page's bytes, in other letter case, and the other
    // by its local path, which no code page applies to.
    struct Case {
        std::string codePage, first, second; // stored paths of bayan and akkordeon
    } cases[] = {
        {"windows-1251", "D:\\LIB\\\xE1\xC0\xDF\xCD\\\xEB\xDF 4.WAV", akkordeon.string()},
        {"windows-1252", bayan.string(), "D:\\lib\\AKKORDEON M\xDCLLER\\\xF6 3.wav"},
    };
    // The audio of both files, each filled up to whole sectors, as built from local paths.
    std::vector<std::uint8_t> audio = PatternBytes(1000, 3);
    audio.resize(1024);
    const auto second = PatternBytes(2048, 7);
    audio.insert(audio.end(), second.begin(), second.end());
    ScriptedJobServices ui;
    for (const Case& c : cases) {
        PathSettingsScope drives(dir.path(), c.codePage);
        as_bank bank;
        bank.path(1, 0) = c.first;
        bank.path(1, 1) = c.second;
        // The size calculation runs first and lets no missing file through.
        ASSERT_TRUE(CreateBankFile(bank, dir / "windows.ovb", ui)) << c.codePage;
        EXPECT_EQ(ReadRange(dir / "windows.ovb", bank.info().sample_data_offset(), audio.size()),
                  audio);
        ASSERT_TRUE(WriteScript(bank, dir / "first.ovs", ui));
        as_bank again;
        ASSERT_TRUE(LoadScript(again, dir / "first.ovs", ui));
        EXPECT_EQ(again.path(1, 0), c.first);
        EXPECT_EQ(again.path(1, 1), c.second);
        ASSERT_TRUE(WriteScript(again, dir / "second.ovs", ui));
        EXPECT_EQ(PathArea(dir / "first.ovs"), PathArea(dir / "second.ovs"));
    }
}
