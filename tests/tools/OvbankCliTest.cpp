// ovbank as a user runs it: the built program started through the shell, its exit code, its
// standard output and error, and the files it leaves.
#include "OvbankRun.h"
#include "bank/TextExport.h"
#include "job/ScriptedJobServices.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <vector>

using namespace ovb;
using namespace ovb::test;
namespace fs = std::filesystem;

namespace {

class OvbankCliTest : public ::testing::Test {
  protected:
    OvbankRun Ovbank(const std::vector<std::string>& args) { return RunOvbank(dir_.path(), args); }

    std::string EmptyBankListing() {
        as_bank bank;
        ScriptedJobServices ui;
        EXPECT_TRUE(ExportText(bank, dir_ / "reference.txt", ui));
        std::string text = FileText(dir_ / "reference.txt");
        fs::remove(dir_ / "reference.txt");
        return text;
    }

    TempDir dir_;
};

TEST_F(OvbankCliTest, UsageErrorsExitWithTwoAndExplainOnStandardError) {
    struct Case {
        std::vector<std::string> args;
        std::string expected; // part of the standard error
    };
    std::string out = (dir_ / "out.txt").string();
    const Case cases[] = {
        {{}, "usage: ovbank"},
        {{"frobnicate", "-", out}, "unknown command 'frobnicate'"},
        {{"list", "-"}, "usage: ovbank list FILE OUT.txt"},
        {{"list", "--force", "-", out}, "unknown option --force"},
        {{"--map", "nodrive", "list", "-", out}, "--map"},
        {{"list", "-", out, "--map"}, "--map"},
    };
    for (const Case& c : cases) {
        std::string shown;
        for (const auto& a : c.args)
            shown += a + " ";
        SCOPED_TRACE("ovbank " + shown);
        OvbankRun r = Ovbank(c.args);
        EXPECT_EQ(r.exit, 2);
        EXPECT_NE(r.err.find(c.expected), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_FALSE(fs::exists(out));
    }
}

TEST_F(OvbankCliTest, HelpListsTheCommandsOnStandardOutput) {
    OvbankRun all = Ovbank({"--help"});
    EXPECT_EQ(all.exit, 0);
    EXPECT_NE(all.out.find("list FILE OUT.txt"), std::string::npos) << all.out;
    OvbankRun one = Ovbank({"list", "--help"});
    EXPECT_EQ(one.exit, 0);
    EXPECT_NE(one.out.find("usage: ovbank list FILE OUT.txt"), std::string::npos) << one.out;
}

TEST_F(OvbankCliTest, ListOfTheEmptyBankIsTheExportedListing) {
    std::string expected = EmptyBankListing();
    ASSERT_FALSE(expected.empty());

    OvbankRun plain = Ovbank({"list", "-", (dir_ / "a.txt").string()});
    EXPECT_EQ(plain.exit, 0) << plain.err;
    EXPECT_EQ(plain.err, "");
    EXPECT_TRUE(FileText(dir_ / "a.txt") == expected);

    // Global options may stand anywhere; after "--" a word is an argument even if it looks like
    // an option.
    OvbankRun mixed = Ovbank(
        {"list", "--yes", "-", "--map", "D:=/mnt/samples", "--quiet", "--", "--odd name.txt"});
    EXPECT_EQ(mixed.exit, 0) << mixed.err;
    EXPECT_TRUE(FileText(dir_ / "--odd name.txt") == expected);
}

TEST_F(OvbankCliTest, FailuresExitWithOneAndQuietSilencesTheirMessages) {
    std::string out = (dir_ / "no such folder" / "out.txt").string();
    OvbankRun loud = Ovbank({"list", "-", out});
    EXPECT_EQ(loud.exit, 1);
    EXPECT_TRUE(loud.err.starts_with("Error: ")) << loud.err;
    EXPECT_NE(loud.err.find(out), std::string::npos) << loud.err;
    EXPECT_EQ(loud.err.find('\n'), loud.err.size() - 1) << "one line per message: " << loud.err;

    OvbankRun quiet = Ovbank({"--quiet", "list", "-", out});
    EXPECT_EQ(quiet.exit, 1);
    EXPECT_EQ(quiet.err, "");
    EXPECT_EQ(quiet.out, "");
    EXPECT_FALSE(fs::exists(out));
}

} // namespace
