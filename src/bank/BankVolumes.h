#pragma once
// A bank file's volumes against what its first sector records: their sizes, that they belong to
// one save, and a check of the whole set that reads only a few sectors.
#include "bank/Mysplitfilereader.h"
#include "bank/SplitVolumes.h"

#include <filesystem>
#include <string>
#include <vector>

namespace ovb {

// The volumes must hold exactly the recorded bank size. Returns how many volumes the bank has;
// 0, with the reason, when the sizes do not fit.
unsigned CheckVolumeSizes(const Mysplitfilereader& in, const std::filesystem::path& path,
                          std::uint64_t bankSize, std::uint64_t volumeSize, std::string& why);

// Every volume of one save carries that save's stamp where the file system keeps one; files
// copied without it carry none. A mixture of stamps, or of stamped and unstamped volumes, is a
// bank whose files come from different saves.
bool SameSave(const Mysplitfilereader& in, const std::filesystem::path& path, unsigned volumes,
              std::string& why);

struct BankFilesCheck {
    std::string problem;                    // empty when the bank file is whole
    std::vector<std::uint64_t> volumeSizes; // of the volumes the bank has
};

// Checks a bank file as it lies, without loading it: a save left unfinished is finished, then
// the header, the recorded size against every volume, the save the volumes belong to and the
// last sector.
BankFilesCheck CheckBankFiles(const std::filesystem::path& bank, JobServices& ui,
                              const BankStorage& storage = {});

} // namespace ovb
