// Copying sounds from a second bank into the edited bank, with both banks loaded from files the
// program wrote: multisamples reused by name, copied once, placed by the three rules, and the
// step-down copies stopping before the end of the sound table.
#include "tools/SoundManager.h"

#include "bank/BankFileWriter.h"
#include "bank/BankFiles.h"
#include "bank/ScriptFile.h"
#include "job/MemoryStore.h"
#include "job/ScriptedJobServices.h"
#include "support/BankNames.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <memory>
#include <string>

using namespace ovb;
using namespace ovb::test;

namespace {

// The manager bank: "Piano" (5), "Strings" (9), "Organ" (20) and an unnamed multisample (30)
// with real WAV files; sound 100 plays Piano, Strings, Piano again and Organ, sound 106 the
// unnamed one in two zones.
void MakeManagerBank(as_bank& bank, const TempDir& dir) {
    WriteWav(dir / "piano.wav", true, 2000, 1);
    WriteWav(dir / "strings.wav", false, 3000, 2);
    WriteWav(dir / "organ.wav", false, 1000, 3);
    SetName(bank.multisample(5).name, "Piano");
    std::memcpy(bank.multisample(5).comment.data(), "grand", 5);
    bank.path(5, 0) = (dir / "piano.wav").string();
    bank.path(5, 12) = (dir / "organ.wav").string();
    SetName(bank.multisample(9).name, "Strings");
    bank.path(9, 3) = (dir / "strings.wav").string();
    SetName(bank.multisample(20).name, "Organ");
    bank.path(20, 0) = (dir / "organ.wav").string();
    bank.path(30, 7) = (dir / "strings.wav").string(); // no name of its own

    as_sound& s = bank.sound(100);
    SetName(s.name, "PianoStrings");
    s.category = 0x5;
    s.osc_mode = 3;
    s.params_b[100] = 77;
    s.zone[0].set_multisample(5);
    s.zone[1].set_multisample(9);
    s.zone[2].set_multisample(5);
    s.zone[3].ms_and_flags = 3; // the 2-bit field set, multisample 0 so far
    s.zone[3].set_multisample(20);
    s.zone[3].volume = 99;
    bank.sound(106).zone[0].set_multisample(30);
    bank.sound(106).zone[1].set_multisample(30);
}

// The edited bank: positions 1, 2, 4, 7 and 50 are used, 3 is empty. Its "Strings" has other
// files than the manager's.
void MakeEditedBank(as_bank& bank) {
    const char* names[] = {"Strings", "Bass", "Lead", "Pad", "Choir"};
    const unsigned used[] = {1, 2, 4, 7, 50};
    for (unsigned i = 0; i < 5; ++i) {
        SetName(bank.multisample(used[i]).name, names[i]);
        bank.path(used[i], 0) = std::string("D:\\Lib\\") + names[i] + ".wav";
    }
    SetName(bank.sound(10).name, "Old sound");
}

class SoundManagerCopy : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dir = new TempDir;
        files = new MemoryStore;
        ScriptedJobServices ui;
        auto manager = std::make_unique<as_bank>();
        MakeManagerBank(*manager, *dir);
        ASSERT_TRUE(CreateBankFile(*manager, *dir / "manager.ovb", ui, {*files}));
        auto edited = std::make_unique<as_bank>();
        MakeEditedBank(*edited);
        ASSERT_TRUE(SaveScript(*edited, *dir / "edited.ovs", ui, true, *files));
    }
    static void TearDownTestSuite() {
        delete files;
        delete dir;
    }

    void SetUp() override {
        ASSERT_TRUE(LoadBankOrScript(manager, *dir / "manager.ovb", loading, *files));
        ASSERT_TRUE(LoadBankOrScript(edited, *dir / "edited.ovs", loading, *files));
    }

    SoundCopier Copier(Placement placement, unsigned currentMultisample = 1) {
        return SoundCopier(edited, manager, placement, currentMultisample, ui);
    }
    unsigned ZoneMs(unsigned sound, unsigned zone) const {
        return edited.sound(sound).zone[zone].multisample();
    }
    // Edited position k holds the manager's multisample s: record and paths alike.
    // The record comes along but for where its audio lay in the manager bank's file: the
    // edited bank's file holds other audio there.
    void ExpectCopied(unsigned k, unsigned s) const {
        const as_multisample& copy = edited.multisample(k);
        const as_multisample& source = manager.multisample(s);
        EXPECT_EQ(std::memcmp(&copy, &source, offsetof(as_multisample, sample)), 0)
            << "position " << k;
        for (unsigned slot = 0; slot < kSamplesPerMultisample; ++slot) {
            const as_sample_V1& sample = copy.sample[slot];
            EXPECT_EQ(std::memcmp(sample.params, source.sample[slot].params, sizeof sample.params),
                      0);
            EXPECT_EQ(sample.placement, 0u) << "position " << k << " slot " << slot;
            EXPECT_EQ(sample.length_sectors, 0u) << "position " << k << " slot " << slot;
        }
        EXPECT_EQ(edited.paths(k), manager.paths(s)) << "position " << k;
    }

    static inline TempDir* dir = nullptr;
    static inline MemoryStore* files = nullptr;
    ScriptedJobServices loading, ui;
    as_bank manager, edited;
};

} // namespace

