#pragma once
// Loads whatever bank file ovbank is given on the command line.
#include "bank/Acc_bank_structure.h"
#include "job/JobServices.h"

#include <filesystem>

namespace ovb::cli {

// Loads a script (.ovs) or bank (.ovb) file into bank; the name "-" stands for an empty, reset
// bank. False, after telling the user why, when the file cannot be loaded.
bool LoadAnyBankFile(as_bank& bank, const std::filesystem::path& file, JobServices& ui);

} // namespace ovb::cli
