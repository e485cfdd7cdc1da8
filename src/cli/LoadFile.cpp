#include "cli/LoadFile.h"

#include "bank/BankFiles.h"
#include "job/InputFile.h"

namespace ovb::cli {

bool LoadAnyBankFile(as_bank& bank, const std::filesystem::path& file, JobServices& ui) {
    if (file == "-") {
        bank.reset();
        return true;
    }
    return LoadBankOrScript(bank, file, ui);
}

std::vector<std::string> ReadableFiles(std::vector<std::string> files, JobServices& ui,
                                       unsigned& refused) {
    std::vector<std::string> readable;
    for (std::string& file : files) {
        const InputCheck check = ProbeInput(file);
        if (check.ready()) {
            readable.push_back(std::move(file));
            continue;
        }
        ui.message("Error", InputProblemText(file, check));
        ++refused;
    }
    return readable;
}

} // namespace ovb::cli
