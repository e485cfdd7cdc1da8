#pragma once
// Where the script and bank loaders look, as anchors of the compact input form, and the flags
// of the bank harness.
#include "SparseImage.h"

#include "bank/BankLayout.h"
#include "bank/SplitVolumes.h"

#include <array>

namespace ovb::fuzz {

constexpr std::uint64_t kInfoOffset = kSector; // bank_file_info in both forms
constexpr std::uint64_t kBankSizeField = kInfoOffset + 4;
constexpr std::uint64_t kPathAreaSizeField = kInfoOffset + 28;

// Script: the records up to the multisamples lie at their block offsets, the path length table
// follows them, then the marker sector and the path area.
constexpr std::uint64_t kScriptMultisamples = offsetof(as_bank_records, multisample);
constexpr std::uint64_t kScriptPathLengths = offsetof(as_bank_records, reserved_a);
constexpr std::uint64_t kScriptMarker = 51920896;
constexpr std::uint64_t kScriptPathArea = kScriptMarker + kSector;
constexpr std::array<std::uint64_t, 4> kScriptAnchors = {0, kScriptMultisamples, kScriptPathLengths,
                                                         kScriptMarker};
// The path area of a rebuilt script stays below 16 MiB (a script without paths has 4.3 MiB).
constexpr ImageFormat kScriptFormat{kScriptAnchors, kScriptPathArea, kScriptPathArea + (16 << 20)};

// Bank: the first copies of the description and the multisamples, the path length tables, and
// the audio (followed by the marker sector and the paths when the audio is short).
constexpr std::uint64_t kBankDescription = 4 * kSector;
constexpr std::uint64_t kBankMultisamples = kBankDescription + 6 * std::uint64_t(kDescriptionSize);
constexpr std::uint64_t kBankPathLengths =
    kBankMultisamples + 6 * std::uint64_t(kMultisampleTableSize);
constexpr std::array<std::uint64_t, 4> kBankAnchors = {0, kBankMultisamples, kBankPathLengths,
                                                       kSampleDataOffset};
// 224 MiB: 64 MiB after the fixed part for the audio and both path area copies. The path area
// string the loader allocates stays below 32 MiB.
constexpr ImageFormat kBankFormat{kBankAnchors, kSampleDataOffset, 224 << 20};

// Bank harness flags (byte 1) besides kKeepSizes and kCutToGap: bits 1..2 the volume size, bit 3
// removes the last volume, bit 4 adds a stray 512-byte volume under the next free number.
constexpr std::array<std::uint64_t, 4> kFuzzVolumeSizes = {
    kVolumeSize, // one file
    85000192,    // boundaries inside the multisample copies and the path area
    50331648,    // inside the first multisample table and reserved block C
    40000001,    // not a whole number of sectors
};
inline std::uint64_t FuzzVolumeSize(std::uint8_t flags) {
    return kFuzzVolumeSizes[(flags >> 1) & 3];
}
constexpr std::uint8_t kRemoveLastVolume = 8;
constexpr std::uint8_t kStrayVolume = 16;

} // namespace ovb::fuzz
