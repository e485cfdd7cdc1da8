// Note names, the keys the multisample editor looks for in file names, the placement of many
// files on the 64 slots, and the name a ".msn" marker suggests.
#include "support/PathSettingsScope.h"
#include "support/TestFiles.h"
#include "tools/AutoPosition.h"
#include "tools/MultisampleNameSuggestion.h"
#include "tools/Note_names.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace ovb;
using namespace ovb::test;
namespace fs = std::filesystem;

namespace {

SamplePathList EmptySlots() {
    SamplePathList paths;
    paths.fill(std::string(kEmptyPath));
    return paths;
}

AutoPositionResult Place(const std::vector<std::string>& files, NoteScheme scheme,
                         int transpose = 0, const SamplePathList& current = EmptySlots()) {
    return AutoPositionSlots(current, files, scheme, transpose);
}

std::vector<unsigned> FilledSlots(const AutoPositionResult& r) {
    std::vector<unsigned> slots;
    for (unsigned s = 0; s < kSamplesPerMultisample; ++s)
        if (!IsEmptyPath(r.paths[s])) slots.push_back(s);
    return slots;
}

std::string Text(const Name<16>& name) {
    return std::string(name.data(), name.size());
}

} // namespace

TEST(NoteNames, EachSchemeSpellsPitchClassAndOctave) {
    struct Case {
        unsigned note;
        const char *blank, *compact, *lower;
    };
    for (const Case& c : {Case{60, "C 5", "C5", "c5"}, Case{61, "C#5", "C#5", "c#5"},
                          Case{71, "H 5", "H5", "b5"}, Case{0, "C 0", "C0", "c0"},
                          Case{120, "C 10", "C10", "c10"}, Case{255, "D#21", "D#21", "d#21"}}) {
        SCOPED_TRACE(c.note);
        EXPECT_EQ(NoteName(c.note, NoteScheme::WithBlank), c.blank);
        EXPECT_EQ(NoteName(c.note, NoteScheme::Compact), c.compact);
        EXPECT_EQ(NoteName(c.note, NoteScheme::LowerCase), c.lower);
        EXPECT_EQ(SearchKey(c.note, NoteScheme::WithBlank), c.blank);
        EXPECT_EQ(SearchKey(c.note, NoteScheme::LowerCase), c.lower);
    }
    EXPECT_EQ(NoteName(60, NoteScheme::Number), "60");
    EXPECT_EQ(SearchKey(7, NoteScheme::Number), " 007"); // a blank and three digits
}

TEST(SlotNotes, TransposeMovesEverySlotAndNothingFallsBelowNoteZero) {
    // Nine octave steps, kept as a byte around 48.
    EXPECT_TRUE(IsAutoTranspose(-48) && IsAutoTranspose(48));
    EXPECT_FALSE(IsAutoTranspose(1) || IsAutoTranspose(60));
    EXPECT_EQ(AutoTransposeByte(-48), 0);
    EXPECT_EQ(AutoTransposeByte(12), 60);
    EXPECT_EQ(AutoTransposeFromByte(96), 48);

    // Slots 0 and 63 play notes 36 and 99 (the multisample page's drop test places them), slot
    // 12 at -48 note 0 (SlotsBelowNoteZeroKeepTheirFiles).
    EXPECT_EQ(SlotNote(63, 48), 147u);
    EXPECT_EQ(SlotNote(11, -48), std::nullopt);
    EXPECT_EQ(SlotNote(0, -36), 0u);

    // With +12, slot 0 looks for note 48 in every scheme ("C 4" in the multisample editor's tests).
    for (auto [scheme, file] : {std::pair{NoteScheme::Number, "Pad 048.wav"},
                                std::pair{NoteScheme::Compact, "Pad C4.wav"},
                                std::pair{NoteScheme::LowerCase, "Pad c4.wav"}}) {
        SCOPED_TRACE(file);
        EXPECT_EQ(FilledSlots(Place({file}, scheme, 12)), std::vector<unsigned>{0});
    }
}

// Names that match are placed above and in the multisample editor's tests; these must not match.
TEST(AutoPosition, FileNamesAreMatchedOnTheirKeyOnly) {
    // The number key needs its leading blank.
    EXPECT_TRUE(FilledSlots(Place({"/lib/Piano_060.wav"}, NoteScheme::Number)).empty());

    // Only the file-name part counts, and it is compared case-sensitively.
    EXPECT_TRUE(FilledSlots(Place({"/lib/C 3/piano.wav"}, NoteScheme::WithBlank)).empty());
    EXPECT_TRUE(FilledSlots(Place({"D:\\C 3\\piano.wav"}, NoteScheme::WithBlank)).empty());
    EXPECT_TRUE(FilledSlots(Place({"/lib/piano c 3.wav"}, NoteScheme::WithBlank)).empty());
}

