// The multisample editor's changes to a bank: removal, slots emptied and filled, the four moves,
// the size query, the comment, the slot labels and the placing of many files with its boxes.
#include "tools/MultisampleEdits.h"

#include "job/ScriptedJobServices.h"
#include "support/BankNames.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

using namespace ovb;
using namespace ovb::test;

namespace {

constexpr unsigned kMs = 42;

class MultisampleEdits : public ::testing::Test {
  protected:
    std::unique_ptr<as_bank> owner = std::make_unique<as_bank>();
    as_bank& bank = *owner;
    as_multisample& ms = bank.multisample(kMs);

    // Slot p holds the file "f<p>.wav" with p + 1 sectors of audio and a module parameter p, so
    // that where each slot went shows in both parts.
    void FillAllSlots() {
        for (unsigned p = 0; p < kSamplesPerMultisample; ++p) {
            bank.path(kMs, p) = File(p);
            ms.sample[p].length_sectors = std::uint16_t(p + 1);
            ms.sample[p].set_start_sector(1000 + p);
            ms.sample[p].params[5] = std::uint8_t(p);
        }
    }
    static std::string File(unsigned p) { return "f" + std::to_string(p) + ".wav"; }
};

TEST_F(MultisampleEdits, RemovingResetsRecordAndPathsButNotTheZonesPlayingIt) {
    FillAllSlots();
    std::memcpy(ms.name.data(), "Grand", 5);
    SetComment(ms, "a comment");
    bank.sound(3).zone[1].set_multisample(kMs);
    bank.path(kMs + 1, 0) = "neighbour.wav";

    EXPECT_TRUE(RemoveMultisample(bank, kMs));
    const as_multisample fresh = NewMultisample();
    EXPECT_EQ(0, std::memcmp(&ms, &fresh, sizeof fresh));
    for (const std::string& path : bank.paths(kMs))
        EXPECT_EQ(path, kEmptyPath);
    EXPECT_EQ(bank.sound(3).zone[1].multisample(), kMs);
    EXPECT_EQ(bank.path(kMs + 1, 0), "neighbour.wav");
    EXPECT_EQ(RemoveMultisample(bank, kMultisamples).reason(), "multisample 10000 does not exist");
}

TEST_F(MultisampleEdits, MovesShiftSlotsEmptyTheOnesLeftBehindAndTouchOnlyTheirMultisample) {
    bank.path(kMs - 1, 20) = "other.wav";
    SamplePathList neighbour = bank.paths(kMs - 1);
    const std::pair<SlotMove, int> moves[] = {{SlotMove::OctaveUp, 12},
                                              {SlotMove::OctaveDown, -12},
                                              {SlotMove::PositionUp, 1},
                                              {SlotMove::PositionDown, -1}};
    const as_sample_V1 fresh = NewSample();
    for (const auto& [move, by] : moves) {
        FillAllSlots();
        EXPECT_TRUE(MoveSlots(bank, kMs, move));
        // Slot p holds what slot p + by held before, or is empty when there was no such slot.
        for (unsigned p = 0; p < kSamplesPerMultisample; ++p) {
            SCOPED_TRACE(testing::Message() << "move by " << by << ", slot " << p);
            const int from = int(p) + by;
            if (from < 0 || from >= int(kSamplesPerMultisample)) {
                EXPECT_EQ(bank.path(kMs, p), kEmptyPath);
                EXPECT_EQ(0, std::memcmp(&ms.sample[p], &fresh, sizeof fresh));
                continue;
            }
            EXPECT_EQ(bank.path(kMs, p), File(unsigned(from)));
            EXPECT_EQ(ms.sample[p].length_sectors, from + 1) << "the record moves with its file";
            EXPECT_EQ(ms.sample[p].params[5], from);
        }
    }
    EXPECT_EQ(bank.paths(kMs - 1), neighbour);
}

TEST_F(MultisampleEdits, ChangedSlotsForgetTheirOldAudioButKeepTheirParameters) {
    FillAllSlots();
    ms.sample[4].set_stereo(true);
    const unsigned some[] = {4, 5};
    EXPECT_TRUE(ClearSlots(bank, kMs, some));
    EXPECT_EQ(bank.path(kMs, 4), kEmptyPath);
    EXPECT_EQ(bank.path(kMs, 5), kEmptyPath);
    EXPECT_EQ(ms.sample[4].length_sectors, 0);
    EXPECT_EQ(ms.sample[4].start_sector(), 0u);
    EXPECT_FALSE(ms.sample[4].stereo());
    EXPECT_EQ(ms.sample[4].params[5], 4) << "module parameters of the slot stay";
    EXPECT_EQ(bank.path(kMs, 6), File(6));

    const unsigned one[] = {7};
    EXPECT_TRUE(SetSlotFile(bank, kMs, one, "new.wav"));
    EXPECT_EQ(bank.path(kMs, 7), "new.wav");
    EXPECT_EQ(ms.sample[7].length_sectors, 0);
    // The same file again is no change: its audio in the bank is still its own.
    const unsigned same[] = {8};
    EXPECT_TRUE(SetSlotFile(bank, kMs, same, File(8)));
    EXPECT_EQ(ms.sample[8].length_sectors, 9);
    EXPECT_EQ(ms.sample[8].start_sector(), 1008u);

    // A slot outside the sixty-four changes nothing, not even the slots before it.
    const unsigned slots[] = {3, 64};
    EXPECT_EQ(SetSlotFile(bank, kMs, slots, "x.wav").reason(), "slot 64 does not exist");
    EXPECT_EQ(bank.path(kMs, 3), File(3));
    EXPECT_FALSE(ClearSlots(bank, kMultisamples, {}));
}

TEST_F(MultisampleEdits, SizeTextCountsTheSectorsOfAllSlots) {
    SetName(ms.name, "Piano", '\0');
    ms.sample[0].length_sectors = 3;
    ms.sample[63].length_sectors = 1;
    EXPECT_EQ(MultisampleAudioBytes(bank, kMs), 2048u);
    EXPECT_EQ(MultisampleSizeText(bank, kMs), "Size of MS0042 [Piano] is 2.0 kB.");
    // A new multisample: its blank-padded name and no audio.
    EXPECT_EQ(MultisampleSizeText(bank, 7), "Size of MS0007 [- - -           ] is 0 bytes.");
}

TEST_F(MultisampleEdits, CommentKeeps239CharactersWithoutLineBreaks) {
    SetComment(ms, std::string(300, 'x'));
    EXPECT_EQ(CommentText(ms), std::string(239, 'x'));
    EXPECT_EQ(ms.comment[239], '\0');

    SetComment(ms, "two\r\nlines\n");
    EXPECT_EQ(CommentText(ms), "twolines");
    EXPECT_EQ(ms.comment[238], '\0') << "the longer comment before leaves nothing behind";

    // A comment read from a file may fill all 240 bytes: the last one is never shown.
    ms.comment.fill('y');
    EXPECT_EQ(CommentText(ms), std::string(239, 'y'));
}

TEST(SlotLabels, NoteNamesOrNumbersAndKeyPictures) {
    EXPECT_EQ(SlotLabel(0, false), "36");
    EXPECT_EQ(SlotLabel(25, true), "C#5");
    // w: white key before a black one, W: white before white, b: black.
    const std::string octave = "wbwbWwbwbwbW";
    for (unsigned note = 36; note < 100; ++note) {
        const char c = octave[note % 12];
        EXPECT_EQ(KeyPictureOf(note), c == 'b'   ? KeyPicture::Black
                                      : c == 'W' ? KeyPicture::WhiteBeforeWhite
                                                 : KeyPicture::WhiteBeforeBlack)
            << note;
    }
}

class PlacingFiles : public MultisampleEdits {
  protected:
    ScriptedJobServices ui;
    int refreshes = 0;
    TempDir dir;

