// ovbank as a user runs it: the built program started through the shell, its exit code, its
// standard output and error, and the files it leaves.
#include "OvbankRun.h"
#include "bank/BankFileWriter.h"
#include "bank/ScriptFile.h"
#include "bank/TextExport.h"
#include "job/FileIdentity.h"
#include "job/ScriptedJobServices.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <memory>
#include <sys/stat.h>
#include <vector>

using namespace ovb;
using namespace ovb::test;
namespace fs = std::filesystem;

namespace {

class OvbankCliTest : public ::testing::Test {
  protected:
    OvbankRun Ovbank(const std::vector<std::string>& args) { return RunOvbank(dir_.path(), args); }
    TempDir dir_;
};

// A usage error is explained on standard error with exit code 2; help goes to standard output.
TEST_F(OvbankCliTest, UsageErrorsAndHelpSayHowToRunIt) {
    struct Case {
        std::vector<std::string> args;
        int exit;
        std::string expected; // part of the standard error, or of the output of help
    };
    std::string out = (dir_ / "out.txt").string();
    const Case cases[] = {
        {{}, 2, "usage: ovbank"},
        {{"frobnicate", "-", out}, 2, "unknown command 'frobnicate'"},
        {{"list", "-"}, 2, "usage: ovbank list FILE OUT.txt"},
        {{"list", "--force", "-", out}, 2, "unknown option --force"},
        {{"--map", "nodrive", "list", "-", out}, 2, "--map"},
        {{"list", "-", out, "--map"}, 2, "--map"},
        {{"--help"}, 0, "list FILE OUT.txt"},
        {{"list", "--help", "-", out}, 0, "usage: ovbank list FILE OUT.txt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        OvbankRun r = Ovbank(c.args);
        EXPECT_EQ(r.exit, c.exit);
        EXPECT_NE((c.exit == 0 ? r.out : r.err).find(c.expected), std::string::npos)
            << r.out << r.err;
        EXPECT_EQ(r.out.empty(), c.exit != 0) << r.out;
        EXPECT_FALSE(fs::exists(out));
    }
}

TEST_F(OvbankCliTest, ListOfTheEmptyBankIsTheExportedListing) {
    as_bank bank;
    ScriptedJobServices ui;
    ASSERT_TRUE(ExportText(bank, dir_ / "reference.txt", ui));
    const std::string expected = FileText(dir_ / "reference.txt");
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
}

struct Expected {
    std::string args; // '@' stands for the name of each bad file
    int exit;
    std::string text; // the first line of the output, or with '*' in front any part of it
};

void ExpectRun(const TempDir& dir, const Expected& e, const std::string& args) {
    SCOPED_TRACE("ovbank " + args);
    const OvbankRun r = RunOvbank(dir.path(), args, true);
    EXPECT_EQ(r.exit, e.exit);
    if (e.text.starts_with('*'))
        EXPECT_NE(r.out.find(e.text.substr(1)), std::string::npos) << r.out;
    else
        EXPECT_TRUE(r.out.starts_with(e.text)) << r.out;
}

std::string Replaced(std::string text, const std::string& name) {
    for (auto at = text.find('@'); at != std::string::npos; at = text.find('@', at + name.size()))
        text.replace(at, 1, name);
    return text;
}

TEST_F(OvbankCliTest, EveryCommandSaysWhatWentWrongAndExitsWithOne) {
    const TempDir& d = dir_;
    for (const char* ext : {".ovs", ".ovb", ".wav"}) {
        ASSERT_EQ(mkfifo((d / ("fifo" + std::string(ext))).c_str(), 0644), 0);
        fs::create_directory(d / ("folder" + std::string(ext)));
        WriteAll(d / ("empty" + std::string(ext)), {});
        WriteAll(d / ("junk" + std::string(ext)), std::vector<std::uint8_t>(4096, 'j'));
    }
    const std::vector<std::pair<std::string, std::string>> bad = {
        {"missing", "Error: File @ not exist!"},
        {"fifo", "Error: File @ is not a regular file"},
        {"folder", "Error: File @ is a folder, not a file!"},
        {"empty", "Error: File @ is empty!"},
        {"junk", "Error: This is not a valid Orvelanta Sampler "}};
    // Every command that loads a bank, and every command that reads WAV files it is given.
    const char* const banks[] = {"info @.ovs",
                                 "size @.ovs",
                                 "build @.ovs o.ovb",
                                 "script @.ovs o.ovs",
                                 "list @.ovs o.txt",
                                 "check @.ovs",
                                 "analyse @.ovs 1",
                                 "--yes normalise @.ovs 1",
                                 "scan-start @.ovs",
                                 "scan-end @.ovs",
                                 "--yes trim-start --threshold 3 @.ovs",
                                 "--yes trim-end --threshold 10 @.ovs",
                                 "--yes trim-fixed 5 @.ovs",
                                 "export @.ovb .",
                                 "common-path @.ovs",
                                 "conform @.ovs --into out",
                                 "sdcard @.ovb ."};
    const char* const wavs[] = {"analyse --files @.wav",
                                "--yes normalise --files @.wav",
                                "scan-start --files @.wav",
                                "scan-end --files @.wav",
                                "--yes trim-start --threshold 3 --files @.wav",
                                "--yes trim-end --threshold 10 --files @.wav",
                                "--yes trim-fixed 5 --files @.wav",
                                "conform-files @.wav --into out"};
    for (const auto& [file, message] : bad) {
        for (const char* command : banks) {
            const std::string args = Replaced(command, file);
            if (file == "junk" && args.starts_with("sdcard")) continue; // the card's own checks
            const std::string name = args.substr(args.find(file), file.size() + 4);
            ExpectRun(d, {command, 1, Replaced(message, name)}, args);
        }
        for (const char* command : wavs)
            if (file != "junk")
                ExpectRun(d, {command, 1, Replaced(message, file + ".wav")},
                          Replaced(command, file));
    }
    EXPECT_FALSE(fs::exists(d / "o.ovb") || fs::exists(d / "o.ovs") || fs::exists(d / "o.txt"));

    // A bank whose multisample 1 names one WAV file that is there and one that is not, and the
    // bank file of the file that is there.
    fs::create_directory(d / "lib");
    WriteWav(d / "lib" / "good.wav", false, 8192);
    auto bank = std::make_unique<as_bank>();
    bank->path(1, 0) = (d / "lib" / "good.wav").string();
    ScriptedJobServices ui;
    ASSERT_TRUE(CreateBankFile(*bank, d / "b.ovb", ui));
    bank->path(1, 1) = (d / "lib" / "gone.wav").string();
    ASSERT_TRUE(SaveScript(*bank, d / "p.ovs", ui, false));
    auto server = std::make_unique<as_bank>(); // one UNC path in two multisamples
    server->path(4, 0) = server->path(5, 0) = "\\\\server\\a.wav";
    ASSERT_TRUE(SaveScript(*server, d / "q.ovs", ui, false));
    fs::create_directories(d / "out" / "good.wav"); // in the way of the export
    for (const char* folder : {"all", "one", "one="})
        fs::create_directory(d / folder);
    const auto script = LookAt(d / "p.ovs");
    ASSERT_EQ(link((d / "p.ovs").c_str(), (d / "hard.ovs").c_str()), 0);
    fs::create_symlink("p.ovs", d / "soft.ovs");
    const Expected partial[] = {
        {"new x.ovs", 0, ""},
        {"info x.ovs", 0, "Info: Wav files path size is different"},
        {"size p.ovs", 1, "*Missing 1 WAV files!!!"},
        {"check --missing p.ovs", 1, "*1. Missing file: " + (d / "lib" / "gone.wav").string()},
        {"analyse p.ovs 1", 1, "*ERROR: ANALISE_FILE_NOT_EXIST"},
        {"--yes normalise p.ovs 1", 1, "*ERROR: ANALISE_FILE_NOT_EXIST"},
        {"scan-end p.ovs", 1, "*Files that could not be read: 1"},
        {"--yes trim-fixed 5 p.ovs", 1, "*Files that could not be read: 1"},
        {"--yes trim-fixed 5 --files lib/good.wav gone.wav", 1, "Error: File gone.wav not exist!"},
        {"build p.ovs o.ovb", 1, "*Missing 1 WAV files!!!"},
        {"conform p.ovs --into conformed", 1, "*1 missing"},
        {"export b.ovb out --multisample 1", 1, "*Export with ERRORS!"},
        {"common-path b.ovb", 0, "*Library Common Path: " + (d / "lib" / "good.wav").string()},
        {"export b.ovb all", 0, "*Export Complete Sucessfully!"},
        {"export b.ovb one --multisample 1", 0, "*Exported files count: 1"},
        {"export b.ovb one= --multisample=1", 0, "*Exported files count: 1"},
        {"export b.ovb one --multisample=x", 2, ""},
        {"export b.ovb one --multisample=10000", 2, ""},
        {"export b.ovb one 5", 2, ""},
        {"export p.ovs one", 1, "*Not loaded VALID BANK FILE!"},
        // The checks named run alone (the duplicate check without its warning), all without one.
        {"check --delimiters q.ovs", 1, "*Sample 000 from MS0005: \\\\server\\a.wav\n"},
        {"check --duplicates q.ovs", 1, "*Dublicate Found!"},
        {"check --names --latin q.ovs", 0, "*All Chars Are Valid Latins Chars!"},
        {"check --names q.ovs", 0, "*No Multisample Names Invalid Chars Found!"},
        {"check x.ovs", 0, "*No missing WAV files !"},
        {"check x.ovs", 0, "*No UNUSED multisamples found!"},
        {"check x.ovs", 0, "*No DUPLICATED samples found!"},
        {"check x.ovs", 0, "*No Files with active or not default loops!"},
        // Outputs never destroy inputs.
        {"list p.ovs p.ovs", 1, "Error: p.ovs is the input file p.ovs"},
        {"--yes script p.ovs hard.ovs", 1, "Error: hard.ovs is the input file p.ovs"},
        {"build soft.ovs ./p.ovs", 1, "Error: ./p.ovs is the input file soft.ovs"},
        {"build b.ovb b.ovb", 1, "Error: b.ovb is the input file b.ovb"},
        {"build x.ovs p.ovs", 1,
         "Error: p.ovs is a script file: it is not replaced by a bank "
         "file unless --yes is given."},
        {"list x.ovs b.ovb", 1,
         "Error: b.ovb is a bank file: it is not replaced by a text "
         "listing unless --yes is given."},
    };
    for (const Expected& e : partial)
        ExpectRun(d, e, e.args);
    EXPECT_EQ(RunOvbank(d.path(), "check --delimiters q.ovs", true).out.find("Dublicate"),
              std::string::npos);
    const auto after = LookAt(d / "p.ovs");
    EXPECT_TRUE(script && after && script->id == after->id) << "the script was replaced";
    EXPECT_TRUE(fs::exists(d / "b.ovb") && !fs::exists(d / "o.ovb"));
    // The common path of a library of one file is that file: it lands in the folder itself.
    EXPECT_TRUE(fs::exists(d / "all" / "good.wav"));
}

} // namespace
