#pragma once
// What the multisample editor does to a multisample: removal, emptying and filling note slots,
// moving every assigned file by an octave or a position, the size query, the comment, and
// placing many files at once by their note names with the questions and boxes that go with it.
// A multisample or slot outside the bank, or a transpose not offered, fails with its reason and
// changes nothing.
//
// A slot is its path and its sample record together. A slot that is given a different file, or
// emptied, forgets where its old audio sat in the loaded bank file (start sector, length, stereo)
// so that neither playback from the bank nor the size query reports audio of a file that is no
// longer there; the slot's other module parameters stay. A move carries the whole slot.
#include "bank/Acc_bank_structure.h"
#include "base/Result.h"
#include "job/JobServices.h"
#include "tools/Note_names.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace ovb {

// The first note of slot 0; slot p stands for note p + 36.
constexpr unsigned kFirstSlotNote = 36;
// Characters the comment keeps; the last of its 240 bytes is the terminating zero.
constexpr std::size_t kCommentLength = 239;

// The record gets the defaults of a new multisample and every slot the empty-path marker. Zones
// playing it keep their index.
Result RemoveMultisample(as_bank& bank, unsigned multisample);

// Every listed slot gets the empty-path marker.
Result ClearSlots(as_bank& bank, unsigned multisample, std::span<const unsigned> targets);
// Every listed slot gets the file.
Result SetSlotFile(as_bank& bank, unsigned multisample, std::span<const unsigned> targets,
                   std::string_view path);

// OctaveUp: slot p takes slot p + 12 (p = 0..51), slots 52..63 are emptied; the files of slots
// 0..11 are dropped. OctaveDown: slot p takes slot p - 12 (p = 63 down to 12), slots 0..11 are
// emptied. PositionUp / PositionDown do the same by one slot.
enum class SlotMove { OctaveUp, OctaveDown, PositionUp, PositionDown };
Result MoveSlots(as_bank& bank, unsigned multisample, SlotMove move);

// Bytes of audio the multisample's slots take in the bank file (none for one outside the bank).
std::uint64_t MultisampleAudioBytes(const as_bank& bank, unsigned multisample);
constexpr const char* kMultisampleSizeCaption = "Bank Manager";
// "Size of MS0042 [Piano           ] is 1.5 MB.", or why there is no such multisample.
std::string MultisampleSizeText(const as_bank& bank, unsigned multisample);

// Stores the text as the comment: at most 239 bytes, line breaks dropped, zero filled.
void SetComment(as_multisample& multisample, std::string_view text);
// The comment up to its first zero, never beyond byte 239.
std::string CommentText(const as_multisample& multisample);

// The note label of a slot: the note name in the scheme with a blank ("C 3") or the note number.
std::string SlotLabel(unsigned slot, bool noteNames);
// The key picture of a note: a white key with a black key after it (C, D, F, G, A), a white key
// with a white key after it (E, H), or a black key.
enum class KeyPicture { WhiteBeforeBlack = 0, WhiteBeforeWhite = 1, Black = 2 };
KeyPicture KeyPictureOf(unsigned note);

// The note scheme the auto-position criteria offer; nullopt when none is chosen.
using PositionCriterion = std::optional<NoteScheme>;

// Places the files on the multisample's slots by the names they contain, then tells how many
// were added, reports files on several slots and slots matched by several files, and offers the
// name of a ".msn" marker in the first file's folder. refreshAll runs after each change, before
// the boxes that follow it. Nothing happens for an empty file list.
Result PlaceFilesByName(as_bank& bank, unsigned multisample, std::span<const std::string> files,
                        PositionCriterion criterion, int transpose, JobServices& ui,
                        const std::function<void()>& refreshAll);

constexpr const char* kAutoPositionReportCaption = "Report: AUTO position";

} // namespace ovb
