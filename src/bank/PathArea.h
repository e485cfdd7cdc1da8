#pragma once
// The text form of the sample paths in script and bank files: for every multisample in order
// its 64 paths, each followed by CR LF.
#include "bank/Acc_bank_structure.h"
#include "job/JobServices.h"

#include <string>
#include <string_view>

namespace ovb {

std::string BuildPathArea(const as_bank& bank);
// The size of one copy of the path area.
std::uint64_t PathAreaSize(const as_bank& bank);

// Sizes the buffer for a path area read from a file; a damaged file may claim more than the
// memory can hold, which is reported instead of ending the program.
bool ReservePathArea(std::string& area, std::uint64_t size, JobServices& ui);

// Clears every path list and fills them from the lines of area in order, 64 per multisample.
// Missing lines leave empty-path markers; lines beyond the 640000th are ignored.
// Progress is reported per multisample.
void FillPathsFromArea(as_bank& bank, std::string_view area, JobServices& ui);

} // namespace ovb