// The report lists every file of a slot matched more than once, and every file placed on more
// than one slot.
TEST(AutoPosition, OctaveOneKeyAlsoMatchesOctaveTenAndTheLastFileWins) {
    // -24 makes slot 0 look for note 12, "C 1", which "C 10" contains as well.
    auto r = Place({"/b/Bass C 1.wav", "/b/Bass C 10.wav"}, NoteScheme::WithBlank, -24);
    EXPECT_EQ(r.paths[0], "/b/Bass C 10.wav");
    EXPECT_EQ(r.added, 2u);
    EXPECT_EQ(AutoPositionReport(r),
              (std::vector<std::string>{
                  "Slots matched by more than one file (the last one is kept):",
                  "  Slot 0, key \"C 1\":", "    /b/Bass C 1.wav", "    /b/Bass C 10.wav"}));
}

TEST(AutoPosition, AFileNamingSeveralNotesFillsEachOfTheirSlots) {
    auto r = Place({"/s/Split C 3 to C 4.wav", "/s/Lead C 1.wav"}, NoteScheme::WithBlank);
    EXPECT_EQ(r.added, 2u);
    EXPECT_EQ(FilledSlots(r), (std::vector<unsigned>{0, 12}));
    EXPECT_EQ(AutoPositionReport(r),
              (std::vector<std::string>{"Files placed on more than one slot:",
                                        "  /s/Split C 3 to C 4.wav -> slots 0, 12"}));
}

TEST(AutoPosition, SlotsBelowNoteZeroKeepTheirFiles) {
    SamplePathList current = EmptySlots();
    current[0] = "/old/Kept.wav";
    current[30] = "/old/Also kept.wav";
    // " 244" is what slot 0 would look for if its note wrapped around.
    auto r = Place({"/n/Pad 244.wav", "/n/Pad 000.wav"}, NoteScheme::Number, -48, current);
    EXPECT_EQ(r.paths[0], "/old/Kept.wav");
    EXPECT_EQ(r.paths[12], "/n/Pad 000.wav");
    EXPECT_EQ(r.paths[30], "/old/Also kept.wav");
    EXPECT_EQ(r.added, 1u);
}

TEST(MultisampleNameSuggestion, MarkerBesideTheFirstFileNamesTheMultisampleCutTo16) {
    TempDir dir;
    for (const char* folder : {"Piano", "Bare", "Long"})
        fs::create_directories(dir / folder);
    WriteAll(dir / "Piano" / "Grand Piano.msn", {});
    WriteAll(dir / "Piano" / "Upright.MSN", {});
    WriteAll(dir / "Bare" / "Grand C 3.wav", {});

    auto name = SuggestMultisampleName((dir / "Piano" / "Grand C 3.wav").string());
    ASSERT_TRUE(name);
    EXPECT_EQ(Text(*name), std::string("Grand Piano\0\0\0\0\0", 16));

    EXPECT_EQ(SuggestMultisampleName((dir / "Bare" / "Grand C 3.wav").string()), std::nullopt);
    EXPECT_EQ(SuggestMultisampleName((dir / "Missing" / "x.wav").string()), std::nullopt);

    // Stored Windows paths reach the folder through the drive map.
    const test::PathSettingsScope drives(dir.path());
    name = SuggestMultisampleName("D:\\piano\\Grand C 3.wav");
    ASSERT_TRUE(name);
    EXPECT_EQ(NameString(*name), "Grand Piano");

    // Long names are cut, an empty one becomes the empty marker.
    WriteAll(dir / "Long" / "A Very Long Multisample Name.MSN", {});
    name = SuggestMultisampleName((dir / "Long" / "x.wav").string());
    ASSERT_TRUE(name);
    EXPECT_EQ(Text(*name), "A Very Long Mult");
    WriteAll(dir / "Bare" / ".msn", {});
    name = SuggestMultisampleName((dir / "Bare" / "x.wav").string());
    ASSERT_TRUE(name);
    EXPECT_EQ(Text(*name), std::string("- - -\0\0\0\0\0\0\0\0\0\0\0", 16));
    EXPECT_EQ(Text(MultisampleNameFromText("Exactly16Chars!!")), "Exactly16Chars!!");
}
