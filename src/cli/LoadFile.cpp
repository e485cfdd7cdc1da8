#include "cli/LoadFile.h"

#include "bank/BankFiles.h"

namespace ovb::cli {

bool LoadAnyBankFile(as_bank& bank, const std::filesystem::path& file, JobServices& ui) {
    if (file == "-") {
        bank.reset();
        return true;
    }
    return LoadBankOrScript(bank, file, ui);
}

} // namespace ovb::cli
