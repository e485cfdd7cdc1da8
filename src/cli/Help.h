#pragma once
// ovbank's help texts: the list of commands with the global options, and one command's usage.
#include "cli/Command.h"

#include <cstdio>

namespace ovb::cli {

void PrintCommandList(std::FILE* to, const CommandTable& table);
void PrintCommandUsage(std::FILE* to, const Command& command);

} // namespace ovb::cli
