// ovbank relink: missing samples found again below a folder. With --yes the bank's paths name
// the files found and are saved: a script in place, beside a bank file a new script.
#include "cli/Command.h"
#include "cli/LoadFile.h"
#include "tools/Relink.h"

#include <cstdio>
#include <memory>

namespace ovb::cli {

namespace {

constexpr char kSearch[] = "--search";

int Relink(const Args& args, JobServices& ui) {
    std::vector<std::string> words = args.positional;
    std::string folder = args.value(kSearch);
    // "--search DIR": the folder is the word after the file.
    if (folder.empty() && args.has(kSearch) && words.size() == 2) {
        folder = words.back();
        words.pop_back();
    }
    if (folder.empty() || words.size() != 1) {
        std::fprintf(stderr, "ovbank: relink FILE --search DIR [--yes]\n");
        return kExitUsage;
    }
    auto bank = std::make_unique<as_bank>();
    if (!LoadAnyBankFile(*bank, words[0], ui)) return kExitFailed;
    const RelinkSession s = LocateMissingSamples(*bank, folder, ui);
    if (s.slotsChanged && !SaveChangedBank(*bank, words[0], "relinked", kRelinkCaption,
                                           "The bank file keeps its paths", ui))
        return kExitFailed;
    return s.clean() ? kExitDone : kExitFailed;
}

} // namespace

void AddRelinkCommands(CommandTable& table) {
    table.push_back({"relink",
                     "FILE --search DIR [--yes]",
                     "find the bank's missing samples below DIR (letter case ignored); with --yes "
                     "the bank's paths name them",
                     1,
                     2,
                     {kSearch},
                     Relink});
}

} // namespace ovb::cli
