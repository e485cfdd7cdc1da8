// ovbank dump, apply, diff, merge: a bank as JSON text and back, what differs between two banks,
// and one bank's records added to another's free positions.
#include "bank/BankFiles.h"
#include "bank/ScriptFile.h"
#include "cli/Command.h"
#include "cli/LoadFile.h"
#include "job/ReplacingFile.h"
#include "tools/DescriptionApply.h"
#include "tools/DescriptionDump.h"

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>

namespace ovb::cli {

namespace {

bool ReadText(const std::filesystem::path& file, std::string& text, JobServices& ui) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream all;
    if (in) all << in.rdbuf();
    if (!in || in.bad()) {
        ui.message("Error", "Can not read " + file.string());
        return false;
    }
    text = std::move(all).str();
    return true;
}

bool WriteText(const std::filesystem::path& file, const std::string& text, JobServices& ui) {
    ReplacingFile out(file);
    if (out.ok() && out.write(text.data(), text.size()) && out.commit()) return true;
    ui.message("Error", "Can not write " + file.string() + "\n" + out.error());
    return false;
}

bool IsScriptName(const std::filesystem::path& file) {
    if (KindOfFile(file) == BankFileKind::Script) return true;
    std::fprintf(stderr, "ovbank: %s is not a script name (.ovs)\n", file.string().c_str());
    return false;
}

int Dump(const Args& args, JobServices& ui) {
    auto bank = std::make_unique<as_bank>();
    if (!LoadAnyBankFile(*bank, args.positional[0], ui)) return kExitFailed;
    const std::string text = DumpDescription(*bank);
    if (args.positional.size() == 2)
        return WriteText(args.positional[1], text, ui) ? kExitDone : kExitFailed;
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() &&
                   std::fflush(stdout) == 0
               ? kExitDone
               : kExitFailed;
}

int Apply(const Args& args, JobServices& ui) {
    const std::filesystem::path description = args.positional[0], out = args.positional[1];
    if (!IsScriptName(out)) return kExitUsage;
    std::string text, error;
    if (!ReadText(description, text, ui)) return kExitFailed;
    auto bank = std::make_unique<as_bank>();
    if (!ReadDescription(text, *bank, error)) {
        ui.message("Error", description.string() + ": " + error + "\nNothing was written.");
        return kExitFailed;
    }
    return SaveScript(*bank, out, ui, false) ? kExitDone : kExitFailed;
}

} // namespace

void AddDescriptionCommands(CommandTable& table) {
    table.push_back({"dump",
                     "FILE [OUT.json]",
                     "write the whole bank description as JSON (to standard output without OUT)",
                     1,
                     2,
                     {},
                     Dump});
    table.push_back({"apply",
                     "DESC.json OUT.ovs",
                     "write the script of a bank description (JSON as dump writes it)",
                     2,
                     2,
                     {},
                     Apply});
}

} // namespace ovb::cli
