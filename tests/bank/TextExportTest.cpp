// The text listing of a bank. The expected files are assembled here line by line from the layout
// rules (titles, separator, numbering, names cut at the first zero byte, CR LF), independently of
// the exporter's own code.
#include "bank/TextExport.h"

#include "job/ScriptedJobServices.h"
#include "support/BankNames.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <map>

using namespace ovb;
using ovb::test::SetName;
namespace fs = std::filesystem;

namespace {

struct SectionRule {
    const char* title;
    const char* prefix; // "" or "MS"
    int digits;
    unsigned first, end, width;
};
const SectionRule kSections[] = {
    {"SCENE Names:", "", 3, 0, 1000, 32},     {"SOLO Names:", "", 3, 0, 1000, 32},
    {"ACOMP Names:", "", 3, 0, 1000, 32},     {"F.BASS Names:", "", 3, 0, 1000, 32},
    {"CHORD Names:", "", 3, 0, 1000, 32},     {"SOUND Names:", "", 4, 0, 10000, 16},
    {"Multisamples:", "MS", 4, 1, 10000, 16},
};

// (section number in kSections, record index) -> the text expected after "NNN. ".
using Overrides = std::map<std::pair<int, unsigned>, std::string>;

std::string Padded(unsigned value, int digits) {
    std::string s = std::to_string(value);
    return std::string(std::size_t(digits) - s.size(), '0') + s;
}

std::string ExpectedListing(const Overrides& overrides = {}) {
    std::string out;
    for (int s = 0; s < 7; ++s) {
        const SectionRule& rule = kSections[s];
        if (s != 0) out += "\r\n\r\n";
        out += std::string(rule.title) + "\r\n" + std::string(38, '-') + "\r\n";
        std::string empty = "- - -" + std::string(rule.width - 5, ' ');
        for (unsigned i = rule.first; i < rule.end; ++i) {
            auto it = overrides.find({s, i});
            out += rule.prefix + Padded(i, rule.digits) + ". ";
            out += (it != overrides.end() ? it->second : empty) + "\r\n";
        }
    }
    return out;
}

std::size_t Entries(const fs::path& folder) {
    return std::size_t(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(TextExport, EveryRecordHasItsLineWithTheEditedNamesInPlace) {
    as_bank bank;
    auto& r = bank.records();
    std::string full32 = "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345";
    SetName(r.scene[0].name, std::string_view("Piano\0\0junk", 11));
    SetName(r.scene[999].name, "Last scene");
    SetName(r.solo[1].name, full32);
    SetName(r.acomp[2].name, "Ballad");
    SetName(r.fbass[3].name, "Bass");
    SetName(r.chord[4].name, "Strings");
    SetName(r.sound[0].name, std::string_view("\0Hidden", 7)); // nothing before the zero
    SetName(r.sound[9999].name, "Last sound 16chr");
    r.multisample[0].name.fill('X'); // never listed
    SetName(r.multisample[1].name, "First MS");
    SetName(r.multisample[9999].name, "Final MS");

    test::TempDir dir;
    ScriptedJobServices ui;
    ASSERT_TRUE(ExportText(bank, dir / "bank.txt", ui));
    const auto bytes = test::ReadAll(dir / "bank.txt");
    const std::string text(bytes.begin(), bytes.end());
    Overrides o = {
        {{0, 0}, "Piano"},
        {{0, 999}, "Last scene" + std::string(22, ' ')},
        {{1, 1}, full32},
        {{2, 2}, "Ballad" + std::string(26, ' ')},
        {{3, 3}, "Bass" + std::string(28, ' ')},
        {{4, 4}, "Strings" + std::string(25, ' ')},
        {{5, 0}, ""},
        {{5, 9999}, "Last sound 16chr"},
        {{6, 1}, "First MS" + std::string(8, ' ')},
        {{6, 9999}, "Final MS" + std::string(8, ' ')},
    };
    EXPECT_TRUE(text == ExpectedListing(o)) << "the listing differs from the expected bytes";
    // The rules above, spelled out once.
    EXPECT_TRUE(text.starts_with("SCENE Names:\r\n--------------------------------------\r\n"
                                 "000. Piano\r\n001. - - -                           \r\n"));
    EXPECT_TRUE(ui.transcript.empty());
    EXPECT_FALSE(ui.progressShown);
    EXPECT_EQ(Entries(dir.path()), 1u);
}

TEST(TextExport, FailuresKeepTheOldFileLeaveNothingBehindAndReport) {
    test::TempDir dir;
    as_bank bank;
    ScriptedJobServices ui;
    fs::path missing = dir / "no such folder" / "bank.txt";
    EXPECT_FALSE(ExportText(bank, missing, ui));
    EXPECT_FALSE(fs::exists(missing.parent_path()));
    // A folder in the way is not replaced.
    fs::path folder = dir / "bank.txt";
    fs::create_directory(folder);
    EXPECT_FALSE(ExportText(bank, folder, ui));
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_EQ(Entries(dir.path()), 1u);

    // Two error messages, each naming the file.
    ASSERT_EQ(ui.transcript.size(), 2u);
    for (const auto& e : ui.transcript)
        EXPECT_TRUE(e.what == "message" && e.caption == "Error" &&
                    e.text.find("bank.txt") != std::string::npos)
            << e.what << " " << e.caption << ": " << e.text;
    EXPECT_FALSE(ui.progressShown);
}

} // namespace
