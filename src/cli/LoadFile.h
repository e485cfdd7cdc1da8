#pragma once
// Loads whatever bank file ovbank is given on the command line, and checks named files.
#include "bank/Acc_bank_structure.h"
#include "job/JobServices.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace ovb::cli {

// Loads a script (.ovs) or bank (.ovb) file into bank; the name "-" stands for an empty, reset
// bank. False, after telling the user why, when the file cannot be loaded.
bool LoadAnyBankFile(as_bank& bank, const std::filesystem::path& file, JobServices& ui);

// Saves a bank a command changed, after a size calculation so that the recorded path area fits
// the paths: a script in place (after the overwrite question), a bank file as the script
// NAME-suffix.ovs beside it, since a bank file is only ever written with its audio. note: what
// the message about a bank file says first ("The bank file keeps its paths").
bool SaveChangedBank(as_bank& bank, const std::filesystem::path& file, std::string_view suffix,
                     std::string_view caption, std::string_view note, JobServices& ui);

// The files named on the command line that can be read. Each of the others (missing, a folder,
// a FIFO or device, empty, unreadable) is reported, left out and counted in `refused`.
std::vector<std::string> ReadableFiles(std::vector<std::string> files, JobServices& ui,
                                       unsigned& refused);

} // namespace ovb::cli
