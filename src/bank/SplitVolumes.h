#pragma once
// A bank file is one logical byte stream cut into volumes: the first carries the chosen name,
// the next ones the same name with the extension replaced by ".O01", ".O02", ...
#include <cstdint>
#include <filesystem>

namespace ovb {

constexpr std::uint64_t kVolumeSize = 4293918720ull; // 0xFFF00000: 4 GiB minus 1 MiB
constexpr unsigned kMaxVolumes = 99;                 // volume 0 (the base file) .. 98
constexpr const char* kBankVolumePattern = ".O%02u";

// The path of volume k (k >= 1): the base path with its extension replaced by pattern % k.
std::filesystem::path VolumePath(const std::filesystem::path& base, unsigned k,
                                 const char* pattern = kBankVolumePattern);

} // namespace ovb