    bool Place(const std::vector<std::string>& files, PositionCriterion criterion,
               int transpose = 0) {
        return PlaceFilesByName(bank, kMs, files, criterion, transpose, ui, [this] { ++refreshes; })
            .ok();
    }
    std::string In(const std::string& name) const { return (dir / name).string(); }
};

TEST_F(PlacingFiles, WithoutCriterionNothingIsPlaced) {
    Place({In("Piano C 3.wav")}, std::nullopt);
    EXPECT_EQ(ui.shown(), std::vector<std::string>{"Info: Invalid Criteria!"});
    EXPECT_EQ(bank.path(kMs, 0), kEmptyPath);
    EXPECT_EQ(refreshes, 0);

    Place({}, NoteScheme::WithBlank);
    EXPECT_EQ(ui.transcript.size(), 1u) << "no files: nothing to tell";
    EXPECT_FALSE(Place({In("Piano C 3.wav")}, NoteScheme::WithBlank, 5)) << "not an offered step";
    EXPECT_EQ(bank.path(kMs, 0), kEmptyPath);
}

TEST_F(PlacingFiles, TellsTheCountAndForgetsTheAudioOfReplacedSlots) {
    FillAllSlots();
    Place({In("Piano C 3.wav"), In("notes.wav"), In("Piano_060.wav")}, NoteScheme::WithBlank);
    EXPECT_EQ(bank.path(kMs, 0), In("Piano C 3.wav"));
    EXPECT_EQ(ms.sample[0].length_sectors, 0);
    EXPECT_EQ(ms.sample[1].length_sectors, 2) << "slots nothing matched keep their audio";
    EXPECT_EQ(ui.shown(), std::vector<std::string>{"Info: Added 1 from 3 files."});
    EXPECT_TRUE(ui.reports.empty());
    EXPECT_EQ(refreshes, 1);
}

TEST_F(PlacingFiles, DoubleMatchesAreReportedAfterTheCount) {
    // +12: slot 0 looks for note 48, "C 4", which both names hold (which file wins, and the
    // report's lines, are the placement's own business).
    Place({In("Str C 4.wav"), In("Str C 4 soft.wav")}, NoteScheme::WithBlank, 12);
    EXPECT_EQ(ui.shown(), std::vector<std::string>{"Info: Added 2 from 2 files."});
    ASSERT_EQ(ui.transcript.size(), 2u);
    EXPECT_EQ(ui.transcript[1].caption, kAutoPositionReportCaption);
    EXPECT_NE(ui.transcript[1].text.find("Slot 0"), std::string::npos);
}

TEST_F(PlacingFiles, MarkerFileOffersItsNameAndNoKeepsTheOldOne) {
    WriteAll(dir / "Warm Strings.msn", {});
    ui.answers = {Answer::No};
    const Name<16> before = ms.name;
    Place({In("Str 048.wav")}, NoteScheme::Number);
    EXPECT_EQ(ms.name, before);
    EXPECT_EQ(ui.shown(),
              (std::vector<std::string>{"Info: Added 1 from 1 files.",
                                        "Question: Use multisample name: \"Warm Strings\" ?"}));
    EXPECT_EQ(refreshes, 2);
}

} // namespace
