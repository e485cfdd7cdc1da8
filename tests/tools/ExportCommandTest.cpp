// ovbank export and common-path on a real bank file: what they print, the files they leave and
// their exit codes.
#include "bank/BankFileWriter.h"
#include "bank/ScriptFile.h"
#include "job/ScriptedJobServices.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <sys/wait.h>

using namespace ovb;
namespace fs = std::filesystem;

namespace {

struct Outcome {
    int exit = -1;
    std::string out;
};

class ExportCommand : public ::testing::Test {
  protected:
    test::TempDir dir;
    fs::path lib = dir / "lib";

    Outcome Ovbank(const std::string& arguments) {
        const auto out = dir / "out.txt";
        const std::string command =
            std::string(OVB_OVBANK) + " " + arguments + " >'" + out.string() + "' 2>&1 </dev/null";
        const int status = std::system(command.c_str());
        const auto bytes = test::ReadAll(out);
        fs::remove(out);
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1,
                std::string(bytes.begin(), bytes.end())};
    }
    std::string Q(const fs::path& p) const { return "'" + p.string() + "'"; }
};

TEST_F(ExportCommand, ExportsTheLibraryOrOneMultisampleAndPrintsTheCommonPath) {
    fs::create_directories(lib / "Piano");
    fs::create_directories(lib / "Pad");
    test::WriteWav(lib / "Piano" / "C3.wav", false, 1000, 7);
    test::WriteWav(lib / "Pad" / "C4.wav", true, 512, 9);
    auto bank = std::make_unique<as_bank>();
    bank->path(1, 0) = (lib / "Piano" / "C3.wav").string();
    bank->path(2, 0) = (lib / "Pad" / "C4.wav").string();
    ScriptedJobServices ui;
    ASSERT_TRUE(CreateBankFile(*bank, dir / "bank.ovb", ui));
    ASSERT_TRUE(SaveScript(*bank, dir / "bank.ovs", ui, false));

    const Outcome common = Ovbank("common-path " + Q(dir / "bank.ovb"));
    EXPECT_EQ(common.exit, 0);
    const std::string line = "Library Common Path: " + lib.string() + "/P\n";
    EXPECT_TRUE(common.out.ends_with(line)) << common.out;

    fs::create_directories(dir / "all");
    const Outcome all = Ovbank("export " + Q(dir / "bank.ovb") + " " + Q(dir / "all"));
    EXPECT_EQ(all.exit, 0) << all.out;
    EXPECT_NE(all.out.find("Export Complete Sucessfully!"), std::string::npos);
    // The common path ends inside the folder names: their rest becomes the folder.
    auto data = test::ReadAll(dir / "all" / "iano" / "C3.wav");
    EXPECT_EQ(std::vector<std::uint8_t>(data.begin() + 44, data.begin() + 1044),
              test::PatternBytes(1000, 7));
    EXPECT_EQ(data.size(), 44u + 1024u);
    EXPECT_TRUE(fs::exists(dir / "all" / "ad" / "C4.wav"));

    fs::create_directories(dir / "one");
    for (const std::string option : {"--multisample 2", "--multisample=2"}) {
        const Outcome one =
            Ovbank("export " + Q(dir / "bank.ovb") + " " + Q(dir / "one") + " " + option);
        EXPECT_EQ(one.exit, 0) << one.out;
        EXPECT_NE(one.out.find("Exported files count: 1"), std::string::npos) << option;
        EXPECT_EQ(test::ReadAll(dir / "one" / "C4.wav"), test::ReadAll(lib / "Pad" / "C4.wav"));
        EXPECT_TRUE(fs::exists(dir / "one" / "- - -           .msn"));
        fs::remove_all(dir / "one");
        fs::create_directories(dir / "one");
    }

    const Outcome empty =
        Ovbank("export " + Q(dir / "bank.ovb") + " " + Q(dir / "one") + " --multisample=3");
    EXPECT_EQ(empty.exit, 1);
    EXPECT_NE(empty.out.find("Not possible to EXPORT EMPTY multisample!"), std::string::npos);

    const Outcome script = Ovbank("--yes export " + Q(dir / "bank.ovs") + " " + Q(dir / "one"));
    EXPECT_EQ(script.exit, 1);
    EXPECT_NE(script.out.find("Not loaded VALID BANK FILE!"), std::string::npos);
    EXPECT_TRUE(fs::is_empty(dir / "one"));

    for (const char* bad : {" --multisample=x", " --multisample=10000", " 5"})
        EXPECT_EQ(Ovbank("export " + Q(dir / "bank.ovb") + " " + Q(dir / "one") + bad).exit, 2)
            << bad;
}

} // namespace
