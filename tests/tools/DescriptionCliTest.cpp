// ovbank dump, apply, diff, merge and the batch jobs as a user runs them: exit codes, what they
// print, and the files they leave.
#include "OvbankRun.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <vector>

using namespace ovb;
using namespace ovb::test;
namespace fs = std::filesystem;

namespace {

const fs::path kDemo = fs::path(OVB_DEMO_DIR);

class DescriptionCli : public ::testing::Test {
  protected:
    OvbankRun Ovbank(const std::vector<std::string>& args) { return RunOvbank(dir.path(), args); }
    std::string In(const char* name) { return (dir / name).string(); }
    TempDir dir;
};

TEST_F(DescriptionCli, DumpApplyIsTheScriptOfTheBankFile) {
    const std::string bank = (kDemo / "Demo.ovb").string();
    ASSERT_EQ(Ovbank({"dump", bank, In("d.json")}).exit, 0);
    OvbankRun printed = Ovbank({"dump", bank});
    EXPECT_EQ(printed.out, FileText(dir / "d.json"));
    ASSERT_EQ(Ovbank({"apply", In("d.json"), In("a.ovs")}).exit, 0);
    ASSERT_EQ(Ovbank({"script", bank, In("s.ovs")}).exit, 0);
    EXPECT_TRUE(ReadAll(dir / "a.ovs") == ReadAll(dir / "s.ovs"));

    WriteAll(dir / "bad.json", {'{', '}'});
    OvbankRun refused = Ovbank({"apply", In("bad.json"), In("b.ovs")});
    EXPECT_EQ(refused.exit, 1);
    EXPECT_NE(refused.err.find("bad.json: /format: missing"), std::string::npos) << refused.err;
    EXPECT_FALSE(fs::exists(dir / "b.ovs"));
    EXPECT_EQ(Ovbank({"apply", In("d.json"), In("b.ovb")}).exit, 2);
}

TEST_F(DescriptionCli, DiffExitsZeroOneOrTwoAndMergeWritesALoadableScript) {
    const std::string script = (kDemo / "Demo.ovs").string();
    EXPECT_EQ(Ovbank({"diff", script, (kDemo / "Demo.ovb").string()}).out,
              "bank_file_info: bank path '" + script + "' -> '" + (kDemo / "Demo.ovb").string() +
                  "'\n");
    EXPECT_EQ(Ovbank({"diff", script, script}).exit, 0);
    EXPECT_EQ(Ovbank({"diff", script, In("missing.ovs")}).exit, 2);

    OvbankRun merged = Ovbank({"merge", script, script, In("m.ovs")});
    EXPECT_EQ(merged.exit, 0) << merged.err;
    EXPECT_NE(merged.out.find("sound 0001 'Demo Piano' -> 0006"), std::string::npos);
    OvbankRun diff = Ovbank({"diff", script, In("m.ovs")});
    EXPECT_EQ(diff.exit, 1);
    EXPECT_NE(diff.out.find("sound 0006 '- - -': name '- - -' -> 'Demo Piano'"), std::string::npos);
}

TEST_F(DescriptionCli, BatchJobsShowTheWindowsReportsAndSaveWithYes) {
    const std::string json =
        R"({"format": "ovbank bank description 1",
            "sounds": {"0001": {"name": "Lonely", "category": ["Stereo"],
                                "zones": {"1": {"multisample": 2}}}},
            "multisamples": {"0002": {"name": "Used", "slots": {"0": "D:\\used.wav"}},
                             "0003": {"name": "Unused", "slots": {"0": "D:\\unused.wav"}}}})";
    WriteAll(dir / "t.json", std::vector<std::uint8_t>(json.begin(), json.end()));
    ASSERT_EQ(Ovbank({"apply", In("t.json"), In("t.ovs")}).exit, 0);
    const std::string t = In("t.ovs");
    struct Step {
        std::vector<std::string> args;
        int exit;
        std::string shown; // part of the merged output
    };
    const Step steps[] = {
        {{"--yes", "remove-unused", t}, 0, "MS0003  Unused"},
        {{"--yes", "where-multisample", t, "2"}, 0, "Sound: 0001: Lonely"},
        {{"--yes", "where-sound", t, "1"}, 0, "This sound is not used in any set-up!"},
        {{"--yes", "fix-stereo", t}, 0, "Sound: 0001: Lonely           is REMOVED from STEREO"},
        {{"--yes", "no-group", t}, 1, "Sound 0001 [ Lonely           ]"},
        {{"--yes", "replace-path", t, "D:\\", "E:\\"}, 0, "Info: 1 paths changed."},
        {{"--yes", "replace-path", t, "E:", ""}, 2, "two non-empty texts"},
        {{"replace-path", t, "E:", "F:"}, 1, "The changed bank was not saved."},
        {{"--yes", "where-sound", t, "10000"}, 2, "not a number from 0 to 9999"},
        {{"--yes", "dump", t}, 0, R"("0": "E:\\used.wav")"},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.args[1] + " " + s.args.back());
        OvbankRun r = RunOvbank(dir.path(), s.args, true);
        EXPECT_EQ(r.exit, s.exit) << r.out;
        EXPECT_NE(r.out.find(s.shown), std::string::npos) << r.out;
        EXPECT_EQ(r.out.find("unused.wav"), std::string::npos) << r.out;
    }
}

} // namespace
