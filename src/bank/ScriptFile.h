#pragma once
// The script file: the whole bank description with the sample paths and no audio; the form in
// which a bank is edited.
#include "bank/Acc_bank_structure.h"
#include "job/FileStore.h"
#include "job/JobServices.h"

#include <filesystem>
#include <optional>

namespace ovb {

// Saves the bank as a script. An existing file is replaced only after the user agreed. recalc:
// whether to run the size calculation first (it refreshes bank_file_info); nullopt asks the user.
// True when the script was written.
bool SaveScript(as_bank& bank, const std::filesystem::path& path, JobServices& ui,
                std::optional<bool> recalc = std::nullopt, FileStore& files = DiskFiles());

// Writes the script without any question. While one program writes a script, another is refused.
bool WriteScript(const as_bank& bank, const std::filesystem::path& path, JobServices& ui,
                 FileStore& files = DiskFiles());

// Loads a script into a bank the caller has reset. The bank is either fully loaded or reset
// again; true when it was loaded.
bool LoadScript(as_bank& bank, const std::filesystem::path& path, JobServices& ui,
                FileStore& files = DiskFiles());

} // namespace ovb
