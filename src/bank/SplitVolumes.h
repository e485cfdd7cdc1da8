#pragma once
// A bank file is one logical byte stream cut into volumes: the first carries the chosen name,
// the next ones the same name with the extension replaced by ".O01", ".O02", ...
#include "job/FileStore.h"

#include <cstdint>
#include <filesystem>

namespace ovb {

constexpr std::uint64_t kVolumeSize = 4293918720ull; // 0xFFF00000: 4 GiB minus 1 MiB
constexpr unsigned kMaxVolumes = 99;                 // volume 0 (the base file) .. 98
constexpr const char* kBankVolumePattern = ".O%02u";

// Where bank and script files are kept and how banks are cut into volumes: the disk and the
// module's volume size, or memory and small volumes in tests.
struct BankStorage {
    FileStore& files = DiskFiles();
    std::uint64_t volumeSize = kVolumeSize;
};

// The path of volume k (k >= 1): the base path with its extension replaced by pattern % k.
std::filesystem::path VolumePath(const std::filesystem::path& base, unsigned k,
                                 const char* pattern = kBankVolumePattern);

} // namespace ovb
