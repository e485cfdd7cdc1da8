// The search behind the search assistant: what is found, how each result names its record, and
// what is never listed.
#include "tools/BankSearch.h"
#include "support/BankNames.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace ovb;
using ovb::test::SetName;

namespace {

using Lines = std::vector<std::string>;

class BankSearch : public ::testing::Test {
  protected:
    BankSearch() {
        SetName(bank.scene(0).name, "Grand Piano Scene");
        SetName(bank.scene(999).name, "Folk PIANO duo");
        SetName(bank.scene(5).name, "Organ");
        SetName(bank.sound(0).name, "piano soft");
        SetName(bank.sound(9999).name, "E.Piano");
        SetName(bank.sound(42).name, "Strings");
        SetName(bank.multisample(1).name, "Piano C");
        SetName(bank.multisample(9999).name, "Bass");
        SetName(bank.multisample(0).name, "Piano hidden"); // 0 means "no multisample"
        bank.path(9999, 3) = "D:\\Lib\\Piano\\C 3.wav";
        bank.path(9999, 4) = "D:\\Lib\\Piano\\D 3.wav";
        bank.path(20, 0) = "D:\\Lib\\Grand piano\\C 1.wav"; // a nameless multisample
        bank.path(0, 0) = "D:\\Lib\\Piano\\hidden.wav";
    }
    as_bank bank;
};

} // namespace

TEST_F(BankSearch, FindsEveryKindByAnyPartOfItsNameIgnoringCase) {
    SearchResults r = SearchBank(bank, "pIaNo", SearchOptions{});
    EXPECT_EQ(r.presets, (Lines{"0000 Grand Piano Scene", "0999 Folk PIANO duo"}));
    EXPECT_EQ(r.sounds, (Lines{"0000 piano soft", "9999 E.Piano"}));
    EXPECT_EQ(r.multisamples, (Lines{"0001 Piano C"}));
    EXPECT_TRUE(r.paths.empty()) << "paths are searched only on request";

    EXPECT_EQ(SearchBank(bank, "rings", SearchOptions{}).sounds, (Lines{"0042 Strings"}));
    EXPECT_EQ(SearchBank(bank, "Piano Scene ", SearchOptions{}).presets, Lines{})
        << "the padding after a name is not part of it";

    // A name ends at its first zero byte.
    SetName(bank.sound(7).name, "Flute");
    bank.sound(7).name[5] = '\0';
    bank.sound(7).name[6] = 'X'; // left over from a longer name
    EXPECT_EQ(SearchBank(bank, "flute", {}).sounds, (Lines{"0007 Flute"}));
    EXPECT_TRUE(SearchBank(bank, "X", {}).sounds.empty());
}

TEST_F(BankSearch, EmptyRecordsAndEmptyTextFindNothing) {
    // Every unused record is named "- - -" and every unused slot holds "- - -"; a name cleared in
    // a list holds "- - -" and zero bytes.
    SetName(bank.sound(3).name, "- - -", '\0');
    for (const char* text : {"-", ""}) {
        SearchResults r = SearchBank(bank, text, {.filePaths = true});
        EXPECT_TRUE(r.presets.empty() && r.sounds.empty() && r.multisamples.empty() &&
                    r.paths.empty())
            << '"' << text << '"';
    }
}

TEST_F(BankSearch, PathHitsListTheFilesAndTheirMultisamplesOnce) {
    SearchResults r =
        SearchBank(bank, "\\piano\\",
                   {.presets = false, .sounds = false, .multisamples = false, .filePaths = true});
    EXPECT_EQ(r.paths, (Lines{"9999 D:\\Lib\\Piano\\C 3.wav", "9999 D:\\Lib\\Piano\\D 3.wav"}));
    EXPECT_TRUE(r.multisamples.empty()) << "multisamples were not searched";

    SearchResults both = SearchBank(bank, "piano", {.filePaths = true});
    EXPECT_EQ(both.multisamples, (Lines{"0001 Piano C", "0020 - - -", "9999 Bass"}));
    EXPECT_EQ(both.paths.size(), 3u);
}

TEST(ContainsIgnoringCase, FoldsOnlyAsciiLetters) {
    EXPECT_TRUE(ContainsIgnoringCase("ACCORDION", "cord"));
    EXPECT_FALSE(ContainsIgnoringCase("[", "{")) << "'[' and '{' differ by the case bit only";
    EXPECT_TRUE(ContainsIgnoringCase("Caf\xE9", "CAF\xE9"));
    EXPECT_FALSE(ContainsIgnoringCase("Caf\xE9", "caf\xC9"));
}
