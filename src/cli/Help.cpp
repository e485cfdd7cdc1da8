#include "cli/Help.h"

#include "job/PathSettings.h"

#include <algorithm>
#include <string>

namespace ovb::cli {

namespace {

std::string Synopsis(const Command& c) {
    return c.usage.empty() ? c.name : c.name + " " + c.usage;
}

void PrintRow(std::FILE* to, std::size_t width, const std::string& left, const std::string& right) {
    std::fprintf(to, "  %-*s  %s\n", int(width), left.c_str(), right.c_str());
}

} // namespace

void PrintCommandList(std::FILE* to, const CommandTable& table) {
    std::size_t width = 16;
    for (const Command& c : table)
        width = std::max(width, Synopsis(c).size());
    std::fprintf(to, "usage: ovbank [OPTIONS] COMMAND [ARGUMENTS]\n\nCommands:\n");
    for (const Command& c : table)
        PrintRow(to, width, Synopsis(c), c.summary);
    std::fprintf(to, "\nOptions, anywhere on the command line:\n");
    PrintRow(to, width, "--yes",
             "answer Yes or OK to every question; let an output replace a bank or script of "
             "another kind");
    PrintRow(to, width, "--quiet", "show no messages and no progress");
    PrintRow(to, width, "--map D:=FOLDER", "find stored paths of drive D: in FOLDER (repeatable)");
    PrintRow(to, width, "--codepage NAME",
             "read stored Windows paths in this code page (windows-1251, ...)");
    PrintRow(to, width, "--help", "show this list, or with a command its usage");
    std::fprintf(to, "\nDrives and code page are also read from %s.\n", PathSettingsFile().c_str());
    std::fprintf(to, "\nExit codes: 0 done, 1 refused or errors found, 2 usage error.\n");
}

void PrintCommandUsage(std::FILE* to, const Command& command) {
    std::fprintf(to, "usage: ovbank %s\n  %s\n", Synopsis(command).c_str(),
                 command.summary.c_str());
    if (!command.flags.empty()) {
        std::fprintf(to, "options:");
        for (const std::string& f : command.flags)
            std::fprintf(to, " %s", f.c_str());
        std::fprintf(to, "\n");
    }
}

} // namespace ovb::cli
