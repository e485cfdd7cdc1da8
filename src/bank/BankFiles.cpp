#include "bank/BankFiles.h"

#include "bank/BankFileLoader.h"
#include "bank/ScriptFile.h"

#include <algorithm>
#include <cctype>

namespace ovb {

BankFileKind KindOfFile(const std::filesystem::path& path) {
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    if (ext == ".ovs") return BankFileKind::Script;
    if (ext == ".ovb") return BankFileKind::Bank;
    return BankFileKind::Unknown;
}

bool LoadBankOrScript(as_bank& bank, const std::filesystem::path& path, JobServices& ui,
                      FileStore& files) {
    bank.reset();
    switch (KindOfFile(path)) {
    case BankFileKind::Script:
        return LoadScript(bank, path, ui, files);
    case BankFileKind::Bank:
        return LoadBankFile(bank, path, ui, {files});
    case BankFileKind::Unknown:
        break;
    }
    ui.message("Error", "Unknown file type: " + path.string() +
                            "\nA script file ends with .ovs, a bank file with .ovb.");
    return false;
}

} // namespace ovb
