// Relocating the library: the common path of all sample paths and the replacement over them;
// and ovbank relink on a library that moved.
#include "tools/LibraryPaths.h"
#include "OvbankRun.h"
#include "bank/ScriptFile.h"
#include "job/ScriptedJobServices.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <memory>

using namespace ovb;
using namespace ovb::test;

namespace {

class LibraryPaths : public ::testing::Test {
  protected:
    std::unique_ptr<as_bank> owner = std::make_unique<as_bank>();
    as_bank& bank = *owner;
};

TEST_F(LibraryPaths, CommonPathIsTheLongestSharedCharacterPrefix) {
    EXPECT_EQ(LibraryCommonPath(bank), "");
    bank.path(0, 63) = "D:\\Lib\\Strings1\\a.wav";
    EXPECT_EQ(LibraryCommonPath(bank), "D:\\Lib\\Strings1\\a.wav"); // a single path is its own
    bank.path(9999, 0) = "D:\\Lib\\Strings2\\b.wav";
    EXPECT_EQ(LibraryCommonPath(bank), "D:\\Lib\\Strings"); // ends inside a folder name
    bank.path(40, 2) = "D:\\Lib";                           // a path that is a prefix of others
    EXPECT_EQ(LibraryCommonPath(bank), "D:\\Lib");
    bank.path(41, 0) = "d:\\Lib\\x.wav"; // case counts
    EXPECT_EQ(LibraryCommonPath(bank), "");

    // At most 1024 characters are compared.
    bank.reset();
    const std::string longPath(1500, 'a');
    bank.path(1, 0) = longPath;
    bank.path(2, 0) = longPath;
    EXPECT_EQ(LibraryCommonPath(bank), std::string(1024, 'a'));
}

TEST_F(LibraryPaths, ReplacementReachesEveryOccurrenceOnce) {
    EXPECT_EQ(ReplaceAll("D:\\A\\x\\D:\\A\\y", "D:\\A", "E:\\B"), "E:\\B\\x\\E:\\B\\y");
    // Replaced text is not scanned again, even when it holds the old text.
    EXPECT_EQ(ReplaceAll("aXa", "a", "aa"), "aaXaa");
    EXPECT_EQ(ReplaceAll("aaa", "aa", "b"), "ba");
    EXPECT_EQ(FoldDoubledBackslashes("a\\\\b\\\\\\c"), "a\\b\\\\c");
    EXPECT_EQ(FolderAsLibraryPath("D:\\Samples"), "D:\\Samples\\");
    EXPECT_EQ(FolderAsLibraryPath("D:\\"), "D:\\");
}

TEST_F(LibraryPaths, ReplaceInSamplePathsChangesNonEmptyPathsOnly) {
    bank.path(0, 0) = "D:\\Old\\Piano\\D:\\Old\\x.wav"; // the old text twice in one path
    bank.path(9999, 63) = "D:\\Old\\y.wav";
    bank.path(5, 5) = "C:\\Other\\z.wav";
    EXPECT_EQ(ReplaceInSamplePaths(bank, "D:\\Old\\", "E:\\New\\"), 2u);
    EXPECT_EQ(bank.path(0, 0), "E:\\New\\Piano\\E:\\New\\x.wav");
    EXPECT_EQ(bank.path(9999, 63), "E:\\New\\y.wav");
    EXPECT_EQ(bank.path(5, 5), "C:\\Other\\z.wav");

    // An empty path is the marker text; it stays even when the old text is part of it.
    EXPECT_EQ(ReplaceInSamplePaths(bank, "- -", "X"), 0u);
    EXPECT_EQ(bank.path(1, 1), kEmptyPath);

    // Either text empty: nothing is replaced, so a prefix cannot be deleted.
    EXPECT_EQ(ReplaceInSamplePaths(bank, "E:\\New\\", ""), 0u);
    EXPECT_EQ(ReplaceInSamplePaths(bank, "", "F:\\"), 0u);
    EXPECT_EQ(bank.path(9999, 63), "E:\\New\\y.wav");

    // A folder of this machine in front: one form of path, names decoded (windows-1252 here).
    bank.path(7, 0) = "E:\\New\\M\xFCller\\y.wav";
    EXPECT_EQ(ReplaceInSamplePaths(bank, "E:\\New\\", "/home/u/lib\\"), 3u);
    EXPECT_EQ(bank.path(7, 0), "/home/u/lib/Müller/y.wav");
}

// Relinking a moved library: two instruments share sample names, one name is found in two places
// with nothing to choose between them, and one file is gone.
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

} // namespace
