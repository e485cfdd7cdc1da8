#include "tools/Note_names.h"

#include "base/Formatting.h"

#include <algorithm>

namespace ovb {

namespace {

using NoteTable = std::array<const char*, 12>;

constexpr NoteTable kWithBlank{"C ", "C#", "D ", "D#", "E ", "F ",
                               "F#", "G ", "G#", "A ", "A#", "H "};
constexpr NoteTable kCompact{"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "H"};
constexpr NoteTable kLowerCase{"c", "c#", "d", "d#", "e", "f", "f#", "g", "g#", "a", "a#", "b"};

const NoteTable& TableOf(NoteScheme scheme) {
    switch (scheme) {
    case NoteScheme::Compact:
        return kCompact;
    case NoteScheme::LowerCase:
        return kLowerCase;
    default:
        return kWithBlank;
    }
}

} // namespace

std::string NoteName(unsigned note, NoteScheme scheme) {
    if (scheme == NoteScheme::Number) return Format("%u", note);
    return Format("%s%u", TableOf(scheme)[note % 12], note / 12);
}

std::string SearchKey(unsigned note, NoteScheme scheme) {
    if (scheme == NoteScheme::Number) return Format(" %03u", note);
    return NoteName(note, scheme);
}

bool IsAutoTranspose(int transpose) {
    return std::find(kAutoTransposes.begin(), kAutoTransposes.end(), transpose) !=
           kAutoTransposes.end();
}

} // namespace ovb
