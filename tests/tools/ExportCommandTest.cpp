// ovbank export and common-path on a real bank file: what they print, the files they leave and
// their exit codes.
#include "OvbankRun.h"
#include "bank/BankFileWriter.h"
#include "bank/ScriptFile.h"
#include "job/ScriptedJobServices.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <memory>

using namespace ovb;
using namespace ovb::test;
namespace fs = std::filesystem;

namespace {

class ExportCommand : public ::testing::Test {
  protected:
    TempDir dir;
    fs::path lib = dir / "lib";

    OvbankRun Ovbank(const std::string& arguments) {
        return RunOvbank(dir.path(), arguments, true);
    }
    std::string Q(const fs::path& p) const { return Quote(p.string()); }
};

TEST_F(ExportCommand, ExportsTheLibraryOrOneMultisampleAndPrintsTheCommonPath) {
    fs::create_directories(lib / "Piano");
    fs::create_directories(lib / "Pad");
    WriteWav(lib / "Piano" / "C3.wav", false, 1000, 7);
    WriteWav(lib / "Pad" / "C4.wav", true, 512, 9);
    auto bank = std::make_unique<as_bank>();
    bank->path(1, 0) = (lib / "Piano" / "C3.wav").string();
    bank->path(2, 0) = (lib / "Pad" / "C4.wav").string();
    ScriptedJobServices ui;
    ASSERT_TRUE(CreateBankFile(*bank, dir / "bank.ovb", ui));
    ASSERT_TRUE(SaveScript(*bank, dir / "bank.ovs", ui, false));

    const OvbankRun common = Ovbank("common-path " + Q(dir / "bank.ovb"));
    EXPECT_EQ(common.exit, 0);
    const std::string line = "Library Common Path: " + lib.string() + "/P\n";
    EXPECT_TRUE(common.out.ends_with(line)) << common.out;

    fs::create_directories(dir / "all");
    const OvbankRun all = Ovbank("export " + Q(dir / "bank.ovb") + " " + Q(dir / "all"));
    EXPECT_EQ(all.exit, 0) << all.out;
    EXPECT_NE(all.out.find("Export Complete Sucessfully!"), std::string::npos);
    // The common path ends inside the folder names: their rest becomes the folder.
    EXPECT_TRUE(fs::exists(dir / "all" / "iano" / "C3.wav"));
    EXPECT_TRUE(fs::exists(dir / "all" / "ad" / "C4.wav"));

    fs::create_directories(dir / "one");
    for (const std::string option : {"--multisample 2", "--multisample=2"}) {
        const OvbankRun one =
            Ovbank("export " + Q(dir / "bank.ovb") + " " + Q(dir / "one") + " " + option);
        EXPECT_EQ(one.exit, 0) << one.out;
        EXPECT_NE(one.out.find("Exported files count: 1"), std::string::npos) << option;
        EXPECT_EQ(ReadAll(dir / "one" / "C4.wav"), ReadAll(lib / "Pad" / "C4.wav"));
        fs::remove_all(dir / "one");
        fs::create_directories(dir / "one");
    }

    const OvbankRun empty =
        Ovbank("export " + Q(dir / "bank.ovb") + " " + Q(dir / "one") + " --multisample=3");
    EXPECT_EQ(empty.exit, 1);
    EXPECT_NE(empty.out.find("Not possible to EXPORT EMPTY multisample!"), std::string::npos);

    const OvbankRun script = Ovbank("--yes export " + Q(dir / "bank.ovs") + " " + Q(dir / "one"));
    EXPECT_EQ(script.exit, 1);
    EXPECT_NE(script.out.find("Not loaded VALID BANK FILE!"), std::string::npos);
    EXPECT_TRUE(fs::is_empty(dir / "one"));

    for (const char* bad : {" --multisample=x", " --multisample=10000", " 5"})
        EXPECT_EQ(Ovbank("export " + Q(dir / "bank.ovb") + " " + Q(dir / "one") + bad).exit, 2)
            << bad;
}

} // namespace
