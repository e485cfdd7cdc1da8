#pragma once
// Sizes and offsets of the bank file layout.
#include "bank/Acc_bank_structure.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace ovb {

// global_parameter, the five set-up tables and the sounds lie back to back in the block and are
// stored as one piece: six copies in a bank file, one in a script.
constexpr std::size_t kDescriptionOffset = offsetof(as_bank_records, global);
constexpr std::size_t kDescriptionSize =
    offsetof(as_bank_records, multisample) - kDescriptionOffset;
static_assert(kDescriptionSize == 7682048);
constexpr std::size_t kMultisampleTableSize = sizeof(as_multisample) * kMultisamples;
static_assert(kMultisampleTableSize == 15360000);
constexpr std::size_t kPathLengthTableSize = kSlots;
constexpr std::size_t kReservedSize =
    sizeof(as_bank_records::reserved_b) + sizeof(as_bank_records::reserved_c);
static_assert(offsetof(as_bank_records, reserved_c) ==
              offsetof(as_bank_records, reserved_b) + sizeof(as_bank_records::reserved_b));

constexpr std::uint64_t kSampleDataOffset = 167772160; // 0xA000000, sector 327680
constexpr std::uint32_t kFirstAudioSector = kSampleDataOffset / kSector;
static_assert(4 * kSector + 6 * kDescriptionSize + 6 * kMultisampleTableSize +
                  2 * kPathLengthTableSize + kReservedSize ==
              kSampleDataOffset);

constexpr std::uint64_t kMaxSampleSectors = 65535; // what length_sectors can describe

// Total bank file size for the given audio and path-area (both copies) sizes.
constexpr std::uint64_t BankFileSize(std::uint64_t sampleDataSize, std::uint64_t pathAreaSize) {
    return kSampleDataOffset + sampleDataSize + kSector + pathAreaSize + kSector;
}

// Compares bytes 0..510 of a sector with a template: the last byte of the header carries the
// version and is checked on its own.
bool SameFirst511(const std::uint8_t* data, const Sector& expected);

class JobServices;
class Mysplitfilereader;

// The texts a loader shows when a file is missing or is not of its kind.
struct FileKindTexts {
    const char* notThisKind; // "This is not a valid ... file!"
    const char* badVersion;  // "Uncown ... File Version!"
};

// Opens the file (with its volumes when split) and checks the header sector: magic, then the
// version byte. On false the user has been told why and the reader is closed.
bool OpenAndCheckHeader(Mysplitfilereader& in, const std::filesystem::path& path, bool split,
                        const FileKindTexts& texts, JobServices& ui);

} // namespace ovb
