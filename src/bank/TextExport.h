#pragma once
// The names of everything in the bank as a plain text listing, for the user to print or search.
#include "bank/Acc_bank_structure.h"
#include "job/JobServices.h"

#include <filesystem>

namespace ovb {

// Writes the listing to file, replacing it without asking. On failure an "Error" message says
// why, an existing file is left as it was, and the result is false. While one program writes
// the file, another is refused.
bool ExportText(const as_bank& bank, const std::filesystem::path& file, JobServices& ui);

} // namespace ovb
