// ovbank as a user runs it: the built program started through the shell, its exit code, its
// standard output and error, and the files it leaves.
#include "bank/TextExport.h"
#include "job/ScriptedJobServices.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <vector>

using namespace ovb;
namespace fs = std::filesystem;

namespace {

std::string ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string Quote(const std::string& s) {
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

struct Result {
    int exit = -1;
    std::string out, err;
};

class OvbankCliTest : public ::testing::Test {
  protected:
    // Runs ovbank in dir_ with the given arguments.
    Result Ovbank(const std::vector<std::string>& args) {
        std::string command = "cd " + Quote(dir_.path().string()) + " && " + Quote(OVB_OVBANK);
        for (const auto& a : args)
            command += " " + Quote(a);
        command += " >" + Quote((dir_ / "stdout").string()) + " 2>" +
                   Quote((dir_ / "stderr").string()) + " </dev/null";
        int status = std::system(command.c_str());
        Result r;
        r.exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        r.out = ReadAll(dir_ / "stdout");
        r.err = ReadAll(dir_ / "stderr");
        fs::remove(dir_ / "stdout");
        fs::remove(dir_ / "stderr");
        return r;
    }

    std::string EmptyBankListing() {
        as_bank bank;
        ScriptedJobServices ui;
        EXPECT_TRUE(ExportText(bank, dir_ / "reference.txt", ui));
        std::string text = ReadAll(dir_ / "reference.txt");
        fs::remove(dir_ / "reference.txt");
        return text;
    }

    test::TempDir dir_;
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
        Result r = Ovbank(c.args);
        EXPECT_EQ(r.exit, 2);
        EXPECT_NE(r.err.find(c.expected), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_FALSE(fs::exists(out));
    }
}

TEST_F(OvbankCliTest, HelpListsTheCommandsOnStandardOutput) {
    Result all = Ovbank({"--help"});
    EXPECT_EQ(all.exit, 0);
    EXPECT_NE(all.out.find("list FILE OUT.txt"), std::string::npos) << all.out;
    EXPECT_NE(all.out.find("--map"), std::string::npos) << all.out;

    Result one = Ovbank({"list", "--help"});
    EXPECT_EQ(one.exit, 0);
    EXPECT_NE(one.out.find("usage: ovbank list FILE OUT.txt"), std::string::npos) << one.out;
}

TEST_F(OvbankCliTest, ListOfTheEmptyBankIsTheExportedListing) {
    std::string expected = EmptyBankListing();
    ASSERT_FALSE(expected.empty());

    Result plain = Ovbank({"list", "-", (dir_ / "a.txt").string()});
    EXPECT_EQ(plain.exit, 0) << plain.err;
    EXPECT_EQ(plain.err, "");
    EXPECT_TRUE(ReadAll(dir_ / "a.txt") == expected);

    // Global options may stand anywhere; after "--" a word is an argument even if it looks like
    // an option.
    Result mixed = Ovbank(
        {"list", "--yes", "-", "--map", "D:=/mnt/samples", "--quiet", "--", "--odd name.txt"});
    EXPECT_EQ(mixed.exit, 0) << mixed.err;
    EXPECT_TRUE(ReadAll(dir_ / "--odd name.txt") == expected);
}

TEST_F(OvbankCliTest, FailuresExitWithOneAndQuietSilencesTheirMessages) {
    std::string out = (dir_ / "no such folder" / "out.txt").string();
    Result loud = Ovbank({"list", "-", out});
    EXPECT_EQ(loud.exit, 1);
    EXPECT_TRUE(loud.err.starts_with("Error: ")) << loud.err;
    EXPECT_NE(loud.err.find(out), std::string::npos) << loud.err;
    EXPECT_EQ(loud.err.find('\n'), loud.err.size() - 1) << "one line per message: " << loud.err;

    Result quiet = Ovbank({"--quiet", "list", "-", out});
    EXPECT_EQ(quiet.exit, 1);
    EXPECT_EQ(quiet.err, "");
    EXPECT_EQ(quiet.out, "");
    EXPECT_FALSE(fs::exists(out));
}

} // namespace
