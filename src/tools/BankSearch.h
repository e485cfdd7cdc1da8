#pragma once
// Finds presets, sounds and multisamples of a bank by a piece of their name, and multisamples by a
// piece of their WAV file paths. The search assistant shows the results; each result line starts
// with the four-digit number of what it names so that a double-click can go there.
#include "bank/Acc_bank_structure.h"

#include <string>
#include <string_view>
#include <vector>

namespace ovb {

struct SearchOptions {
    bool presets = true;      // scene names
    bool sounds = true;       // sound names
    bool multisamples = true; // multisample names
    bool filePaths = false;   // the WAV file paths of multisamples 1..9999
};

struct SearchResults {
    std::vector<std::string> presets;      // "%04d <name>"
    std::vector<std::string> sounds;       // "%04d <name>"
    std::vector<std::string> multisamples; // "%04d <name>", by name or by a matching path
    std::vector<std::string> paths;        // "%04d <path>": the multisample, then its file
};

// Case-insensitive (ASCII letters) substring search. Empty records ("- - -") are never listed by
// name, and an empty text finds nothing: a search that lists the whole bank helps nobody. Each
// kind is listed only when it is searched: a path found lists its multisample only when
// multisamples are searched too.
SearchResults SearchBank(const as_bank& bank, std::string_view text, const SearchOptions& options);

// True when text holds part, ignoring the case of ASCII letters. Bytes above 127 (names written in
// a Windows code page) must match exactly.
bool ContainsIgnoringCase(std::string_view text, std::string_view part);

// A stored name as the lists show it: up to the first zero byte, trailing blanks removed.
template <std::size_t N> std::string DisplayName(const Name<N>& name) {
    std::string text = NameString(name);
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

// A record without a name of its own ("- - -" or blank) cannot be recognised by its name.
template <std::size_t N> bool Unnamed(const Name<N>& name) {
    const std::string text = DisplayName(name);
    return text.empty() || text == kEmptyPath;
}

} // namespace ovb
