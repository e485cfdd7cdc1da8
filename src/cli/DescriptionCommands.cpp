// ovbank dump, apply, diff, merge: a bank as JSON text and back, what differs between two banks,
// and one bank's records added to another's free positions.
#include "bank/BankFiles.h"
#include "bank/PathArea.h"
#include "bank/ScriptFile.h"
#include "cli/Command.h"
#include "cli/LoadFile.h"
#include "base/Formatting.h"
#include "job/ReplacingFile.h"
#include "tools/BankDiff.h"
#include "tools/BankMerge.h"
#include "tools/DescriptionApply.h"
#include "tools/DescriptionDump.h"

#include <cctype>
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

// diff's own exit code for a file it cannot compare, as diff(1) has it: 1 means "they differ".
constexpr int kExitTrouble = 2;

bool IsDescriptionName(const std::filesystem::path& file) {
    std::string extension = file.extension().string();
    for (char& c : extension)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return extension == ".json";
}

bool ReadDescriptionFile(const std::filesystem::path& file, as_bank& bank, JobServices& ui,
                         const char* after = "") {
    std::string text, error;
    if (!ReadText(file, text, ui)) return false;
    if (ReadDescription(text, bank, error)) return true;
    ui.message("Error", file.string() + ": " + error + after);
    return false;
}

// A script, a bank file, or a bank description (.json).
std::unique_ptr<as_bank> LoadBank(const std::filesystem::path& file, JobServices& ui) {
    auto bank = std::make_unique<as_bank>();
    const bool loaded = IsDescriptionName(file) ? ReadDescriptionFile(file, *bank, ui)
                                                : LoadAnyBankFile(*bank, file, ui);
    return loaded ? std::move(bank) : nullptr;
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
    auto bank = std::make_unique<as_bank>();
    if (!ReadDescriptionFile(description, *bank, ui, "\nNothing was written.")) return kExitFailed;
    return SaveScript(*bank, out, ui, false) ? kExitDone : kExitFailed;
}

int Diff(const Args& args, JobServices& ui) {
    const auto a = LoadBank(args.positional[0], ui);
    const auto b = a ? LoadBank(args.positional[1], ui) : nullptr;
    if (!b) return kExitTrouble;
    const std::vector<std::string> lines = DiffBanks(*a, *b);
    for (const std::string& line : lines)
        std::printf("%s\n", line.c_str());
    std::fflush(stdout);
    if (lines.empty()) {
        ui.message("Info", "The banks are equal.");
        return kExitDone;
    }
    ui.message("Info", Format("%zu records or blocks differ.", lines.size()));
    return kExitFailed;
}

// The combined bank is written as a script. Its bank_file_info stays A's but for the size of
// the path area, which now holds B's paths too: the script must load without a question.
int Merge(const Args& args, JobServices& ui) {
    const std::filesystem::path out = args.positional[2];
    if (!IsScriptName(out)) return kExitUsage;
    const auto a = LoadBank(args.positional[0], ui);
    const auto b = a ? LoadBank(args.positional[1], ui) : nullptr;
    if (!b || !CombineBanks(*a, *b, ui)) return kExitFailed;
    a->info().set_path_area_size(2 * PathAreaSize(*a));
    return SaveScript(*a, out, ui, false) ? kExitDone : kExitFailed;
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
    table.push_back({"diff",
                     "A B",
                     "list what differs between two banks (scripts, bank files or JSON); exit 0 "
                     "when equal, 1 when they differ, 2 when one cannot be read",
                     2,
                     2,
                     {},
                     Diff});
    table.push_back({"merge",
                     "A B OUT.ovs",
                     "add the named records of bank B to the free positions of bank A, links "
                     "renumbered, and write the result as a script",
                     3,
                     3,
                     {},
                     Merge});
}

} // namespace ovb::cli