TEST_F(SoundManagerCopy, ReusesByNameAndCopiesTheOthersToTheFirstEmptyPositions) {
    const SamplePathList editedStrings = edited.paths(1);
    auto copier = Copier(Placement::FirstEmpty);
    copier.copy(100, 10);

    EXPECT_EQ(ZoneMs(10, 1), 1u) << "Strings exists by name; its paths are not compared";
    EXPECT_EQ(edited.paths(1), editedStrings);
    EXPECT_EQ(ZoneMs(10, 0), 3u) << "Piano goes to the first empty position";
    EXPECT_EQ(ZoneMs(10, 2), 3u) << "the second Piano zone finds the copy by name";
    EXPECT_EQ(ZoneMs(10, 3), 5u) << "Organ goes to the next empty one";
    ExpectCopied(3, 5);
    ExpectCopied(5, 20);
    EXPECT_NE(manager.multisample(5).sample[0].start_sector(), 0u)
        << "the manager bank's records place their audio in its file";
    EXPECT_EQ(copier.multisamplesCopied(), 2u);
    EXPECT_TRUE(ui.transcript.empty());

    // Everything else of the sound is the manager's, the zones' 2-bit field included.
    const as_sound& copy = edited.sound(10);
    const as_sound& source = manager.sound(100);
    EXPECT_EQ(std::memcmp(&copy, &source, offsetof(as_sound, zone)), 0) << "name to params_a";
    EXPECT_EQ(copy.params_b[100], 77);
    EXPECT_EQ(copy.zone[3].ms_and_flags & 3, 3);
    EXPECT_EQ(copy.zone[3].volume, 99);
    for (unsigned z = 4; z < kZones; ++z)
        EXPECT_EQ(copy.zone[z].ms_and_flags, source.zone[z].ms_and_flags) << "zone " << z;
}

// No place for a copy: the zone plays nothing rather than naming a position outside the table.
TEST_F(SoundManagerCopy, AZoneWithoutPlaceGetsNoMultisampleAndEachSuchZoneIsTold) {
    Copier(Placement::FromCurrent, 9999).copy(100, 10);
    EXPECT_EQ(ZoneMs(10, 0), 0u);
    EXPECT_EQ(ZoneMs(10, 2), 0u);
    EXPECT_EQ(ZoneMs(10, 3), 0u);
    EXPECT_EQ(ZoneMs(10, 1), 1u) << "reuse by name needs no place";
    EXPECT_EQ(edited.sound(10).zone[3].ms_and_flags & 3, 3) << "the 2-bit field stays";
    EXPECT_EQ(ui.shown(), std::vector<std::string>(3, "Error: No free multisample in main bank!"))
        << "once per zone that needed a copy";
}

TEST_F(SoundManagerCopy, ZoneValuesBeyondTheTableAndUnnamedMultisamples) {
    manager.sound(106).zone[5].ms_and_flags = 0xFFFF; // multisample 16383 does not exist
    auto copier = Copier(Placement::FirstEmpty);
    copier.copy(106, 10);
    EXPECT_EQ(edited.sound(10).zone[5].ms_and_flags, 3) << "no multisample, 2-bit field kept";
    // Position 3 is unnamed too, but holds nothing: the unnamed multisample is copied, once for
    // both of its zones.
    EXPECT_EQ(ZoneMs(10, 0), 3u);
    EXPECT_EQ(ZoneMs(10, 1), 3u);
    ExpectCopied(3, 30);
    EXPECT_EQ(copier.multisamplesCopied(), 1u);
    EXPECT_TRUE(ui.transcript.empty());
}

TEST_F(SoundManagerCopy, StepDownRefusesOnTheLastTwoSoundPositions) {
    auto copier = Copier(Placement::FirstEmpty);
    const as_sound before = edited.sound(kSounds - 2);
    for (SoundPair at : {SoundPair{kSounds - 2, 100}, SoundPair{100, kSounds - 1},
                         SoundPair{kSounds - 1, kSounds - 2}}) {
        ui.transcript.clear();
        SoundPair current = at;
        EXPECT_FALSE(CopyAndStepDown(copier, current, ui));
        EXPECT_EQ(current, at);
        EXPECT_EQ(ui.shown(), std::vector<std::string>{
                                  "Sound Manager: Not possible!\nThis is last sound position!"});
    }
    EXPECT_EQ(std::memcmp(&edited.sound(kSounds - 2), &before, sizeof(as_sound)), 0);
    EXPECT_EQ(copier.multisamplesCopied(), 0u);
    // The step from the position before them, and the steps that move both sounds on, are the
    // sound manager page's One Down and X Down tests.
}
