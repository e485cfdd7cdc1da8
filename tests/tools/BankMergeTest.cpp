// The bank combinator on banks whose positions collide: B's chain scene -> acomp -> chord ->
// sound -> multisample lands on A's free positions with every link renumbered, a multisample A
// already holds is reused, A's own records stay, and a full A takes nothing.
#include "tools/BankMerge.h"
#include "job/ScriptedJobServices.h"
#include "support/BankNames.h"
#include "tools/BankDiff.h"

#include <gtest/gtest.h>

#include <memory>

using namespace ovb;
using namespace ovb::test;

namespace {

std::unique_ptr<as_bank> Copy(const as_bank& bank) {
    auto copy = std::make_unique<as_bank>();
    copy->records() = bank.records();
    for (unsigned m = 0; m < kMultisamples; ++m)
        copy->paths(m) = bank.paths(m);
    return copy;
}

// A: named records at the low positions; sound 5 and multisample 6 are unnamed but linked, so
// not free.
std::unique_ptr<as_bank> TargetBank() {
    auto a = std::make_unique<as_bank>();
    for (unsigned m = 1; m <= 5; ++m) {
        SetName(a->multisample(m).name, "A" + std::to_string(m));
        a->path(m, 0) = "D:\\A\\" + std::to_string(m) + ".wav";
    }
    SetName(a->multisample(9).name, "Shared");
    a->path(9, 3) = "D:\\Shared.wav";
    for (unsigned s = 1; s <= 4; ++s)
        SetName(a->sound(s).name, "Sound" + std::to_string(s));
    a->sound(1).zone[0].set_multisample(6);
    a->solo(1).sound1 = 5;
    for (unsigned c = 1; c <= 3; ++c)
        SetName(a->chord(c).name, "Chord" + std::to_string(c));
    SetName(a->acomp(1).name, "Acomp1");
    SetName(a->acomp(2).name, "Acomp2");
    SetName(a->scene(1).name, "Stage");
    return a;
}

// B: scene 1 -> acomp 2 (unnamed) -> chord 3 -> sound 4 -> multisamples 5 and 6 (6 equal to
// A's 9 but for where its audio lay in B's bank file).
std::unique_ptr<as_bank> SourceBank() {
    auto b = std::make_unique<as_bank>();
    SetName(b->scene(1).name, "Polka");
    b->scene(1).acomp = 2;
    b->acomp(2).chord = 3;
    SetName(b->chord(3).name, "Ch");
    b->chord(3).sound1 = 4;
    b->chord(3).sound3 = 12000; // past the sound table
    SetName(b->sound(4).name, "Pno");
    b->sound(4).zone[0].set_multisample(5);
    b->sound(4).zone[1].ms_and_flags = 2;
    b->sound(4).zone[1].set_multisample(6);
    SetName(b->multisample(5).name, "Piano");
    b->path(5, 0) = "D:\\B\\C 3.wav";
    SetName(b->multisample(6).name, "Shared");
    b->path(6, 3) = "D:\\Shared.wav";
    b->multisample(6).sample[3].set_start_sector(400000);
    SetName(b->sound(0).name, "Zero"); // record 0 stays behind
    return b;
}

TEST(BankMerge, ChainLandsOnFreePositionsWithLinksRenumbered) {
    auto a = TargetBank();
    const auto before = Copy(*a);
    const auto b = SourceBank();
    ScriptedJobServices ui;
    ASSERT_TRUE(CombineBanks(*a, *b, ui));

    EXPECT_EQ(a->scene(2).acomp, 3);
    EXPECT_EQ(a->acomp(3).chord, 4);
    EXPECT_EQ(a->chord(4).sound1, 6);
    EXPECT_EQ(a->chord(4).sound3, 0);
    EXPECT_EQ(a->sound(6).zone[0].multisample(), 7u);
    EXPECT_EQ(a->sound(6).zone[1].ms_and_flags, (9 << 2) | 2);
    EXPECT_EQ(a->paths(7), b->paths(5));
    EXPECT_EQ(a->multisample(9).sample[3].start_sector(), 0u) << "A's own record stays";

    // Nothing else changed: the five records whose links are checked above are all there is.
    EXPECT_EQ(DiffBanks(*before, *a).size(), 5u);

    ASSERT_EQ(ui.reports.size(), 1u);
    EXPECT_EQ(ui.reports[0], (std::vector<std::string>{
                                 "Records of bank B and their new numbers: 6",
                                 "scene 001 'Polka' -> 002",
                                 "acomp 002 '- - -' -> 003",
                                 "chord 003 'Ch' -> 004",
                                 "sound 0004 'Pno' -> 0006",
                                 "multisample 0005 'Piano' -> 0007",
                                 "multisample 0006 'Shared' -> 0009 (already in the bank)",
                             }));
}

TEST(BankMerge, AFullBankTakesNothingAndSaysWhatIsMissing) {
    auto a = std::make_unique<as_bank>();
    for (unsigned m = 1; m < kMultisamples; ++m)
        a->path(m, 0) = "D:\\Full\\" + std::to_string(m) + ".wav";
    for (unsigned s = 1; s < kSounds; ++s)
        SetName(a->sound(s).name, "Taken");
    const auto before = Copy(*a);
    const auto b = SourceBank();
    ScriptedJobServices ui;
    EXPECT_FALSE(CombineBanks(*a, *b, ui));
    EXPECT_EQ(ui.shown(),
              (std::vector<std::string>{"Bank Combinator: No room for bank B: 1 sound position, 2 "
                                        "multisample positions missing.\nNothing was combined."}));
    EXPECT_TRUE(DiffBanks(*before, *a).empty());
}

} // namespace
