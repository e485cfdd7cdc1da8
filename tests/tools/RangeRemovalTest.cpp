// Removing ranges of multisamples and sounds: the end of the range stays, nothing else changes.
#include "tools/RangeRemoval.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

using namespace ovb;

namespace {

class RangeRemoval : public ::testing::Test {
  protected:
    std::unique_ptr<as_bank> owner = std::make_unique<as_bank>();
    as_bank& bank = *owner;

    void Fill(unsigned m) {
        bank.multisample(m).name[0] = 'M';
        bank.multisample(m).sample[3].length_sectors = 9;
        bank.path(m, 3) = "D:\\x.wav";
    }
    bool Removed(unsigned m) const {
        const as_multisample fresh = NewMultisample();
        if (std::memcmp(&bank.multisample(m), &fresh, sizeof fresh) != 0) return false;
        for (const auto& p : bank.paths(m))
            if (p != kEmptyPath) return false;
        return true;
    }
};

// The plain range and its dialog are covered by the maintenance command tests; here the edges.
TEST_F(RangeRemoval, EmptyBackwardsAndTooLongRangesAndSoundsResetToNew) {
    for (unsigned m = 5; m <= 7; ++m)
        Fill(m);
    bank.sound(0).zone[0].set_multisample(6);
    RemoveMultisampleRange(bank, 6, 6);
    RemoveMultisampleRange(bank, 9, 3); // backwards: nothing
    for (unsigned m = 5; m <= 7; ++m)
        EXPECT_FALSE(Removed(m)) << m;
    RemoveMultisampleRange(bank, 6, 20000); // beyond the table: up to its end
    EXPECT_TRUE(Removed(6) && Removed(7));
    EXPECT_FALSE(Removed(5));
    EXPECT_EQ(bank.sound(0).zone[0].multisample(), 6u); // references keep their numbers

    for (unsigned s = 9997; s < kSounds; ++s)
        bank.sound(s).zone[2].set_multisample(12);
    bank.solo(0).sound1 = 9998;
    RemoveSoundRange(bank, 9997, 9999);
    const as_sound fresh = NewSound();
    EXPECT_EQ(std::memcmp(&bank.sound(9998), &fresh, sizeof fresh), 0);
    EXPECT_EQ(bank.sound(9999).zone[2].multisample(), 12u);
    EXPECT_EQ(bank.solo(0).sound1, 9998);
}

} // namespace
