// Sound records moved, swapped and copied by a row drag, the zone shortcuts, the size query and
// removal, checked on a real bank.
#include "tools/SoundOps.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

using namespace ovb;

namespace {

class SoundOps : public ::testing::Test {
  protected:
    std::unique_ptr<as_bank> owner = std::make_unique<as_bank>();
    as_bank& bank = *owner;

    // Every sound carries its own index in its name and osc byte, so its travels can be traced.
    void Label(unsigned from, unsigned to) {
        for (unsigned i = from; i <= to; ++i) {
            bank.sound(i).name = EmptyName<16>();
            std::memcpy(bank.sound(i).name.data(), ("S" + std::to_string(i)).c_str(), 3);
            bank.sound(i).osc_mode = std::uint8_t(i);
        }
    }
    unsigned Origin(unsigned i) const { return bank.sound(i).osc_mode; }
};

TEST_F(SoundOps, MovingShiftsTheOnesBetweenTowardsTheOldPlace) {
    bank.solo(3).sound1 = 5;
    for (auto [from, to, order] :
         {std::tuple{5u, 1u, std::vector<unsigned>{0, 5, 1, 2, 3, 4, 6, 7}},
          std::tuple{1u, 5u, std::vector<unsigned>{0, 2, 3, 4, 5, 1, 6, 7}}}) {
        Label(0, 7);
        MoveSound(bank, from, to);
        for (unsigned i = 0; i < 8; ++i)
            EXPECT_EQ(Origin(i), order[i]) << from << "->" << to << ", record " << i;
    }
    EXPECT_EQ(bank.solo(3).sound1, 5); // set-ups keep their indices
}

TEST_F(SoundOps, MovesReachBothEndsOfTheTable) {
    bank.sound(0).osc_mode = 11;
    bank.sound(kSounds - 1).osc_mode = 22;
    bank.sound(1).osc_mode = 33;
    MoveSound(bank, 0, kSounds - 1);
    EXPECT_EQ(bank.sound(kSounds - 1).osc_mode, 11);
    EXPECT_EQ(bank.sound(kSounds - 2).osc_mode, 22);
    EXPECT_EQ(bank.sound(0).osc_mode, 33);
    MoveSound(bank, kSounds - 1, 0);
    EXPECT_EQ(bank.sound(0).osc_mode, 11);
    EXPECT_EQ(bank.sound(1).osc_mode, 33);
}

TEST_F(SoundOps, SwapCopyCancelAndMoveOntoItself) {
    Label(0, 4);
    ApplyRowOperation(bank, RowOperation::Move, 2, 2);
    ApplyRowOperation(bank, RowOperation::Cancel, 1, 3);
    for (unsigned i = 0; i < 5; ++i)
        EXPECT_EQ(Origin(i), i);

    ApplyRowOperation(bank, RowOperation::Swap, 1, 3);
    EXPECT_EQ(Origin(1), 3u);
    EXPECT_EQ(Origin(3), 1u);
    EXPECT_EQ(Origin(2), 2u);

    ApplyRowOperation(bank, RowOperation::Copy, 4, 0);
    EXPECT_EQ(0, std::memcmp(&bank.sound(0), &bank.sound(4), sizeof(as_sound)));
    EXPECT_EQ(Origin(4), 4u);
}

TEST_F(SoundOps, RowAndSizeTextsNameIndexAndName) {
    EXPECT_EQ(SoundRowText(bank, 42), "[0042] - - - -           ");
    EXPECT_EQ(SoundSizeText(bank, 0), "Size of sound 0000 [- - -           ] is 0 bytes.");
    bank.sound(7).name = {'S', 't', 'r', 'i', 'n', 'g', 's'}; // rest zero
    EXPECT_EQ(SoundRowText(bank, 7), "[0007] - Strings");
}

TEST_F(SoundOps, ZoneLabelTakesTheNextMultisampleKeepingTheFlagBits) {
    as_sound& s = bank.sound(3);
    s.zone[4].ms_and_flags = (7 << 2) | 1;
    s.zone[5].ms_and_flags = (100 << 2) | 2;
    EXPECT_TRUE(TakeNextMultisample(bank, 3, 5));
    EXPECT_EQ(s.zone[5].ms_and_flags, (8 << 2) | 2);
    EXPECT_EQ(s.zone[4].ms_and_flags, (7 << 2) | 1);
    s.zone[8].ms_and_flags = (9998 << 2);
    EXPECT_TRUE(TakeNextMultisample(bank, 3, 9));
    EXPECT_EQ(s.zone[9].multisample(), 9999u);

    // Nothing changes after an empty zone, the last multisample or one beyond the table.
    s.zone[1].ms_and_flags = (55 << 2) | 3;
    for (std::uint16_t before :
         {std::uint16_t(3), std::uint16_t(9999 << 2), std::uint16_t(0xFFFF)}) {
        s.zone[0].ms_and_flags = before;
        EXPECT_FALSE(TakeNextMultisample(bank, 3, 1)) << before;
    }
    EXPECT_EQ(s.zone[1].ms_and_flags, (55 << 2) | 3);
    // Zone 1 has no zone before it; there is no zone 21.
    EXPECT_FALSE(TakeNextMultisample(bank, 3, 0));
    EXPECT_FALSE(TakeNextMultisample(bank, 3, kZones));
}

TEST_F(SoundOps, CopyZone1NameTakesAll16BytesOfAListedMultisampleName) {
    Name<16> msName{};
    std::memcpy(msName.data(), "Grand Pno", 9); // zero padded, as an edited name is
    bank.multisample(12).name = msName;
    bank.sound(2).zone[1].set_multisample(12); // zone 2 is not looked at
    for (std::uint16_t zone1 : {std::uint16_t(3), std::uint16_t(0xFFFC)}) { // none, 16383
        bank.sound(2).zone[0].ms_and_flags = zone1;
        EXPECT_FALSE(CopyZone1NameToSound(bank, 2));
    }
    EXPECT_EQ(bank.sound(2).name, EmptyName<16>());
    bank.sound(2).zone[0].ms_and_flags = (12 << 2) | 1;
    EXPECT_TRUE(CopyZone1NameToSound(bank, 2));
    EXPECT_EQ(bank.sound(2).name, msName);
}

TEST_F(SoundOps, AudioSizeCountsEachMultisampleOnce) {
    bank.multisample(3).sample[0].length_sectors = 10;
    bank.multisample(3).sample[63].length_sectors = 65535;
    bank.multisample(4).sample[5].length_sectors = 1;
    bank.multisample(5).sample[0].length_sectors = 1000; // not played by the sound
    as_sound& s = bank.sound(9);
    s.zone[0].set_multisample(3);
    s.zone[1].set_multisample(4);
    s.zone[7].set_multisample(3);
    s.zone[19].ms_and_flags = 0xFFFF; // beyond the table: no audio
    EXPECT_EQ(SoundAudioBytes(bank, 9), (10u + 65535u + 1u) * 512ull);
    EXPECT_EQ(SoundAudioBytes(bank, 8), 0u);
}

TEST(ZoneTexts, TransposeIsSignedAroundSixtyFourAndVelocityStopsAtItsEnds) {
    EXPECT_EQ(TransposeText(64), "+0");
    EXPECT_EQ(TransposeText(0), "-64");
    EXPECT_EQ(TransposeText(127), "+63");
    as_zone z = NewZone();
    z.velocity_high = 127;
    StepVelocityLimit(z, true);
    EXPECT_EQ(z.velocity_high, 127);
    StepVelocityLimit(z, false);
    EXPECT_EQ(z.velocity_high, 126);
    z.velocity_high = 0;
    StepVelocityLimit(z, false);
    EXPECT_EQ(z.velocity_high, 0);
}

} // namespace
