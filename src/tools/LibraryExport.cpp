// Export of the whole library. Output paths come from the stored paths by replacing the library
// common path with the chosen folder; a path that would not end up inside that folder (the
// replacement missing at its start, ".." or a drive after it) is never written but reported as an
// error, so a bank cannot make the export overwrite files elsewhere, such as the library itself.
#include "tools/SampleExport.h"

#include "base/Formatting.h"
#include "job/PathResolver.h"
#include "tools/CheckHelpers.h"
#include "tools/ExportedFiles.h"
#include "tools/LibraryPaths.h"

#include <system_error>

namespace ovb {

namespace {

using checks::Lines;

constexpr const char* kStars = "*********************************************************";

struct ErrorList {
    Lines& lines;
    unsigned count = 0;
    void add(const char* problem, const std::string& path) {
        ++count;
        lines.push_back(Format("ERROR: %04u  %s%s", count, problem, path.c_str()));
    }
};

bool HasRoom(const Mysplitfilereader& in, const std::filesystem::path& folder,
             const FreeSpaceQuery& freeSpace, JobServices& ui) {
    const std::optional<std::uint64_t> free = freeSpace(folder);
    if (free && *free > in.Size()) return true;
    ui.message("Error!", "No available disk free space for make library export!\nNeed: " +
                             FormatWithSpaces(in.Size()) +
                             " bites\nAvailable: " + FormatWithSpaces(free.value_or(0)) + " bytes");
    return false;
}

// Writes the multisample's samples; returns the folder of the last file written, if any.
std::optional<std::filesystem::path>
ExportSamples(const as_bank& bank, unsigned m, Mysplitfilereader& in, std::string_view commonPath,
              const std::filesystem::path& folder, JobServices& ui, LibraryExportResult& result,
              ErrorList& errors) {
    std::optional<std::filesystem::path> last;
    for (unsigned slot = 0; slot < kSamplesPerMultisample; ++slot) {
        const std::string& stored = bank.path(m, slot);
        if (IsEmptyPath(stored)) continue;
        const auto out = LibraryOutputPath(stored, commonPath, folder);
        if (!out) {
            errors.add("Output path leaves the chosen folder, not written: ", stored);
            continue;
        }
        std::error_code ec;
        std::filesystem::create_directories(out->parent_path(), ec);
        std::string why;
        ui.SetProgressText(out->string());
        if (ec || !WriteSampleWav(in, bank.multisample(m).sample[slot], *out, why)) {
            errors.add("Problem when try to write WAV file: ", out->string());
            continue;
        }
        ++result.exported;
        last = out->parent_path();
    }
    return last;
}

} // namespace

std::optional<std::uint64_t> DiskFreeSpace(const std::filesystem::path& folder) {
    std::error_code ec;
    const auto info = std::filesystem::space(folder, ec);
    if (ec) return std::nullopt;
    return info.available;
}

bool ConfirmLibraryExport(const std::filesystem::path& loadedFile, JobServices& ui) {
    if (!IsBankFileLoaded(loadedFile)) {
        ui.message("Error!", "Not loaded VALID BANK FILE!");
        return false;
    }
    return ui.yes("WARNING!!!", "This is massive and long time consumption operation!\nYou need "
                                "large free disk size for this operation!\n\nAre You Sure to "
                                "contonue?");
}

namespace {

// The path below the folder when no path is common to all samples: the drive letter becomes a
// folder of its own ("D:\Samples\a.wav" gives "D\Samples\a.wav"), so that the libraries of
// several drives land side by side.
std::string BelowDriveFolder(std::string_view stored) {
    const bool drive =
        stored.size() >= 2 && stored[1] == ':' &&
        ((stored[0] >= 'A' && stored[0] <= 'Z') || (stored[0] >= 'a' && stored[0] <= 'z'));
    if (!drive) return FoldDoubledBackslashes(stored);
    return std::string(1, stored[0]) + "\\" + FoldDoubledBackslashes(stored.substr(2));
}

} // namespace

std::optional<std::filesystem::path> LibraryOutputPath(std::string_view stored,
                                                       std::string_view commonPath,
                                                       const std::filesystem::path& folder) {
    std::string text;
    std::size_t start = 0;
    if (commonPath.empty()) {
        text = BelowDriveFolder(stored);
    } else {
        const std::string root = FolderAsLibraryPath(folder.string());
        text = FoldDoubledBackslashes(ReplaceAll(stored, commonPath, root));
        if (!text.starts_with(root)) return std::nullopt;
        start = root.size();
    }
    std::filesystem::path out = folder;
    std::string_view rest = std::string_view(text).substr(start);
    if (rest.empty() || rest.back() == '\\' || rest.back() == '/') return std::nullopt;
    std::string_view name;
    while (!rest.empty()) {
        const auto cut = rest.find_first_of("\\/");
        name = rest.substr(0, cut);
        rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1);
        if (name.empty() && !rest.empty()) continue; // "a\/b" and doubled slashes
        if (name == ".") continue;
        if (!IsPlainFileName(name)) return std::nullopt;
        out /= IsWindowsPath(stored) ? DecodeWindowsText(name) : std::string(name);
    }
    return out;
}

