// ovbank relink on a library that moved: two instruments share sample names, one name is found
// in two places with nothing to choose between them, and one file is gone.
#include "OvbankRun.h"
#include "bank/ScriptFile.h"
#include "job/ScriptedJobServices.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <memory>

using namespace ovb;
using namespace ovb::test;

TEST(Relink, MovedLibraryIsFoundByNameAndTrailingFolders) {
    TempDir dir;
    for (const char* file : {"Piano/c 3.wav", "Piano/D 3.wav", "Organ/C 3.wav", "A/Pad.wav",
                             "B/Pad.wav", "Piano/Still here.wav"}) {
        std::filesystem::create_directories((dir / "Moved Lib" / file).parent_path());
        WriteAll(dir / "Moved Lib" / file, {1});
    }
    auto bank = std::make_unique<as_bank>();
    const std::string here = "D:\\Moved Lib\\piano\\STILL HERE.wav";
    bank->path(1, 0) = "D:\\Old Lib\\Piano\\C 3.wav";
    bank->path(1, 1) = "D:\\Old Lib\\Piano\\D 3.wav";
    bank->path(1, 2) = "D:\\Old Lib\\Piano\\G 9.wav"; // gone
    bank->path(1, 3) = here;
    bank->path(2, 0) = "D:\\Old Lib\\Organ\\C 3.wav";
    bank->path(2, 1) = "D:\\Old Lib\\Pads\\Pad.wav"; // A\Pad.wav or B\Pad.wav?
    bank->path(3, 0) = bank->path(2, 0);             // a shared sample
    ScriptedJobServices ui;
    ASSERT_TRUE(SaveScript(*bank, dir / "b.ovs", ui, true));
    const auto before = ReadAll(dir / "b.ovs");
    const std::string words = "--map D:=" + Quote(dir.path().string()) + " relink b.ovs --search ";

    OvbankRun preview = RunOvbank(dir.path(), words + Quote("Moved Lib"));
    EXPECT_EQ(preview.exit, 1);
    EXPECT_NE(preview.out.find("Found: 3\nAmbiguous: 1\nStill missing: 1\n"), std::string::npos)
        << preview.out;
    EXPECT_EQ(ReadAll(dir / "b.ovs"), before);
    EXPECT_EQ(RunOvbank(dir.path(), words + "nowhere").exit, 1);

    EXPECT_EQ(RunOvbank(dir.path(), "--yes " + words + Quote("Moved Lib")).exit, 1);
    bank->reset();
    ASSERT_TRUE(LoadScript(*bank, dir / "b.ovs", ui));
    EXPECT_EQ(bank->path(1, 0), "D:\\Moved Lib\\Piano\\c 3.wav");
    EXPECT_EQ(bank->path(1, 1), "D:\\Moved Lib\\Piano\\D 3.wav");
    EXPECT_EQ(bank->path(1, 2), "D:\\Old Lib\\Piano\\G 9.wav");
    EXPECT_EQ(bank->path(1, 3), here);
    EXPECT_EQ(bank->path(2, 0), "D:\\Moved Lib\\Organ\\C 3.wav");
    EXPECT_EQ(bank->path(3, 0), "D:\\Moved Lib\\Organ\\C 3.wav");
    EXPECT_EQ(bank->path(2, 1), "D:\\Old Lib\\Pads\\Pad.wav");
}
