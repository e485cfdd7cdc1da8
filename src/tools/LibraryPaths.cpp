#include "tools/LibraryPaths.h"

#include "job/PathResolver.h"

#include <algorithm>

namespace ovb {

namespace {
constexpr std::size_t kMaxCompared = 1024;
}

std::string LibraryCommonPath(const as_bank& bank) {
    std::string common;
    bool first = true;
    for (unsigned m = 0; m < kMultisamples; ++m) {
        for (const std::string& path : bank.paths(m)) {
            if (IsEmptyPath(path)) continue;
            if (first) {
                common = path.substr(0, kMaxCompared);
                first = false;
                continue;
            }
            const auto end = common.size() < path.size() ? common.size() : path.size();
            const auto diff =
                std::mismatch(common.begin(), common.begin() + std::ptrdiff_t(end), path.begin());
            common.erase(diff.first, common.end());
        }
    }
    return common;
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
    if (from.empty()) return std::string(text);
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    for (auto hit = text.find(from); hit != std::string_view::npos; hit = text.find(from, pos)) {
        out.append(text.substr(pos, hit - pos));
        out.append(to);
        pos = hit + from.size();
    }
    out.append(text.substr(pos));
    return out;
}

std::string FoldDoubledBackslashes(std::string_view text) {
    return ReplaceAll(text, "\\\\", "\\");
}

std::string FolderAsLibraryPath(std::string_view folder) {
    std::string text(folder);
    text += '\\';
    return FoldDoubledBackslashes(text);
}

namespace {

// A folder of this machine put in front of a Windows path gives a path of this machine: the rest
// of it is decoded from the code page and its separators become '/', so that no path mixes the
// two forms.
std::string AsHostPath(std::string path, std::string_view newText) {
    if (newText.empty() || newText.front() != '/' || !path.starts_with(newText) ||
        path.find('\\') == std::string::npos)
        return path;
    std::string host = std::string(newText) + DecodeWindowsText(path.substr(newText.size()));
    std::replace(host.begin(), host.end(), '\\', '/');
    return host;
}

} // namespace

unsigned ReplaceInSamplePaths(as_bank& bank, std::string_view oldText, std::string_view newText) {
    if (oldText.empty() || newText.empty()) return 0;
    unsigned changed = 0;
    for (unsigned m = 0; m < kMultisamples; ++m) {
        for (std::string& path : bank.paths(m)) {
            if (IsEmptyPath(path) || path.find(oldText) == std::string::npos) continue;
            path = AsHostPath(ReplaceAll(path, oldText, newText), newText);
            ++changed;
        }
    }
    return changed;
}

unsigned ReplaceSamplePaths(as_bank& bank, const std::map<std::string, std::string>& newPaths) {
    unsigned changed = 0;
    for (unsigned m = 0; m < kMultisamples; ++m)
        for (std::string& path : bank.paths(m)) {
            if (IsEmptyPath(path)) continue;
            const auto it = newPaths.find(path);
            if (it == newPaths.end()) continue;
            path = it->second;
            ++changed;
        }
    return changed;
}

} // namespace ovb
