#pragma once
// The command table of ovbank. Each group of commands lives in its own file and adds its entries
// through one Add...Commands function, called from AllCommands() in CommandTable.cpp.
#include "job/JobServices.h"

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace ovb::cli {

constexpr int kExitDone = 0;
constexpr int kExitFailed = 1; // refused, failed or found errors
constexpr int kExitUsage = 2;

// A command's arguments once the global options are taken out.
struct Args {
    std::vector<std::string> positional;
    // The command's own options as given: "--fix" -> "", "--to=x" -> "x".
    std::map<std::string, std::string, std::less<>> flags;
    bool yes = false; // --yes: also agree to replace a file of another kind

    bool has(std::string_view flag) const { return flags.find(flag) != flags.end(); }
    std::string value(std::string_view flag, std::string fallback = {}) const {
        auto it = flags.find(flag);
        return it == flags.end() ? fallback : it->second;
    }
};

struct Command {
    std::string name;
    std::string usage;   // what follows the name: "FILE OUT.txt"
    std::string summary; // one line for the command list
    std::size_t minArgs = 0;
    std::size_t maxArgs = 0;
    std::vector<std::string> flags; // the options the command accepts, as "--name"
    // Runs with a positional count within [minArgs, maxArgs] and known flags only; returns the
    // exit code.
    std::function<int(const Args&, JobServices&)> run;
};

using CommandTable = std::vector<Command>;

CommandTable AllCommands();
const Command* FindCommand(const CommandTable& table, std::string_view name);

} // namespace ovb::cli
