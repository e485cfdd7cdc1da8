#include "cli/CommandLine.h"

#include <algorithm>

namespace ovb::cli {

namespace {

bool IsOption(const std::string& word) {
    return word.size() > 2 && word.starts_with("--");
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
    const std::vector<std::string> words(argv + 1, argv + argc);
    bool optionsEnded = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
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
        } else if (TakePathOption(words, i, line.paths, error)) {
            if (!error.empty()) return false;
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
