#include "cli/LoadFile.h"

#include "bank/BankFiles.h"
#include "bank/ScriptFile.h"
#include "job/InputFile.h"

namespace ovb::cli {

bool LoadAnyBankFile(as_bank& bank, const std::filesystem::path& file, JobServices& ui) {
    if (file == "-") {
        bank.reset();
        return true;
    }
    return LoadBankOrScript(bank, file, ui);
}

bool SaveChangedPaths(as_bank& bank, const std::filesystem::path& file, const std::string& suffix,
                      const char* caption, JobServices& ui) {
    std::filesystem::path script = file;
    if (KindOfFile(file) == BankFileKind::Bank) {
        script.replace_filename(file.stem().string() + suffix + ".ovs");
        ui.message(caption,
                   "The bank file keeps its paths; the new paths go to " + script.string());
    }
    return SaveScript(bank, script, ui, true);
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
