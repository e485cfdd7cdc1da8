#pragma once
// The drive letters a bank's sample paths name and how many of their files this computer finds:
// what the user needs to see to tell where each drive of the computer that made the bank lies.
#include "bank/Acc_bank_structure.h"
#include "job/PathSettings.h"

#include <vector>

namespace ovb {

struct DriveFiles {
    char drive = 0;
    unsigned found = 0, missing = 0; // distinct files
};

// Every drive letter of the bank's paths, in letter order, counted with the given settings.
std::vector<DriveFiles> CountDriveFiles(const as_bank& bank, const PathSettings& settings);

// The drive letters of the bank's paths that have no folder in the settings.
std::vector<char> UnmappedDrives(const as_bank& bank, const PathSettings& settings);

// A Windows path of the bank that shows what its code page does: the first with a letter
// beyond ASCII, else the first Windows path; empty when there is none.
std::string CodePageSample(const as_bank& bank);

} // namespace ovb
