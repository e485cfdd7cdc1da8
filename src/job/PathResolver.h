#pragma once
// Every file the system opens by a stored path is found here. A Windows path
// ("D:\Samples\Piano\C 3.wav", in the code page of the computer that made the bank) has its drive
// mapped through the drive map and its bytes decoded with the code page; a path of this machine
// ("/home/u/C 3.wav") is taken as it is. When that exact file is missing, the same path is matched
// with letter case ignored, one component at a time, as Windows would find it. A resolver lists
// each folder at most once, so a job over a whole bank makes one and asks it for every path. The
// stored bytes themselves are never changed here.
//
// A resolver is used by one thread at a time.
#include "job/PathSettings.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace ovb {

// How a file of this machine is kept in a bank. error says why it cannot be (path is then empty).
struct StoredForm {
    std::string path;
    std::string error;
    bool ok() const { return error.empty(); }
};

class PathResolver {
  public:
    explicit PathResolver(PathSettings settings = CurrentPathSettings());

    // The existing file the stored path names; nothing when it is missing.
    std::optional<std::filesystem::path> find(std::string_view stored);
    // find(), or for a missing file the path it would have.
    std::filesystem::path file(std::string_view stored);
    // A file about to be made: the existing folders matched with letter case ignored, the name
    // decoded as stored.
    std::filesystem::path forWriting(std::string_view stored);

    // The stored path as text to show: UTF-8, decoded with the code page.
    std::string display(std::string_view stored) const;

    // A file under a mapped folder is kept in its Windows form, in the code page, so the bank
    // stays valid on the computer that made it; any other file by its own bytes. file is a full
    // path; the deepest mapped folder it lies below names its drive.
    StoredForm store(std::string_view file) const;

    const PathSettings& settings() const { return settings_; }

  private:
    struct Parts {
        std::string base; // "" for a relative path
        std::vector<std::string> names;
    };
    std::optional<Parts> split(std::string_view stored) const;
    std::string decode(std::string_view bytes) const;
    // The folder of a stored path (worked out once per folder text) and its decoded file name.
    const std::optional<std::string>& folderOf(std::string_view stored, std::string& name);
    // The folder made of the first count names, found with letter case ignored where needed.
    const std::optional<std::string>& folder(const Parts& parts, std::size_t count);
    // An entry of the folder whose name equals name but for letter case.
    std::optional<std::string> match(const std::string& folder, const std::string& name,
                                     bool wantFolder);

    const std::vector<std::pair<char, std::string>>& mappedFolders() const;

    PathSettings settings_;
    mutable std::vector<std::pair<char, std::string>> mapped_;
    std::unordered_map<std::string, std::optional<std::string>> folders_; // by host path
    std::unordered_map<std::string, std::optional<std::string>> byText_;  // by decoded folder text
    const std::pair<const std::string, std::optional<std::string>>* last_ = nullptr;
    // folder -> (name with letter case folded -> the names it stands for)
    std::unordered_map<std::string, std::unordered_map<std::string, std::vector<std::string>>>
        listings_;
};

// The drive letter of a Windows path with a drive prefix (upper case), 0 for other paths.
char StoredDrive(std::string_view stored);
// Paths written by Windows (a drive prefix or a backslash): those the code page applies to.
bool IsWindowsPath(std::string_view stored);
// Bytes of a Windows path, or a piece of one, as UTF-8.
std::string DecodeWindowsText(std::string_view bytes,
                              const PathSettings& settings = CurrentPathSettings());

// The names in a path's text as display() gives it: split at '\' and '/', a drive prefix left out.
std::vector<std::string> PathComponents(std::string_view shown);

// One-off questions, each answered by a resolver over the settings of the run.
std::optional<std::filesystem::path> FindStoredFile(std::string_view stored);
// The stored path as text to show: UTF-8, a Windows path decoded with the code page.
std::string DisplayPath(std::string_view stored,
                        const PathSettings& settings = CurrentPathSettings());

// The file-name part of a stored path: the text after the last '\', '/' or ':'.
std::string_view StoredFileName(std::string_view stored);

} // namespace ovb
