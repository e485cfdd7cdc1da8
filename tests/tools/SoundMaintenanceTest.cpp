// Sound maintenance on a bank in memory: the Stereo group repaired from real WAV files, the
// lists by group word, where a sound is used, and the reset of sounds named as empty.
#include "tools/SoundMaintenance.h"
#include "CheckFixture.h"
#include "support/TestFiles.h"

using namespace ovb;
using namespace ovb::test;

namespace {

class SoundMaintenance : public CheckFixture {
  protected:
    TempDir dir;
    std::string mono = (dir / "mono.wav").string(), stereo = (dir / "stereo.wav").string();
    void SetUp() override {
        WriteWav(mono, false, 512);
        WriteWav(stereo, true, 512);
        WriteAll(dir / "broken.wav", {'R', 'I', 'F', 'F'});
    }
    std::uint32_t& Groups(unsigned s) { return bank.sound(s).category; }
    // A new question for the same bank.
    void Fresh() {
        ui.transcript.clear();
        ui.reports.clear();
    }
    // Names as reports print them: 16 characters, blank padded.
    const std::string empty = "- - -" + std::string(11, ' ');
    static std::string Padded(const std::string& text) {
        return text + std::string(16 - text.size(), ' ');
    }
};

TEST_F(SoundMaintenance, StereoGroupFollowsTheFilesTheSoundPlaysOnceConfirmed) {
    bank.path(1, 0) = mono;
    bank.path(2, 5) = mono;
    bank.path(2, 9) = stereo; // a stereo file after a mono one in the same multisample
    bank.path(3, 0) = (dir / "gone.wav").string();
    bank.path(4, 0) = (dir / "broken.wav").string();
    bank.path(5, 0) = stereo;

    Play(10, 0, 1);
    Play(10, 3, 2);   // 10: stereo through its fourth zone, flag clear
    Groups(10) = 0x3; // other groups stay as they are
    Play(11, 0, 1);   // 11: mono only, wrongly flagged
    Groups(11) = kStereoGroup | 0x8;
    Play(12, 0, 3); // 12: its only stereo file is missing
    Groups(12) = kStereoGroup;
    Groups(13) = kStereoGroup; // 13: no zones at all
    Play(14, 0, 4);            // 14: a file that is not an accepted WAV
    Groups(14) = kStereoGroup;
    Play(15, 0, 5); // 15: right already
    Groups(15) = kStereoGroup;
    Play(16, 0, 0); // 16: zones name only multisample 0, which is never read
    bank.path(0, 0) = stereo;
    NameSound(10, "Accordion");

    // The repair asks first; No changes nothing.
    ui.answers = {Answer::No};
    EXPECT_EQ(FixStereoGroups(bank, ui), 0u);
    EXPECT_EQ(Groups(13), kStereoGroup);
    EXPECT_EQ(ui.shown(), (std::vector<std::string>{
                              "Automatic fix SOUNDS Stereo Group Assignment!!!: WARNING!!!\n"
                              "Function with Long Time Execution!\n\nAre You Sure to continue?"}));
    Fresh();

    ui.answers = {Answer::Yes};
    EXPECT_EQ(FixStereoGroups(bank, ui), 5u);
    const std::pair<unsigned, std::uint32_t> after[] = {
        {10, kStereoGroup | 0x3}, {11, 0x8}, {12, 0}, {13, 0}, {14, 0},
        {15, kStereoGroup},       {16, 0}};
    for (const auto& [sound, groups] : after)
        EXPECT_EQ(Groups(sound), groups) << "sound " << sound;
    const auto report = Report();
    ASSERT_EQ(report.size(), 6u);
    EXPECT_EQ(report[0], "Stereo GROUP assignemnt is updated for 0005 sounds:");
    EXPECT_EQ(report[1], "Sound: 0010: " + Padded("Accordion") + " is ASSIGNED to STEREO GROUP!");
    EXPECT_EQ(report[2], "Sound: 0011: " + empty + " is REMOVED from STEREO GROUP!");

    // A second run finds nothing left to change.
    Fresh();
    EXPECT_EQ(ScanStereoGroups(bank, ui), 0u);
    EXPECT_TRUE(ui.showed("Automatic sounds STEREO GROUP checker...",
                          "No change in sounds STEREO GROUP status.\nStereo group assignment of "
                          "all sounds are OK!"));
}

TEST_F(SoundMaintenance, SoundsWithoutGroupAreThoseInUseOnly) {
    Play(3, 19, 7);
    Play(8, 0, 2);
    Groups(8) = 0x40;
    Play(9, 0, 2);
    NameSound(9, "Bass");
    // Sound 4 has no group but plays nothing; a zone word of 3 holds only the flag bits.
    bank.sound(4).zone[0].ms_and_flags = 3;
    EXPECT_EQ(CheckSoundsWithoutGroup(bank, ui), 2u);
    EXPECT_EQ(Report(), (std::vector<std::string>{"Sound 0003 [ " + empty + " ]",
                                                  "Sound 0009 [ " + Padded("Bass") + " ]"}));

    bank.reset();
    Fresh();
    EXPECT_EQ(CheckSoundsWithoutGroup(bank, ui), 0u);
    EXPECT_TRUE(ui.showed("Check for SOUNDS without GROUP...", "No SOUNDS without GROUP!"));
}

// Sounds in use equal in everything but the name; sounds not in use are never listed.
TEST_F(SoundMaintenance, DuplicatedSoundsDifferOnlyInTheirNames) {
    for (unsigned s : {2u, 5u, 7u, 9u, 11u})
        Play(s, 0, 3);
    NameSound(5, "Copy");
    NameSound(11, "Second copy");
    bank.sound(7).zone[0].volume = 90; // plays louder
    Groups(9) = 0x40;                  // another group
    EXPECT_EQ(CheckDuplicatedSounds(bank, ui), 2u);
    EXPECT_EQ(Report(), (std::vector<std::string>{
                            "Found 2 duplicated sounds:", "------------------------------",
                            "Sound 0005 [ " + Padded("Copy") +
                                " ] plays the same as Sound 0002 [ " + empty + " ]",
                            "Sound 0011 [ " + Padded("Second copy") +
                                " ] plays the same as Sound 0002 [ " + empty + " ]"}));

    bank.reset();
    Fresh();
    EXPECT_EQ(CheckDuplicatedSounds(bank, ui), 0u);
    EXPECT_TRUE(ui.showed("Check for duplicated SOUNDS...", "No duplicated SOUNDS found!"));
}

TEST_F(SoundMaintenance, EqualAndCommonGroups) {
    for (unsigned s : {1u, 2u, 3u, 4u})
        Play(s, 0, 1);
    Groups(1) = 0x5; // the current sound
    Groups(2) = 0x5;
    Groups(3) = 0x4;
    Groups(4) = 0;
    Groups(6) = 0x5; // not in use: never listed

    EXPECT_EQ(CheckSoundsInGroups(bank, Groups(1), GroupMatch::Equal, ui), 2u);
    EXPECT_EQ(Report(), (std::vector<std::string>{
                            "Found 2 sounds:", "------------------------------",
                            "Sound 0001 [ " + empty + " ]", "Sound 0002 [ " + empty + " ]"}));
    EXPECT_EQ(ReportCaption(), "Report: Check for SOUNDS with ABSOLUTLY EQUAL GROUPS!");

    Fresh();
    EXPECT_EQ(CheckSoundsInGroups(bank, Groups(1), GroupMatch::Common, ui), 3u);

    // A current sound without groups: equal finds the sounds without groups, common nothing.
    Fresh();
    EXPECT_EQ(CheckSoundsInGroups(bank, 0, GroupMatch::Equal, ui), 1u);
    EXPECT_EQ(Report().back(), "Sound 0004 [ " + empty + " ]");
    Fresh();
    EXPECT_EQ(CheckSoundsInGroups(bank, 0, GroupMatch::Common, ui), 0u);
    EXPECT_TRUE(
        ui.showed("Check for SOUNDS without GROUP...", "No SOUNDS without the same GROUP!"));
}

TEST_F(SoundMaintenance, InitResetsOnlySoundsNamedExactlyEmpty) {
    Play(2, 0, 9);
    Groups(2) = 0x77;
    bank.sound(2).osc_mode = 3;
    NameSound(3, "- - -          x"); // differs in its last byte
    Play(3, 0, 9);
    NameSound(4, "Piano");
    Play(4, 0, 9);
    bank.sound(5).name[15] = '\0'; // a zero where a blank belongs
    Play(5, 0, 9);

    InitUnusedSounds(bank);
    const as_sound fresh = NewSound();
    EXPECT_EQ(std::memcmp(&bank.sound(2), &fresh, sizeof fresh), 0);
    for (unsigned s : {3u, 4u, 5u})
        EXPECT_EQ(bank.sound(s).zone[0].multisample(), 9u) << s;
}

TEST_F(SoundMaintenance, WhereASoundIsUsedListsSwitchedOnLayers) {
    bank.solo(4).sound2 = 7;
    bank.solo(4).sound2_on = 1;
    bank.chord(999).sound3 = 7;
    bank.chord(999).sound3_on = 1;
    bank.fbass(1).sound1 = 7; // switched off
    ShowWhereSoundIsUsed(bank, 7, ui);
    const auto report = Report();
    ASSERT_EQ(report.size(), 3u);
    EXPECT_EQ(report[0], "Sound [0007] is used in 2 set-up layers:");
    EXPECT_NE(report[1].find("SOLO 004"), std::string::npos);
    EXPECT_NE(report[2].find("CHORD 999"), std::string::npos);
}

} // namespace
