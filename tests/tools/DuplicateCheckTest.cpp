// Duplicated sample paths across multisamples, and the indexed report compared with the pairwise
// comparison of every path with every path of every later multisample.
#include "CheckFixture.h"

#include "base/Formatting.h"

#include <random>

using namespace ovb;
using Lines = std::vector<std::string>;

namespace {

class DuplicateCheck : public test::CheckFixture {
  protected:
    unsigned Run() {
        ui.answers = {Answer::Yes};
        return CheckDuplicatedSamples(bank, ui);
    }
};

Lines Pair(unsigned i, unsigned a, unsigned j, unsigned b, const std::string& path) {
    return {"Dublicate Found! -------------------------------------------",
            Format("Sample %03u from MS%04u: %s", i, a, path.c_str()), "",
            Format("Sample %03u from MS%04u: %s", j, b, path.c_str()), ""};
}

TEST_F(DuplicateCheck, SameFileInTwoMultisamplesIsOnePairInsideOneIsNone) {
    const std::string piano = "C:\\Piano\\C3.wav";
    bank.path(5, 2) = piano;
    bank.path(9, 40) = piano;
    bank.path(6, 0) = bank.path(6, 1) = "C:\\Twice\\inside.wav";
    bank.path(0, 0) = piano;                // multisample 0 is not compared
    bank.path(7, 0) = "c:\\piano\\c3.wav";  // case matters
    bank.path(8, 0) = "C:\\Piano\\C3.wav "; // whole strings are compared
    ui.answers = {Answer::No};
    EXPECT_EQ(CheckDuplicatedSamples(bank, ui), 0u) << "not confirmed: nothing checked";
    EXPECT_EQ(ui.transcript.size(), 1u);
    EXPECT_EQ(ui.progressShows, 0);
    ui.transcript.clear();

    EXPECT_EQ(Run(), 1u);
    EXPECT_EQ(ui.shown(), (Lines{"Checking for DUPLICATED samples!: WARNING!!!\nFunction with "
                                 "Long Time Execution!\n\nAre You Sure to continue?"}));
    EXPECT_EQ(Report(), Pair(2, 5, 40, 9, piano));
    EXPECT_EQ(ui.progressDetail, "Checking Multisample: MS0009");
    EXPECT_EQ(ui.progressPercent, 100u);
}

// The check as the pairwise comparison it stands for.
Lines DirectDuplicateReport(const as_bank& bank, unsigned& count) {
    Lines lines;
    count = 0;
    // The flag table of multisamples with samples, filled before the comparison.
    std::vector<bool> withSamples(kMultisamples, false);
    for (unsigned m = 1; m < kMultisamples; ++m)
        for (unsigned k = 0; k < kSamplesPerMultisample; ++k)
            if (!IsEmptyPath(bank.path(m, k))) withSamples[m] = true;
    for (unsigned a = 1; a < kMultisamples; ++a) {
        if (!withSamples[a]) continue;
        for (unsigned i = 0; i < kSamplesPerMultisample; ++i) {
            if (IsEmptyPath(bank.path(a, i))) continue;
            for (unsigned b = a + 1; b < kMultisamples; ++b) {
                if (!withSamples[b]) continue;
                for (unsigned j = 0; j < kSamplesPerMultisample; ++j) {
                    if (IsEmptyPath(bank.path(b, j)) || bank.path(b, j) != bank.path(a, i))
                        continue;
                    ++count;
                    const Lines pair = Pair(i, a, j, b, bank.path(a, i));
                    lines.insert(lines.end(), pair.begin(), pair.end());
                }
            }
        }
    }
    return lines;
}

TEST_F(DuplicateCheck, IndexedReportEqualsPairwiseComparison) {
    std::mt19937 rng(8);
    // Few distinct names over spread-out multisamples: many pairs, repeats inside multisamples,
    // and multisample 0 holding the same files.
    for (unsigned n = 0; n < 150; ++n) {
        const unsigned m = n == 0 ? 0 : rng() % kMultisamples;
        for (unsigned k = 0; k < 6; ++k)
            bank.path(m, rng() % 64) = "C:\\F" + std::to_string(rng() % 60) + ".wav";
    }
    unsigned directCount = 0;
    const Lines direct = DirectDuplicateReport(bank, directCount);
    ASSERT_GT(directCount, 50u);
    EXPECT_EQ(Run(), directCount);
    EXPECT_EQ(Report(), direct);
}

} // namespace
