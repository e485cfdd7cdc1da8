#include "cli/Commands.h"

#include "cli/Command.h"
#include "cli/CommandLine.h"
#include "cli/Help.h"
#include "job/PathSettings.h"

#include <cstdio>
#include <exception>
#include <string>

namespace ovb::cli {

namespace {

int UsageError(const std::string& problem, const Command* command) {
    std::fprintf(stderr, "ovbank: %s\n", problem.c_str());
    if (command)
        PrintCommandUsage(stderr, *command);
    else
        std::fprintf(stderr, "Run 'ovbank --help' for the commands and options.\n");
    return kExitUsage;
}

// A job that throws (out of memory, a filesystem error) ends with a message, not a crash.
int RunCommand(const Command& command, const Args& args, JobServices& ui) {
    try {
        return command.run(args, ui);
    } catch (const std::exception& e) {
        ui.message("Error", e.what());
        return kExitFailed;
    }
}

} // namespace

int Run(int argc, char** argv) {
    CommandLine line;
    std::string error;
    if (!ParseCommandLine(argc, argv, line, error)) return UsageError(error, nullptr);

    CommandTable table = AllCommands();
    if (line.words.empty()) {
        // Without a command only --help is a complete request.
        PrintCommandList(line.help ? stdout : stderr, table);
        return line.help ? kExitDone : kExitUsage;
    }
    const Command* command = FindCommand(table, line.words.front());
    if (!command) return UsageError("unknown command '" + line.words.front() + "'", nullptr);
    if (line.help) {
        PrintCommandUsage(stdout, *command);
        return kExitDone;
    }

    Args args;
    args.yes = line.console.yesToAll;
    line.words.erase(line.words.begin());
    if (!ParseArgs(*command, line.words, args, error)) return UsageError(error, command);

    std::vector<std::string> problems;
    SetPathSettings(RunPathSettings(line.paths, problems));
    for (const std::string& problem : problems)
        std::fprintf(stderr, "ovbank: %s\n", problem.c_str());
    ConsoleJobServices ui(line.console);
    return RunCommand(*command, args, ui);
}

} // namespace ovb::cli
