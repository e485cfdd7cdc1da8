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

bool SaveChangedBank(as_bank& bank, const std::filesystem::path& file, std::string_view suffix,
                     std::string_view caption, std::string_view note, JobServices& ui) {
    std::filesystem::path script = file;
    if (KindOfFile(file) == BankFileKind::Bank) {
        script.replace_filename(file.stem().string() + "-" + std::string(suffix) + ".ovs");
        ui.message(caption, std::string(note) + "; the changed bank goes to " + script.string());
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
