#include "tools/MultisampleNameSuggestion.h"

#include "job/PathResolver.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <system_error>

namespace fs = std::filesystem;

namespace ovb {

namespace {

constexpr std::string_view kMarkerExtension = ".msn";

bool IsMarkerName(std::string_view name) {
    if (name.size() < kMarkerExtension.size()) return false;
    const auto ext = name.substr(name.size() - kMarkerExtension.size());
    return std::equal(ext.begin(), ext.end(), kMarkerExtension.begin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == b;
    });
}

// The first marker by name, so that the suggestion does not depend on directory order.
std::optional<std::string> FindMarker(const fs::path& folder) {
    std::error_code ec;
    fs::directory_iterator it(folder, ec), end;
    std::optional<std::string> best;
    for (; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code typeError;
        if (!IsMarkerName(name) || it->is_directory(typeError)) continue;
        if (!best || name < *best) best = name;
    }
    return best;
}

} // namespace

Name<16> MultisampleNameFromText(std::string_view text) {
    if (text.empty()) text = kEmptyPath;
    // Every one of the 16 bytes is written, so the blanks underneath never show.
    Name<16> name;
    const std::size_t copied = std::min(text.size(), name.size());
    std::copy_n(text.begin(), copied, name.begin());
    std::fill(name.begin() + copied, name.end(), '\0');
    return name;
}

std::optional<Name<16>> SuggestMultisampleName(std::string_view firstSelectedFile) {
    fs::path folder = PathResolver().file(firstSelectedFile).parent_path();
    if (folder.empty()) folder = ".";
    const auto marker = FindMarker(folder);
    if (!marker) return std::nullopt;
    const std::string_view stem =
        std::string_view(*marker).substr(0, marker->size() - kMarkerExtension.size());
    return MultisampleNameFromText(stem);
}

} // namespace ovb
