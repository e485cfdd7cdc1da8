#pragma once
// Creates a bank file: the description, the audio of every sample and the paths, across volumes.
#include "bank/Acc_bank_structure.h"
#include "bank/SplitVolumes.h"
#include "job/JobServices.h"

#include <filesystem>

namespace ovb {

// Runs the size calculation first and writes only when it found no errors. The new file and its
// volumes replace the old ones together, only when everything was written; while one program
// writes a bank, another is refused. True when the bank was created.
bool CreateBankFile(as_bank& bank, const std::filesystem::path& destination, JobServices& ui,
                    const BankStorage& storage = {});

} // namespace ovb
