// The checks of path characters, doubled delimiters and multisample names on crafted banks.
#include "CheckFixture.h"

using namespace ovb;
using Lines = std::vector<std::string>;

namespace {

class TextChecks : public test::CheckFixture {};

TEST_F(TextChecks, NonLatinPathsListAccentsAndControlCharsButNotMultisample0) {
    bank.path(0, 0) = "C:\\Zero\\\xE9t\xE9.wav"; // multisample 0 is never checked
    bank.path(3, 5) = "C:\\Piano\\caf\xC3\xA9.wav";
    bank.path(3, 9) = "C:\\Piano\\plain.wav";
    bank.path(12, 63) = "C:\\Tab\there.wav";
    bank.path(40, 0) = std::string("C:\\Del\x7F.wav");
    bank.path(41, 1) = "C:\\Edge ~ and space.wav"; // 32 and 126 are valid
    EXPECT_EQ(CheckNonLatinPaths(bank, ui), 3u);
    EXPECT_EQ(Report(), (Lines{"Invalid String Found! -------------------------------------------",
                               "Sample 005 from MS0003: C:\\Piano\\caf\xC3\xA9.wav",
                               "Sample 063 from MS0012: C:\\Tab\there.wav",
                               "Sample 000 from MS0040: C:\\Del\x7F.wav"}));
    EXPECT_TRUE(ui.shown().empty());
}

TEST_F(TextChecks, DoubledDelimitersFindUncAndInnerDoublesOnly) {
    bank.path(0, 0) = "\\\\server\\zero.wav"; // multisample 0 is skipped
    bank.path(2, 1) = "\\\\server\\share\\a.wav";
    bank.path(2, 2) = "C:\\single\\b.wav";
    bank.path(7, 10) = "C:\\x\\\\y.wav";
    bank.path(8, 0) = "C:\\x\\y.wav\\"; // one backslash at the end is fine
    EXPECT_EQ(CheckDoubledDelimiters(bank, ui), 2u);
    EXPECT_EQ(Report(),
              (Lines{"Doubled Path Delimiters Found! -------------------------------------------",
                     "Sample 001 from MS0002: \\\\server\\share\\a.wav",
                     "Sample 010 from MS0007: C:\\x\\\\y.wav"}));
}

TEST_F(TextChecks, NamesWithForbiddenCharactersAreListedReadUpToZeroByteOrSixteenCharacters) {
    NameMultisample(0, "Zero?"); // never checked
    // Sixteen valid characters and no terminator: the byte after the name (the comment) holds
    // a forbidden character that must not be read as part of the name.
    std::memcpy(bank.multisample(1).name.data(), "ABCDEFGHIJKLMNOP", 16);
    bank.multisample(1).comment[0] = '?';
    // A zero byte ends the name: what follows is not examined.
    NameMultisample(2, "Ok");
    bank.multisample(2).name[2] = '\0';
    bank.multisample(2).name[3] = '*';
    NameMultisample(3, "Ok");
    bank.multisample(3).name[15] = '|'; // the sixteenth character is examined
    NameMultisample(4, "Bass/Synth");
    NameMultisample(5, "Good Name (1)");
    NameMultisample(6, "A:B");
    NameMultisample(9, "Tab\tName");
    unsigned next = 20;
    for (char bad : std::string("<>\"\\|*"))
        NameMultisample(next++, std::string("x") + bad);
    EXPECT_EQ(CheckMultisampleNames(bank, ui), 10u);
    const Lines report = Report();
    ASSERT_EQ(report.size(), 11u);
    EXPECT_EQ(report[0],
              "Invalid Multisample Name Found! -------------------------------------------");
    EXPECT_EQ(report[1], "Multisample MS0003: Ok             |");
    EXPECT_EQ(report[2], "Multisample MS0004: Bass/Synth      ");
    EXPECT_EQ(report[3], "Multisample MS0006: A:B             ");
    EXPECT_EQ(report[4], "Multisample MS0009: Tab\tName        ");
}

} // namespace
