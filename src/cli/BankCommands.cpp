// ovbank new, info, size, build, script: the bank file forms.
#include "bank/BankFileWriter.h"
#include "bank/BankFiles.h"
#include "bank/BankSize.h"
#include "bank/ScriptFile.h"
#include "base/Formatting.h"
#include "cli/Command.h"
#include "cli/LoadFile.h"
#include "cli/OutputCheck.h"

#include <cstdio>

namespace ovb::cli {

namespace {

int New(const Args& args, JobServices& ui) {
    if (!OutputAllowed(args.positional[0], OutputKind::Script, {}, args.yes, ui))
        return kExitFailed;
    as_bank bank;
    return SaveScript(bank, args.positional[0], ui, false) ? kExitDone : kExitFailed;
}

struct Counts {
    unsigned namedSounds = 0, filledMultisamples = 0, paths = 0;
};

Counts CountContent(const as_bank& bank) {
    Counts c;
    for (unsigned i = 0; i < kSounds; ++i)
        c.namedSounds += bank.sound(i).name != EmptyName<16>();
    for (unsigned m = 0; m < kMultisamples; ++m) {
        const unsigned n = unsigned(UsedSlots(bank, m).size());
        c.paths += n;
        c.filledMultisamples += n != 0;
    }
    return c;
}

int Info(const Args& args, JobServices& ui) {
    as_bank bank;
    const std::string& file = args.positional[0];
    if (!LoadAnyBankFile(bank, file, ui)) return kExitFailed;
    const bank_file_info& info = bank.info();
    Counts c = CountContent(bank);
    const char* kind = KindOfFile(file) == BankFileKind::Bank ? "bank file" : "script file";
    std::printf("File:                 %s (%s)\n", file.c_str(), kind);
    std::printf("Bank size:            %s bytes\n", FormatWithSpaces(info.bank_size()).c_str());
    std::printf("Sample data offset:   %s bytes\n",
                FormatWithSpaces(info.sample_data_offset()).c_str());
    std::printf("Sample data size:     %s bytes\n",
                FormatWithSpaces(info.sample_data_size()).c_str());
    std::printf("Path area size:       %s bytes (both copies)\n",
                FormatWithSpaces(info.path_area_size()).c_str());
    std::printf("Created as:           %s\n", info.bank_path().c_str());
    std::printf("Named sounds:         %u\n", c.namedSounds);
    std::printf("Multisamples in use:  %u\n", c.filledMultisamples);
    std::printf("Sample paths:         %u\n", c.paths);
    return kExitDone;
}

int Size(const Args& args, JobServices& ui) {
    as_bank bank;
    if (!LoadAnyBankFile(bank, args.positional[0], ui)) return kExitFailed;
    BankSizeResult size = CalculateBankSize(bank, ui);
    std::printf("%s\n", EstimatedSizeText(size.totalSize).c_str());
    return size.errors ? kExitFailed : kExitDone;
}

int Build(const Args& args, JobServices& ui) {
    if (!OutputAllowed(args.positional[1], OutputKind::Bank, InputFilesOf(args.positional[0]),
                       args.yes, ui))
        return kExitFailed;
    as_bank bank;
    if (!LoadAnyBankFile(bank, args.positional[0], ui)) return kExitFailed;
    return CreateBankFile(bank, args.positional[1], ui) ? kExitDone : kExitFailed;
}

int Script(const Args& args, JobServices& ui) {
    if (!OutputAllowed(args.positional[1], OutputKind::Script, InputFilesOf(args.positional[0]),
                       args.yes, ui))
        return kExitFailed;
    as_bank bank;
    if (!LoadAnyBankFile(bank, args.positional[0], ui)) return kExitFailed;
    return SaveScript(bank, args.positional[1], ui, args.has("--recalc")) ? kExitDone : kExitFailed;
}

} // namespace

void AddBankCommands(CommandTable& table) {
    table.push_back({"new", "OUT.ovs", "write the script of an empty bank", 1, 1, {}, New});
    table.push_back({"info",
                     "FILE",
                     "load a script (.ovs) or bank (.ovb) file and summarise it",
                     1,
                     1,
                     {},
                     Info});
    table.push_back(
        {"size", "FILE", "check every WAV file of FILE and print the bank size", 1, 1, {}, Size});
    table.push_back({"build",
                     "SCRIPT BANK.ovb",
                     "create the bank file with all audio from a script",
                     2,
                     2,
                     {},
                     Build});
    table.push_back({"script",
                     "FILE OUT.ovs [--recalc]",
                     "save FILE as a script, after a size calculation with --recalc",
                     2,
                     2,
                     {"--recalc"},
                     Script});
}

} // namespace ovb::cli
