#pragma once
// Splits ovbank's command line into the global options, which may stand anywhere, and the words
// of the command. After "--" every word belongs to the command, even one that looks like an option.
#include "cli/Command.h"
#include "job/ConsoleJobServices.h"
#include "job/PathSettings.h"

#include <string>
#include <vector>

namespace ovb::cli {

struct CommandLine {
    ConsoleJobServices::Options console;
    PathSettings paths; // --map and --codepage, over the settings file
    bool help = false;
    std::vector<std::string> words; // the command name first, then its words, "--" kept
};

// False with the reason in error when a global option is malformed.
bool ParseCommandLine(int argc, char** argv, CommandLine& line, std::string& error);

// Parses the words after the command name against the command's options and argument count.
bool ParseArgs(const Command& command, const std::vector<std::string>& words, Args& args,
               std::string& error);

} // namespace ovb::cli