namespace {

// When every slot names one and the same file, the common path is that whole path and replacing
// it would leave no file name: the file then goes straight into the chosen folder.
std::string ExportRoot(const as_bank& bank, std::string_view commonPath) {
    for (unsigned m = 0; m < kMultisamples; ++m)
        for (const std::string& path : bank.paths(m))
            if (path == commonPath) {
                const auto cut = commonPath.find_last_of("\\/:");
                return std::string(
                    commonPath.substr(0, cut == std::string_view::npos ? 0 : cut + 1));
            }
    return std::string(commonPath);
}

} // namespace

LibraryExportResult ExportLibrary(const as_bank& bank, const std::filesystem::path& bankFile,
                                  std::string_view commonPath, const std::filesystem::path& folder,
                                  JobServices& ui, const FreeSpaceQuery& freeSpace,
                                  FileStore& bankFiles) {
    LibraryExportResult result;
    Mysplitfilereader in(ui, bankFiles);
    if (!in.Open(bankFile, true)) {
        ui.message("Error", "Cannot open BANK file for reading!");
        return result;
    }
    if (!HasRoom(in, folder, freeSpace, ui)) return result;
    result.started = true;
    ProgressScope progress(ui, 'r');
    ui.SetProgressText("Export All Library Samples...");
    Lines lines{"E R R O R    R E P O R T", kStars};
    ErrorList errors{lines};
    result.forExport = unsigned(UsedSlots(bank).size());
    const std::string root = ExportRoot(bank, commonPath);
    for (unsigned m = 0; m < kMultisamples; ++m) {
        const auto last = ExportSamples(bank, m, in, root, folder, ui, result, errors);
        const std::string marker = last ? NameMarkerFileName(bank, m) : std::string();
        if (last && (marker.empty() || !WriteNameMarker(*last / marker)))
            errors.add(
                "Problem when try to write MULTISAMPLE NAME msn file: ",
                (*last / (marker.empty() ? NameString(bank.multisample(m).name) + ".msn" : marker))
                    .string());
        checks::Step(ui, result.exported, result.forExport);
    }
    in.Close();
    progress.hide();
    result.errors = errors.count;
    lines.push_back(kStars);
    lines.push_back("");
    lines.push_back(Format("WAV files for export: %u", result.forExport));
    lines.push_back(Format("Really Exported WAV files: %u", result.exported));
    lines.push_back(Format("Total Error Count: %u", result.errors));
    if (result.errors != 0) {
        ui.ShowReport("Report: Multisample Exported Error Report", lines);
        ui.CloseReport();
    } else {
        ui.message("Info", "Export Complete Sucessfully!\n\nNo Error Found!\n\nAll is OK!");
    }
    return result;
}

} // namespace ovb
