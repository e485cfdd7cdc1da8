#pragma once
// ovbank never destroys what it reads: an output that is one of the command's input files (by
// device and inode, whatever the name or link) is refused, and an existing bank or script file is
// replaced by a file of another kind only with --yes. Both are checked before any work.
#include "job/JobServices.h"

#include <filesystem>
#include <vector>

namespace ovb::cli {

enum class OutputKind { Bank, Script, Text };

// The files a bank or script named on the command line is read from: the file and, for a bank
// file, its volumes that exist. "-" (an empty bank) has none.
std::vector<std::filesystem::path> InputFilesOf(const std::filesystem::path& file);

// False, after saying why, when the output (for a bank: or one of its volumes) is an input, or
// when it is an existing bank or script of another kind and yes is not given.
bool OutputAllowed(const std::filesystem::path& output, OutputKind kind,
                   const std::vector<std::filesystem::path>& inputs, bool yes, JobServices& ui);

} // namespace ovb::cli
