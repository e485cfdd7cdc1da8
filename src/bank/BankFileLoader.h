#pragma once
// Loads a bank file (one file or split into volumes) into a bank the caller has reset: the
// description and the sample paths; the audio stays in the file.
#include "bank/Acc_bank_structure.h"
#include "bank/SplitVolumes.h"
#include "job/JobServices.h"

#include <filesystem>

namespace ovb {

// The bank is either fully loaded (true) or reset again. Only a wrong header leaves it as the
// caller left it. Volumes that belong to different saves are refused.
bool LoadBankFile(as_bank& bank, const std::filesystem::path& path, JobServices& ui,
                  const BankStorage& storage = {});

} // namespace ovb
