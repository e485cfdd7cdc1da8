#pragma once
// Note names as sample libraries write them into file names, and the search keys the
// multisample editor looks for when it places many WAV files on the note slots at once.
#include <array>
#include <cstdint>
#include <string>

namespace ovb {

// How a file name spells a note. Number: " 060" (a blank and three digits). WithBlank: "C 5",
// "C#5". Compact: "C5", "C#5". LowerCase: "c5", "c#5", with "b" for the seventh degree that the
// other two call "H".
enum class NoteScheme { Number, WithBlank, Compact, LowerCase };

// The table entry of the note's pitch class followed by the octave note / 12 in decimal. The
// number scheme has no table; it names the note by its decimal number.
std::string NoteName(unsigned note, NoteScheme scheme);

// The text a file name must contain to be placed on the note: " %03u" for the number scheme,
// the note name for the others.
std::string SearchKey(unsigned note, NoteScheme scheme);

// The transposes offered when placing files, in semitones. A settings file keeps the choice as
// the byte 48 + transpose.
inline constexpr std::array<int, 9> kAutoTransposes{-48, -36, -24, -12, 0, 12, 24, 36, 48};
bool IsAutoTranspose(int transpose);
inline constexpr std::uint8_t AutoTransposeByte(int transpose) {
    return std::uint8_t(48 + transpose);
}
inline constexpr int AutoTransposeFromByte(std::uint8_t stored) {
    return int(stored) - 48;
}

} // namespace ovb
