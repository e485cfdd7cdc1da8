#pragma once
// The two file forms of a bank, told apart by their extension, or by their contents when the name
// has neither (a file the desktop recognised by its header).
#include "bank/Acc_bank_structure.h"
#include "job/FileStore.h"
#include "job/JobServices.h"

#include <filesystem>

namespace ovb {

enum class BankFileKind { Script, Bank, Unknown };

// ".ovs" is a script and ".ovb" a bank file, in any case. Another name: a file with the header is a
// script when its path marker follows the records, else a bank file; anything else is Unknown.
BankFileKind KindOfFile(const std::filesystem::path& path);
// By the contents alone, whatever the name: Unknown for anything that is neither (also for a file
// that cannot be read).
BankFileKind KindOfContents(const std::filesystem::path& path);

// Resets the bank and loads a script or bank file into it. False, after telling the user, when
// it could not be loaded (the bank is then reset).
bool LoadBankOrScript(as_bank& bank, const std::filesystem::path& path, JobServices& ui,
                      FileStore& files = DiskFiles());

} // namespace ovb
