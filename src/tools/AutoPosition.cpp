#include "tools/AutoPosition.h"

#include "base/Formatting.h"

namespace ovb {

namespace {

constexpr int kFirstSlotNote = 36;

// Which files matched each slot, by index into the file list, in the order they matched.
using SlotMatches = std::array<std::vector<std::size_t>, kSamplesPerMultisample>;

SlotMatches MatchSlots(std::span<const std::string> files, NoteScheme scheme, int transpose,
                       AutoPositionResult& result) {
    std::vector<std::string_view> names;
    names.reserve(files.size());
    for (const std::string& f : files)
        names.push_back(FileNamePart(f));

    SlotMatches matches;
    for (unsigned slot = 0; slot < kSamplesPerMultisample; ++slot) {
        const auto note = SlotNote(slot, transpose);
        if (!note) continue;
        const std::string key = SearchKey(*note, scheme);
        for (std::size_t i = 0; i < files.size(); ++i) {
            if (names[i].find(key) == std::string_view::npos) continue;
            result.paths[slot] = files[i];
            ++result.added;
            matches[slot].push_back(i);
        }
        if (matches[slot].size() > 1) {
            AutoPositionResult::SlotOfFiles crowded{slot, key, {}};
            for (std::size_t i : matches[slot])
                crowded.files.push_back(files[i]);
            result.slotsWithSeveralFiles.push_back(std::move(crowded));
        }
    }
    return matches;
}

void CollectSpreadFiles(std::span<const std::string> files, const SlotMatches& matches,
                        AutoPositionResult& result) {
    std::vector<std::vector<unsigned>> slotsOfFile(files.size());
    for (unsigned slot = 0; slot < kSamplesPerMultisample; ++slot)
        for (std::size_t i : matches[slot])
            slotsOfFile[i].push_back(slot);
    for (std::size_t i = 0; i < files.size(); ++i)
        if (slotsOfFile[i].size() > 1)
            result.filesInSeveralSlots.push_back({files[i], std::move(slotsOfFile[i])});
}

std::string JoinSlots(const std::vector<unsigned>& slots) {
    std::string text;
    for (unsigned s : slots)
        text += (text.empty() ? "" : ", ") + std::to_string(s);
    return text;
}

} // namespace

std::optional<unsigned> SlotNote(unsigned slot, int transpose) {
    const int note = int(slot) + kFirstSlotNote + transpose;
    if (note < 0) return std::nullopt;
    return unsigned(note) % 256;
}

std::string_view FileNamePart(std::string_view path) {
    const auto cut = path.find_last_of("\\/");
    return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

AutoPositionResult AutoPositionSlots(const SamplePathList& current,
                                     std::span<const std::string> files, NoteScheme scheme,
                                     int transpose) {
    AutoPositionResult result;
    result.paths = current;
    result.selected = unsigned(files.size());
    const SlotMatches matches = MatchSlots(files, scheme, transpose, result);
    CollectSpreadFiles(files, matches, result);
    return result;
}

std::string AddedText(const AutoPositionResult& result) {
    return Format("Added %u from %u files.", result.added, result.selected);
}

std::vector<std::string> AutoPositionReport(const AutoPositionResult& result) {
    std::vector<std::string> lines;
    if (!result.filesInSeveralSlots.empty()) {
        lines.push_back("Files placed on more than one slot:");
        for (const auto& f : result.filesInSeveralSlots)
            lines.push_back(Format("  %s -> slots %s", f.file.c_str(), JoinSlots(f.slots).c_str()));
    }
    if (!result.slotsWithSeveralFiles.empty()) {
        lines.push_back("Slots matched by more than one file (the last one is kept):");
        for (const auto& s : result.slotsWithSeveralFiles) {
            lines.push_back(Format("  Slot %u, key \"%s\":", s.slot, s.key.c_str()));
            for (const auto& f : s.files)
                lines.push_back("    " + f);
        }
    }
    return lines;
}

} // namespace ovb
