// ovbank list: the text listing of a bank's names.
#include "bank/TextExport.h"
#include "cli/Command.h"
#include "cli/LoadFile.h"
#include "cli/OutputCheck.h"

namespace ovb::cli {

namespace {

int List(const Args& args, JobServices& ui) {
    if (!OutputAllowed(args.positional[1], OutputKind::Text, InputFilesOf(args.positional[0]),
                       args.yes, ui))
        return kExitFailed;
    as_bank bank;
    if (!LoadAnyBankFile(bank, args.positional[0], ui)) return kExitFailed;
    return ExportText(bank, args.positional[1], ui) ? kExitDone : kExitFailed;
}

} // namespace

void AddListCommands(CommandTable& table) {
    table.push_back({.name = "list",
                     .usage = "FILE OUT.txt",
                     .summary = "write the names of everything in bank FILE ('-': an empty bank) "
                                "to a text file",
                     .minArgs = 2,
                     .maxArgs = 2,
                     .flags = {},
                     .run = List});
}

} // namespace ovb::cli
