#pragma once
// The two file forms of a bank, told apart by their extension (the header is the same).
#include "bank/Acc_bank_structure.h"
#include "job/FileStore.h"
#include "job/JobServices.h"

#include <filesystem>

namespace ovb {

enum class BankFileKind { Script, Bank, Unknown };

// ".ovs" is a script and ".ovb" a bank file, in any case.
BankFileKind KindOfFile(const std::filesystem::path& path);

// Resets the bank and loads a script or bank file into it. False, after telling the user, when
// it could not be loaded (the bank is then reset).
bool LoadBankOrScript(as_bank& bank, const std::filesystem::path& path, JobServices& ui,
                      FileStore& files = DiskFiles());

} // namespace ovb
