#pragma once
// Loads whatever bank file ovbank is given on the command line, and checks named files.
#include "bank/Acc_bank_structure.h"
#include "job/JobServices.h"

#include <filesystem>
#include <string>
#include <vector>

namespace ovb::cli {

// Loads a script (.ovs) or bank (.ovb) file into bank; the name "-" stands for an empty, reset
// bank. False, after telling the user why, when the file cannot be loaded.
bool LoadAnyBankFile(as_bank& bank, const std::filesystem::path& file, JobServices& ui);

// Keeps a bank's changed paths: a script is rewritten in place, beside a bank file a new script
// NAME<suffix>.ovs is written (the bank file itself keeps its paths). The size calculation runs
// first, so that the script's recorded path area matches its new paths.
bool SaveChangedPaths(as_bank& bank, const std::filesystem::path& file, const std::string& suffix,
                      const char* caption, JobServices& ui);

// The files named on the command line that can be read. Each of the others (missing, a folder,
// a FIFO or device, empty, unreadable) is reported, left out and counted in `refused`.
std::vector<std::string> ReadableFiles(std::vector<std::string> files, JobServices& ui,
                                       unsigned& refused);

} // namespace ovb::cli
