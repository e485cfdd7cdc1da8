// Stored paths from Windows computers against a library tree of this machine whose names are
// UTF-8 and differ in letter case from what the bank stores.
#include "job/PathResolver.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

using namespace ovb;
using namespace ovb::test;
namespace fs = std::filesystem;

namespace {

// Windows-1251 bytes of "библиотека\БАЯН\ля 4.wav"; windows-1252 bytes of "MÜLLER" and "Müller".
constexpr const char* kCyrillic1251 =
    "D:\\\xE1\xE8\xE1\xEB\xE8\xEE\xF2\xE5\xEA\xE0\\\xC1\xC0\xDF\xCD\\\xEB\xFF 4.wav";
constexpr const char* kLatin1252 = "d:\\BIBLIOTHEK\\akkordeon M\xDCLLER\\c 3.WAV";

struct Library {
    TempDir dir;
    fs::path cyrillic = dir / "Библиотека" / "Баян" / "Ля 4.wav";
    fs::path latin = dir / "Bibliothek" / "Akkordeon Müller" / "C 3.wav";
    Library() {
        for (const fs::path& p : {cyrillic, latin}) {
            fs::create_directories(p.parent_path());
            WriteAll(p, {1});
        }
        WriteAll(dir / "Bibliothek" / "Akkordeon Müller" / "c 3.wav", {2});
    }
    PathSettings settings(std::string codePage) const { return {{{'D', dir.path()}}, codePage}; }
};

TEST(PathResolver, FindsWindowsPathsThroughDriveMapCodePageAndLetterCase) {
    Library lib;
    struct Case {
        std::string stored, codePage;
        std::optional<fs::path> expected;
    } cases[] = {
        {kCyrillic1251, "windows-1251", lib.cyrillic},
        {kLatin1252, "windows-1252", lib.latin},
        {kLatin1252, "", lib.latin}, // not UTF-8: read as windows-1252
        {"D:\\Bibliothek\\Akkordeon Müller\\c 3.wav", "",
         lib.dir / "Bibliothek" / "Akkordeon Müller" / "c 3.wav"},
        {lib.latin.string(), "windows-1251", lib.latin}, // a path of this machine, as it is
        {kCyrillic1251, "windows-1252", std::nullopt},   // the wrong code page
        {"E:\\Bibliothek\\Akkordeon Müller\\C 3.wav", "", std::nullopt}, // no folder for E:
        {"D:\\Bibliothek", "", std::nullopt},                            // a folder
        {"D:\\Bibliothek\\Akkordeon Müller\\D 3.wav", "", std::nullopt},
    };
    for (const Case& c : cases) {
        PathResolver files(lib.settings(c.codePage));
        EXPECT_EQ(files.find(c.stored), c.expected) << c.stored << " / " << c.codePage;
    }
    PathResolver files(lib.settings("windows-1251"));
    EXPECT_EQ(files.display(kCyrillic1251), "D:\\библиотека\\БАЯН\\ля 4.wav");
    EXPECT_EQ(files.forWriting("D:\\BIBLIOTHEK\\neu.wav"), lib.dir / "Bibliothek" / "neu.wav");
}

TEST(PathResolver, FilesUnderAMappedFolderAreStoredInWindowsFormAndFoundAgain) {
    Library lib;
    struct Case {
        fs::path file;
        std::string codePage, stored, refusedFor;
    } cases[] = {
        {lib.latin, "windows-1252", "D:\\Bibliothek\\Akkordeon M\xFCller\\C 3.wav", ""},
        {lib.latin, "", "D:\\Bibliothek\\Akkordeon M\xFCller\\C 3.wav", ""},
        {lib.cyrillic, "windows-1251",
         "D:\\\xC1\xE8\xE1\xEB\xE8\xEE\xF2\xE5\xEA\xE0\\\xC1\xE0\xFF"
         "\xED\\\xCB\xFF 4.wav",
         ""},
        {lib.cyrillic, "UTF-8", "D:\\Библиотека\\Баян\\Ля 4.wav", ""},
        {lib.cyrillic, "windows-1252", "", "\"Б\""},
        {lib.cyrillic, "", "", "\"Б\""},
        {"/elsewhere/Ля 4.wav", "windows-1251", "/elsewhere/Ля 4.wav", ""},
    };
    for (const Case& c : cases) {
        PathResolver files(lib.settings(c.codePage));
        const StoredForm form = files.store(c.file.string());
        EXPECT_EQ(form.path, c.stored) << c.file << " / " << c.codePage;
        EXPECT_EQ(form.ok(), c.refusedFor.empty());
        EXPECT_NE(form.error.find(c.refusedFor), std::string::npos); // names the character
        if (form.ok() && c.file.string().starts_with(lib.dir.path().string())) {
            EXPECT_EQ(files.find(form.path), c.file);
        }
    }
}

TEST(PathSettingsFile, KeepsDrivesAndCodePageAndNamesBadLines) {
    TempDir dir;
    const fs::path file = dir / "cfg" / "sample-paths.conf";
    std::string error;
    ASSERT_TRUE(
        WritePathSettings(file, {{{'D', "/mnt/d"}, {'E', "/media/e drive"}}, "cp1251"}, error))
        << error;
    std::vector<std::string> problems;
    PathSettings read = ReadPathSettings(file, problems);
    EXPECT_TRUE(problems.empty());
    EXPECT_EQ(read.drives, (DriveMap{{'D', "/mnt/d"}, {'E', "/media/e drive"}}));
    EXPECT_EQ(read.codePage, "cp1251");

    read.override({{{'D', "/elsewhere"}}, ""});
    EXPECT_EQ(read.drives, (DriveMap{{'D', "/elsewhere"}, {'E', "/media/e drive"}}));
    EXPECT_EQ(read.codePage, "cp1251");

    WriteAll(file, {'x', '\n'});
    ReadPathSettings(file, problems);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find(":1:"), std::string::npos);
}

} // namespace
