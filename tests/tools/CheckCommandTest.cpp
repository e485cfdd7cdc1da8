// ovbank check run on a saved script: which checks run, what they print (reports and messages,
// standard output and error together) and the exit code.
#include "OvbankRun.h"
#include "bank/ScriptFile.h"
#include "job/ScriptedJobServices.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <memory>

using namespace ovb;
using namespace ovb::test;

namespace {

class CheckCommand : public ::testing::Test {
  protected:
    TempDir dir;

    void Save(as_bank& bank) {
        ScriptedJobServices ui;
        ASSERT_TRUE(SaveScript(bank, dir / "bank.ovs", ui, false));
    }
    OvbankRun Ovbank(const std::string& options) {
        return RunOvbank(dir.path(), "check bank.ovs " + options, true);
    }
};

TEST_F(CheckCommand, FindingsPrintTheReportAndExitWithOne) {
    auto bank = std::make_unique<as_bank>();
    bank->path(4, 0) = "\\\\server\\a.wav";
    bank->path(5, 0) = "\\\\server\\a.wav";
    Save(*bank);

    OvbankRun delimiters = Ovbank("--delimiters");
    EXPECT_EQ(delimiters.exit, 1);
    EXPECT_NE(delimiters.out.find("Sample 000 from MS0005: \\\\server\\a.wav\n"),
              std::string::npos);
    EXPECT_EQ(delimiters.out.find("Dublicate"), std::string::npos); // only the named check ran

    // The duplicate check runs without its warning when named.
    OvbankRun duplicates = Ovbank("--duplicates");
    EXPECT_EQ(duplicates.exit, 1);
    EXPECT_NE(duplicates.out.find("Dublicate Found!"), std::string::npos);

    OvbankRun clean = Ovbank("--names --latin");
    EXPECT_EQ(clean.exit, 0);
    EXPECT_NE(clean.out.find("No Multisample Names Invalid Chars Found!"), std::string::npos);
    EXPECT_NE(clean.out.find("All Chars Are Valid Latins Chars!"), std::string::npos);
}

TEST_F(CheckCommand, NoOptionRunsEveryCheck) {
    auto bank = std::make_unique<as_bank>();
    Save(*bank);
    OvbankRun all = Ovbank("");
    EXPECT_EQ(all.exit, 0);
    for (const char* text :
         {"No missing WAV files !", "No UNUSED multisamples found!", "No DUPLICATED samples found!",
          "No Files with active or not default loops!"})
        EXPECT_NE(all.out.find(text), std::string::npos) << text;
}

} // namespace
