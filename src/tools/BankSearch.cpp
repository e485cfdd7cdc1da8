#include "tools/BankSearch.h"

#include "base/Formatting.h"
#include "job/PathResolver.h"

#include <algorithm>

namespace ovb {

namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool SameIgnoringCase(char a, char b) {
    return Lower(a) == Lower(b);
}

std::string Entry(unsigned index, std::string_view text) {
    return Format("%04u ", index) + std::string(text);
}

// A new record's name is "- - -" padded with blanks; a name cleared in a list is "- - -" followed
// by zero bytes. Both are the empty-record marker.
template <std::size_t N> bool IsEmptyRecordName(const Name<N>& name) {
    return DisplayName(name) == "- - -";
}

template <std::size_t N> bool NameMatches(const Name<N>& name, std::string_view text) {
    return !IsEmptyRecordName(name) && ContainsIgnoringCase(DisplayName(name), text);
}

template <std::size_t N>
void MatchName(const Name<N>& name, unsigned index, std::string_view text,
               std::vector<std::string>& out) {
    if (NameMatches(name, text)) out.push_back(Entry(index, DisplayName(name)));
}

// Multisamples found by name or, when multisamples are searched too, by one of their paths, each
// listed once in index order; the paths found are listed when paths are searched.
void SearchMultisamples(const as_bank& bank, std::string_view text, const SearchOptions& options,
                        SearchResults& results) {
    for (unsigned m = 1; m < kMultisamples; ++m) {
        const as_multisample& ms = bank.multisample(m);
        bool listed = options.multisamples && NameMatches(ms.name, text);
        if (options.filePaths) {
            for (const std::string& path : bank.paths(m)) {
                if (IsEmptyPath(path)) continue;
                // Found by its stored bytes or by its text read with the code page.
                std::string shown = DisplayPath(path);
                if (!ContainsIgnoringCase(path, text) && !ContainsIgnoringCase(shown, text))
                    continue;
                results.paths.push_back(Entry(m, shown));
                listed = options.multisamples;
            }
        }
        if (listed) results.multisamples.push_back(Entry(m, DisplayName(ms.name)));
    }
}

} // namespace

bool ContainsIgnoringCase(std::string_view text, std::string_view part) {
    return std::search(text.begin(), text.end(), part.begin(), part.end(), SameIgnoringCase) !=
           text.end();
}

SearchResults SearchBank(const as_bank& bank, std::string_view text, const SearchOptions& options) {
    SearchResults results;
    if (text.empty()) return results;
    if (options.presets)
        for (unsigned i = 0; i < kScenes; ++i)
            MatchName(bank.scene(i).name, i, text, results.presets);
    if (options.sounds)
        for (unsigned i = 0; i < kSounds; ++i)
            MatchName(bank.sound(i).name, i, text, results.sounds);
    if (options.multisamples || options.filePaths) SearchMultisamples(bank, text, options, results);
    return results;
}

} // namespace ovb
