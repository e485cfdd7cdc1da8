#pragma once
// Turning a bank file back into WAV files: the files of one multisample into a chosen folder, or
// the whole library under a chosen folder, rebuilding the library's folders below its common
// path. Audio is read from the loaded bank file and its volumes; every file is written under a
// temporary name and renamed into place when complete. The bank itself never changes.
#include "bank/Acc_bank_structure.h"
#include "job/FileStore.h"
#include "job/JobServices.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

namespace ovb {

// The loaded file is a bank file (extension ".OVB" in any case): only bank files carry audio.
bool IsBankFileLoaded(const std::filesystem::path& loadedFile);

// Tells the user why the multisample cannot be exported: no bank file loaded, or no samples.
bool CanExportMultisample(const as_bank& bank, const std::filesystem::path& loadedFile,
                          unsigned multisample, JobServices& ui);
struct MultisampleExportResult {
    unsigned exported = 0, errors = 0;
};
// Writes the multisample's files into folder, each under its file name, and the multisample-name
// marker file; shows the report and returns the number of files written and of failures.
MultisampleExportResult ExportMultisample(const as_bank& bank,
                                          const std::filesystem::path& bankFile,
                                          unsigned multisample, const std::filesystem::path& folder,
                                          JobServices& ui, FileStore& bankFiles = DiskFiles());

// A bank file is loaded and the user accepted the warning about time and disk space.
bool ConfirmLibraryExport(const std::filesystem::path& loadedFile, JobServices& ui);

// Bytes free for this process on the disk holding the folder; nullopt when unknown.
using FreeSpaceQuery = std::function<std::optional<std::uint64_t>(const std::filesystem::path&)>;
std::optional<std::uint64_t> DiskFreeSpace(const std::filesystem::path& folder);

struct LibraryExportResult {
    bool started = false; // the bank could be read and the disk had room
    unsigned forExport = 0, exported = 0, errors = 0;
};
// Writes every sample of the bank below folder: commonPath in each stored path is replaced by
// the folder. Shows the error report, or the all-OK message.
LibraryExportResult ExportLibrary(const as_bank& bank, const std::filesystem::path& bankFile,
                                  std::string_view commonPath, const std::filesystem::path& folder,
                                  JobServices& ui, const FreeSpaceQuery& freeSpace = DiskFreeSpace,
                                  FileStore& bankFiles = DiskFiles());

// Where the library export writes a stored path: commonPath replaced by the folder and one
// backslash, doubled backslashes folded; with no common path, each file goes below folder under
// its drive letter (FOLDER/D/Samples/a.wav). nullopt when the result would not lie inside folder
// (no replacement at its start, ".." components, an empty file name, a drive or an absolute
// path after the folder).
std::optional<std::filesystem::path> LibraryOutputPath(std::string_view stored,
                                                       std::string_view commonPath,
                                                       const std::filesystem::path& folder);

} // namespace ovb
