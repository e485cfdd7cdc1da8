// Unused multisamples, their removal and the where-used list on crafted banks, and the unused
// report compared with a direct scan of every sound for each multisample.
#include "CheckFixture.h"

#include "base/Formatting.h"

#include <random>

using namespace ovb;
using Lines = std::vector<std::string>;

namespace {

class UsageChecks : public test::CheckFixture {
  protected:
    // Multisamples 1..4 have samples; 2 is played by a late zone of the last sound, 3 by no one,
    // 4 by no one, 5 is unused and empty, multisample 0 is never a candidate.
    void Populate() {
        for (unsigned m : {0u, 1u, 2u, 3u, 4u})
            bank.path(m, 7) = "C:\\S\\" + std::to_string(m) + ".wav";
        NameMultisample(3, "Strings");
        NameMultisample(4, "Choir");
        NameMultisample(5, "Empty named");
        Play(0, 0, 1);
        Play(kSounds - 1, kZones - 1, 2);
    }
};

TEST_F(UsageChecks, RemovalAsksThenClearsEveryUnusedOne) {
    Populate();
    ui.answers = {Answer::No};
    EXPECT_EQ(RemoveUnusedMultisamples(bank, ui), 0u);
    EXPECT_EQ(ui.progressShows, 0);
    EXPECT_EQ(bank.path(3, 7), "C:\\S\\3.wav");
    EXPECT_EQ(ui.transcript.size(), 1u) << "No changes nothing and reports nothing";
    ui.transcript.clear();

    ui.answers = {Answer::Yes};
    EXPECT_EQ(RemoveUnusedMultisamples(bank, ui), 2u);
    EXPECT_EQ(ui.shown(), (Lines{"Remove UNUSED Multisamples: Are You Sure ?"}));
    EXPECT_EQ(Report(), (Lines{"Removed multisamples: 2", "", "MS0003  Strings         ",
                               "MS0004  Choir           "}));
    const as_multisample empty = NewMultisample();
    for (unsigned m : {3u, 4u, 5u}) {
        EXPECT_EQ(std::memcmp(&bank.multisample(m), &empty, sizeof empty), 0) << m;
        for (const auto& p : bank.paths(m))
            EXPECT_TRUE(IsEmptyPath(p)) << m;
    }
    for (unsigned m : {0u, 1u, 2u})
        EXPECT_EQ(bank.path(m, 7), "C:\\S\\" + std::to_string(m) + ".wav");

    // Only empty unused ones left: cleared all the same, but nothing to report.
    NameMultisample(8, "Leftover");
    bank.multisample(8).sample[3].length_sectors = 9;
    ui.answers = {Answer::Yes};
    EXPECT_EQ(RemoveUnusedMultisamples(bank, ui), 0u);
    EXPECT_TRUE(ui.showed("Remove UNUSED Multisamples...", "No UNUSED multisamples found!"));
    EXPECT_EQ(std::memcmp(&bank.multisample(8), &empty, sizeof empty), 0);
}

TEST_F(UsageChecks, WhereUsedListsEachSoundOnce) {
    NameSound(4, "Piano");
    NameSound(900, "Layered");
    Play(4, 0, 12);
    Play(900, 2, 12);
    Play(900, 19, 12); // a second zone of the same sound adds no line
    Play(901, 0, 13);
    ShowWhereMultisampleIsUsed(bank, 12, ui);
    EXPECT_EQ(Report(), (Lines{"Multisample [0012] is used in 2 sounds:",
                               "Sound: 0004: Piano           ", "Sound: 0900: Layered         "}));
    ShowWhereMultisampleIsUsed(bank, 14, ui);
    EXPECT_EQ(ui.shown(), (Lines{"Info: This multisample is not used in any sound!"}));
}

// The unused check as the scan of every sound for each multisample, on a bank whose sounds play
// only a few hundred multisamples so that the direct scan stays quick. Only multisamples with
// samples are scanned for: the others give no line either way.
Lines DirectUnusedReport(const as_bank& bank) {
    Lines lines;
    for (unsigned m = 1; m < kMultisamples; ++m) {
        bool samples = false;
        for (unsigned k = 0; k < kSamplesPerMultisample; ++k)
            if (!IsEmptyPath(bank.path(m, k))) samples = true;
        if (!samples) continue;
        bool used = false;
        for (unsigned s = 0; s < kSounds; ++s)
            for (unsigned z = 0; z < kZones; ++z)
                if (((bank.sound(s).zone[z].ms_and_flags >> 2) & 0x3FFF) == m) used = true;
        if (!used)
            lines.push_back(Format("MS%04u  %s", m, NameString(bank.multisample(m).name).c_str()));
    }
    if (!lines.empty()) {
        lines.insert(lines.begin(), "");
        lines.insert(lines.begin(), Format("Unused multisamples: %u", unsigned(lines.size() - 1)));
    }
    return lines;
}

TEST_F(UsageChecks, IndexedUnusedReportEqualsDirectScan) {
    std::mt19937 rng(6);
    for (unsigned m = 1; m < 400; ++m) {
        if (rng() % 3 == 0) bank.path(m, rng() % 64) = "C:\\x" + std::to_string(m) + ".wav";
        NameMultisample(m, "M" + std::to_string(rng() % 1000));
    }
    bank.path(9999, 63) = "C:\\last.wav"; // the last number, unused
    for (unsigned s = 0; s < kSounds; s += 37)
        Play(s, rng() % kZones, rng() % 400);
    bank.sound(5).zone[1].ms_and_flags = 0xFFFF; // 16383: beyond the table, refers to nothing
    const Lines direct = DirectUnusedReport(bank);
    ASSERT_GT(direct.size(), 10u);
    EXPECT_EQ(CheckUnusedMultisamples(bank, ui), direct.size() - 2);
    EXPECT_EQ(Report(), direct);
}

} // namespace
