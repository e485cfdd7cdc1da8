// ovbank check: the consistency checks of a bank file, each printing its report or its
// nothing-found message. The exit code says whether any check found something.
#include "cli/Command.h"
#include "cli/LoadFile.h"
#include "tools/BankChecks.h"

#include <algorithm>
#include <iterator>

namespace ovb::cli {

namespace {

using CheckFunction = unsigned (*)(const as_bank&, JobServices&);

struct CheckOption {
    const char* flag;
    CheckFunction run;
};

// In the order the Tools menu lists them. The duplicate check runs without its long-time
// warning: naming it on the command line is the answer.
const CheckOption kChecks[] = {
    {"--missing", CheckMissingFiles},          {"--unused", CheckUnusedMultisamples},
    {"--latin", CheckNonLatinPaths},           {"--delimiters", CheckDoubledDelimiters},
    {"--names", CheckMultisampleNames},        {"--duplicates", ScanDuplicatedSamples},
    {"--first-sample", CheckFirstSampleLevel}, {"--loops", ReportLoops},
};

int Check(const Args& args, JobServices& ui) {
    as_bank bank;
    if (!LoadAnyBankFile(bank, args.positional[0], ui)) return kExitFailed;
    const bool all =
        args.has("--all") || std::none_of(std::begin(kChecks), std::end(kChecks),
                                          [&](const CheckOption& c) { return args.has(c.flag); });
    unsigned found = 0;
    for (const CheckOption& c : kChecks)
        if (all || args.has(c.flag)) found += c.run(bank, ui);
    return found == 0 ? kExitDone : kExitFailed;
}

} // namespace

void AddCheckCommands(CommandTable& table) {
    std::vector<std::string> flags{"--all"};
    for (const CheckOption& c : kChecks)
        flags.emplace_back(c.flag);
    table.push_back({"check", "FILE [--CHECK...|--all]",
                     "run the named consistency checks (all without any); exit 1 on a finding", 1,
                     1, flags, Check});
}

} // namespace ovb::cli
