#include "job/PathResolver.h"

#include "job/TextEncoding.h"

#include <algorithm>
#include <cctype>
#include <system_error>

namespace ovb {

namespace fs = std::filesystem;

namespace {

constexpr const char* kAutomaticCodePage = "WINDOWS-1252";

bool HasDrivePrefix(std::string_view s) {
    return s.size() >= 2 && s[1] == ':' && std::isalpha(static_cast<unsigned char>(s[0]));
}

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

std::string Join(std::string path, const std::string& name) {
    if (!path.empty() && path.back() != '/') path += '/';
    return path + name;
}

std::string Statable(const std::string& path) {
    return path.empty() ? "." : path;
}

bool IsFolder(const std::string& path) {
    std::error_code ec;
    return fs::is_directory(Statable(path), ec);
}

bool IsFile(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

// A path without "." or ".." components and doubled or trailing separators.
bool IsNormal(std::string_view path) {
    for (std::size_t start = 0; start <= path.size();) {
        const std::size_t end = std::min(path.find('/', start), path.size());
        const std::string_view part = path.substr(start, end - start);
        if ((part.empty() && start != 0) || part == "." || part == "..") return false;
        start = end + 1;
    }
    return true;
}

std::string Normal(std::string_view path) {
    std::string text = fs::path(path).lexically_normal().string();
    while (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return text;
}

// The part of file below folder (both normal), empty when it is not below.
std::string_view Below(std::string_view file, std::string_view folder) {
    if (folder == "/") return file.size() > 1 && file.front() == '/' ? file.substr(1) : "";
    if (file.size() <= folder.size() + 1 || !file.starts_with(folder) || file[folder.size()] != '/')
        return {};
    return file.substr(folder.size() + 1);
}

} // namespace

// Paths of this machine never hold a backslash as a separator.
bool IsWindowsPath(std::string_view stored) {
    return HasDrivePrefix(stored) || stored.find('\\') != std::string_view::npos;
}

std::string DecodeWindowsText(std::string_view bytes, const PathSettings& settings) {
    std::optional<std::string> text;
    if (!settings.codePage.empty())
        text = CodePageToUtf8(bytes, settings.codePage);
    else if (IsValidUtf8(bytes))
        return std::string(bytes);
    else
        text = CodePageToUtf8(bytes, kAutomaticCodePage);
    return text ? *text : Latin1ToUtf8(bytes);
}

PathResolver::PathResolver(PathSettings settings) : settings_(std::move(settings)) {}

std::string PathResolver::decode(std::string_view bytes) const {
    return DecodeWindowsText(bytes, settings_);
}

std::string PathResolver::display(std::string_view stored) const {
    return DisplayPath(stored, settings_);
}

std::optional<PathResolver::Parts> PathResolver::split(std::string_view stored) const {
    Parts parts;
    std::string text;
    if (HasDrivePrefix(stored)) {
        const auto drive = settings_.drives.find(StoredDrive(stored));
        if (drive == settings_.drives.end()) return std::nullopt;
        parts.base = drive->second.string();
        if (parts.base.empty()) return std::nullopt;
        text = decode(stored.substr(2));
    } else {
        text = IsWindowsPath(stored) ? decode(stored) : std::string(stored);
        if (!text.empty() && IsSeparator(text.front())) parts.base.assign(1, '/');
    }
    std::string name;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !IsSeparator(text[i])) {
            name += text[i];
            continue;
        }
        if (!name.empty() && name != ".") parts.names.push_back(std::move(name));
        name.clear();
    }
    return parts;
}

std::optional<std::string> PathResolver::match(const std::string& folder, const std::string& name,
                                               bool wantFolder) {
    auto listing = listings_.find(folder);
    if (listing == listings_.end()) {
        listing = listings_.emplace(folder, decltype(listings_)::mapped_type()).first;
        std::error_code ec;
        for (fs::directory_iterator it(Statable(folder), ec), end; !ec && it != end;
             it.increment(ec)) {
            const std::string entry = it->path().filename().string();
            listing->second[FoldCase(entry)].push_back(entry);
        }
        // Names that differ only in letter case: the first in byte order wins, every time.
        for (auto& [key, names] : listing->second)
            std::sort(names.begin(), names.end());
    }
    const auto same = listing->second.find(FoldCase(name));
    if (same == listing->second.end()) return std::nullopt;
    for (const std::string& entry : same->second) {
        std::string path = Join(folder, entry);
        if (wantFolder ? IsFolder(path) : IsFile(path)) return path;
    }
    return std::nullopt;
}

const std::optional<std::string>& PathResolver::folder(const Parts& parts, std::size_t count) {
    std::string exact = parts.base;
    for (std::size_t i = 0; i < count; ++i)
        exact = Join(std::move(exact), parts.names[i]);
    if (auto known = folders_.find(exact); known != folders_.end()) return known->second;
    std::optional<std::string> found;
    if (IsFolder(exact)) {
        found = exact;
    } else if (count > 0) {
        if (const auto& parent = folder(parts, count - 1))
            found = match(*parent, parts.names[count - 1], true);
    }
    return folders_.emplace(std::move(exact), std::move(found)).first->second;
}

const std::optional<std::string>& PathResolver::folderOf(std::string_view stored,
                                                         std::string& name) {
    static const std::optional<std::string> kNone;
    const bool windows = IsWindowsPath(stored);
    std::string text = windows ? decode(stored) : std::string(stored);
    const std::size_t cut = text.find_last_of(windows ? "\\/:" : "/");
    const std::size_t nameStart = cut == std::string::npos ? 0 : cut + 1;
    name = text.substr(nameStart);
    if (name.empty() || name == "." || name == "..") return kNone;
    text.resize(nameStart);
    // A bank lists the files of one folder one after the other.
    if (last_ && last_->first == text) return last_->second;
    auto known = byText_.find(text);
    if (known == byText_.end()) {
        const auto parts = split(stored);
        known =
            byText_
                .emplace(std::move(text), parts ? folder(*parts, parts->names.size() - 1) : kNone)
                .first;
    }
    last_ = &*known;
    return known->second;
}

std::optional<fs::path> PathResolver::find(std::string_view stored) {
    std::string name;
    const auto& dir = folderOf(stored, name);
    if (!dir) return std::nullopt;
    std::string exact = Join(*dir, name);
    if (IsFile(exact)) return fs::path(std::move(exact));
    if (auto other = match(*dir, name, false)) return fs::path(std::move(*other));
    return std::nullopt;
}

fs::path PathResolver::forWriting(std::string_view stored) {
    const auto parts = split(stored);
    if (!parts || parts->names.empty()) {
        std::string text(stored);
        std::replace(text.begin(), text.end(), '\\', '/');
        return text;
    }
    std::string path = parts->base;
    const auto& dir = folder(*parts, parts->names.size() - 1);
    if (dir) {
        path = *dir;
    } else {
        for (std::size_t i = 0; i + 1 < parts->names.size(); ++i)
            path = Join(std::move(path), parts->names[i]);
    }
    return Join(std::move(path), parts->names.back());
}

fs::path PathResolver::file(std::string_view stored) {
    if (auto found = find(stored)) return *found;
    return forWriting(stored);
}

// A mapped folder as given and as the file system names it (links resolved): a file chosen
// through either lies below it.
const std::vector<std::pair<char, std::string>>& PathResolver::mappedFolders() const {
    if (mapped_.empty()) {
        for (const auto& [drive, folder] : settings_.drives) {
            std::error_code ec;
            mapped_.emplace_back(drive, Normal(folder.string()));
            const std::string real = fs::weakly_canonical(folder, ec).string();
            if (!ec && real != mapped_.back().second) mapped_.emplace_back(drive, real);
        }
    }
    return mapped_;
}

StoredForm PathResolver::store(std::string_view file) const {
    const std::string normalised = IsNormal(file) ? std::string() : Normal(file);
    const std::string_view path = normalised.empty() ? file : normalised;
    char drive = 0;
    std::string_view rel;
    for (const auto& [letter, folder] : mappedFolders()) {
        const std::string_view below = Below(path, folder);
        // The deepest mapped folder names the drive.
        if (!below.empty() && (!drive || below.size() < rel.size())) {
            drive = letter;
            rel = below;
        }
    }
    if (!drive) return {std::string(file), {}};
    if (rel.find('\\') != std::string_view::npos)
        return {{},
                "A backslash in a file or folder name cannot be kept in a Windows path: " +
                    std::string(file)};
    std::string text = std::string(1, drive) + ":\\" + std::string(rel);
    std::replace(text.begin() + 3, text.end(), '/', '\\');
    const std::string codePage =
        settings_.codePage.empty() ? std::string(kAutomaticCodePage) : settings_.codePage;
    std::optional<std::string> bytes = Utf8ToCodePage(text, codePage);
    // Read back automatically, bytes that happen to be valid UTF-8 would name another file.
    if (bytes && settings_.codePage.empty() && *bytes != text && IsValidUtf8(*bytes)) bytes.reset();
    if (bytes) return {std::move(*bytes), {}};
    const std::string what = FirstUnencodable(text, codePage);
    return {{},
            "The path cannot be stored in the code page " + codePage +
                (what.empty() ? std::string() : ", which has no \"" + what + "\"") + ": " +
                std::string(file) +
                "\nChoose the code page of the bank's paths (Sample Drives and Code Page, or "
                "--codepage)."};
}

std::vector<std::string> PathComponents(std::string_view shown) {
    if (HasDrivePrefix(shown)) shown.remove_prefix(2);
    std::vector<std::string> names;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= shown.size(); ++i)
        if (i == shown.size() || IsSeparator(shown[i])) {
            if (i > start) names.emplace_back(shown.substr(start, i - start));
            start = i + 1;
        }
    return names;
}

char StoredDrive(std::string_view stored) {
    return HasDrivePrefix(stored) ? char(std::toupper(static_cast<unsigned char>(stored[0]))) : 0;
}

std::optional<fs::path> FindStoredFile(std::string_view stored) {
    return PathResolver().find(stored);
}

std::string DisplayPath(std::string_view stored, const PathSettings& settings) {
    if (IsWindowsPath(stored)) return DecodeWindowsText(stored, settings);
    return IsValidUtf8(stored) ? std::string(stored) : Latin1ToUtf8(stored);
}

std::string_view StoredFileName(std::string_view stored) {
    auto pos = stored.find_last_of("\\/:");
    return pos == std::string_view::npos ? stored : stored.substr(pos + 1);
}

} // namespace ovb
