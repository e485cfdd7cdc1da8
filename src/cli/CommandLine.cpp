#include "cli/CommandLine.h"

#include "job/TextEncoding.h"

#include <algorithm>

namespace ovb::cli {

namespace {

bool IsOption(const std::string& word) {
    return word.size() > 2 && word.starts_with("--");
}

bool AddMapping(CommandLine& line, const std::string& mapping, std::string& error) {
    if (AddDriveMapping(line.paths.drives, mapping)) return true;
    error = "--map needs DRIVE:=FOLDER, as in D:=/mnt/samples, not '" + mapping + "'";
    return false;
}

bool SetCodePage(CommandLine& line, const std::string& name, std::string& error) {
    if (IsKnownCodePage(name)) {
        line.paths.codePage = name;
        return true;
    }
    error = "--codepage needs a code page iconv knows, as in windows-1251, not '" + name + "'";
    return false;
}

bool AddFlag(const Command& command, const std::string& word, Args& args, std::string& error) {
    std::string name = word.substr(0, word.find('='));
    if (std::find(command.flags.begin(), command.flags.end(), name) == command.flags.end()) {
        error = "unknown option " + name + " for " + command.name;
        return false;
    }
    args.flags[name] = name.size() < word.size() ? word.substr(name.size() + 1) : "";
    return true;
}

std::string ArgumentCount(const Command& command) {
    std::string n = std::to_string(command.minArgs);
    if (command.maxArgs != command.minArgs) n += " to " + std::to_string(command.maxArgs);
    return n + (command.maxArgs == 1 ? " argument" : " arguments");
}

} // namespace

bool ParseCommandLine(int argc, char** argv, CommandLine& line, std::string& error) {
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        std::string word = argv[i];
        if (optionsEnded) {
            line.words.push_back(word);
        } else if (word == "--") {
            optionsEnded = true;
            line.words.push_back(word);
        } else if (word == "--yes") {
            line.console.yesToAll = true;
        } else if (word == "--quiet") {
            line.console.quiet = true;
        } else if (word == "--help" || word == "-h") {
            line.help = true;
        } else if (word == "--map") {
            if (i + 1 == argc) {
                error = "--map needs DRIVE:=FOLDER";
                return false;
            }
            if (!AddMapping(line, argv[++i], error)) return false;
        } else if (word.starts_with("--map=")) {
            if (!AddMapping(line, word.substr(6), error)) return false;
        } else if (word == "--codepage") {
            if (i + 1 == argc) {
                error = "--codepage needs a NAME";
                return false;
            }
            if (!SetCodePage(line, argv[++i], error)) return false;
        } else if (word.starts_with("--codepage=")) {
            if (!SetCodePage(line, word.substr(11), error)) return false;
        } else {
            line.words.push_back(word);
        }
    }
    return true;
}

bool ParseArgs(const Command& command, const std::vector<std::string>& words, Args& args,
               std::string& error) {
    bool optionsEnded = false;
    for (const std::string& word : words) {
        if (!optionsEnded && word == "--") {
            optionsEnded = true;
        } else if (optionsEnded || !IsOption(word)) {
            args.positional.push_back(word);
        } else if (!AddFlag(command, word, args, error)) {
            return false;
        }
    }
    std::size_t n = args.positional.size();
    if (n >= command.minArgs && n <= command.maxArgs) return true;
    error = command.name + " takes " + ArgumentCount(command) + ", not " + std::to_string(n);
    return false;
}

} // namespace ovb::cli
