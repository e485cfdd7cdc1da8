#pragma once
// The instruments of the demo sample library, shared by the program that synthesises the
// library and by anything that wants to refer to its files (a demo script, the tests).
//
// Every sample file is named "<name><note>.wav", where <note> follows one of the naming schemes
// the multisample editor recognises, so that each instrument exercises a different one.
#include <array>
#include <cstdio>
#include <string>
#include <string_view>

namespace ovb::demo {

enum class NoteScheme {
    Blank,   // "C 5", "C#5": two-character key with a blank, then the octave
    Compact, // "C5", "C#5"
    Lower,   // "c5", "c#5"; the seventh degree is "b" here, "H" in the other two
    Number,  // " 060": the MIDI note number
};

enum class Voice { Piano, Organ, Strings, Bells };

struct DemoInstrument {
    std::string_view name;   // also the multisample name suggested by the "<name>.msn" marker
    std::string_view folder; // below the library folder
    NoteScheme scheme;
    bool stereo;
    unsigned firstNote; // MIDI note numbers, both included
    unsigned lastNote;
    unsigned step;
    Voice voice;
};

// Notes stay within octaves 3..7: with the blank scheme, "C 1" would otherwise also match
// inside "C 10" and the editor would mix up the two.
inline constexpr std::array<DemoInstrument, 4> kDemoInstruments{{
    {"Demo Piano", "Piano", NoteScheme::Blank, false, 36, 72, 3, Voice::Piano},
    {"Demo Organ", "Organ", NoteScheme::Compact, false, 48, 84, 3, Voice::Organ},
    {"Demo Strings", "Strings", NoteScheme::Lower, true, 48, 72, 3, Voice::Strings},
    {"Demo Bells", "Bells", NoteScheme::Number, false, 60, 90, 3, Voice::Bells},
}};

inline constexpr std::string_view SchemeName(NoteScheme s) {
    switch (s) {
    case NoteScheme::Blank:
        return "blank";
    case NoteScheme::Compact:
        return "compact";
    case NoteScheme::Lower:
        return "lower";
    case NoteScheme::Number:
        return "number";
    }
    return "?";
}

// The note part of a file name, including the blank of the number scheme: " 060" for note 60.
inline std::string NoteName(NoteScheme s, unsigned note) {
    static constexpr const char* blank[12] = {"C ", "C#", "D ", "D#", "E ", "F ",
                                              "F#", "G ", "G#", "A ", "A#", "H "};
    static constexpr const char* compact[12] = {"C",  "C#", "D",  "D#", "E",  "F",
                                                "F#", "G",  "G#", "A",  "A#", "H"};
    static constexpr const char* lower[12] = {"c",  "c#", "d",  "d#", "e",  "f",
                                              "f#", "g",  "g#", "a",  "a#", "b"};
    if (s == NoteScheme::Number) {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, " %03u", note);
        return buffer;
    }
    const char* const* table = s == NoteScheme::Blank     ? blank
                               : s == NoteScheme::Compact ? compact
                                                          : lower;
    return table[note % 12] + std::to_string(note / 12);
}

inline std::string SampleFileName(const DemoInstrument& in, unsigned note) {
    std::string name(in.name);
    if (in.scheme != NoteScheme::Number) name += ' ';
    return name + NoteName(in.scheme, note) + ".wav";
}

inline std::string MarkerFileName(const DemoInstrument& in) {
    return std::string(in.name) + ".msn";
}

} // namespace ovb::demo
