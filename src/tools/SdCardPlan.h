#pragma once
// What goes onto the card: the bank file with its volumes, its text listing and its script, the
// module's system files and MP3 files; the sizes and totals, and the checks a card must pass
// before anything is written to it.
#include "bank/SplitVolumes.h"
#include "job/JobServices.h"
#include "tools/SdCardVolume.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace ovb {

inline constexpr const char* kSdCaption = "SD Write Assistant";
// Slot 0 the bank file, 1..99 its volumes, 100 its text listing, 101 its script.
inline constexpr std::size_t kBankSlots = 102;
inline constexpr std::size_t kListingSlot = 100;
inline constexpr std::size_t kScriptSlot = 101;

struct BankChoice {
    bool chosen = false;
    std::uint64_t volumeSize = kVolumeSize; // how the bank is cut; tests use smaller volumes
    std::array<std::filesystem::path, kBankSlots> paths;
    std::array<std::uint64_t, kBankSlots> sizes{}; // 0: the file does not exist
    std::uint64_t total = 0;
    std::vector<std::string> lines; // "NAME   Size: 123 bytes" for each existing slot
};

struct FileChoice {
    bool chosen = false;
    std::vector<std::filesystem::path> files; // the chosen files that exist, in order
    std::vector<std::uint64_t> sizes;         // of each of them
    std::uint64_t total = 0;
    std::vector<std::string> lines; // their full paths
};

struct CardPlan {
    BankChoice bank;
    FileChoice system; // operating-system files, copied into the root folder
    FileChoice mp3;    // MP3 files and their list, copied into the folder "Mp3"
    std::uint64_t total() const;
    // What the files take on a FAT volume with clusters of this size (0: unknown, taken as
    // 32 KiB): whole clusters per file, and the folder entries of their names and of the
    // temporary names they are copied under.
    std::uint64_t bytesOnCard(std::uint64_t clusterBytes) const;
};

// The name a file is copied under until it is complete, and whether a name is such a name: a
// copy that was killed leaves it behind.
std::string PartialCopyName(const std::string& fileName);
bool IsPartialCopyName(const std::string& fileName);

// The slots of a bank file and the sizes of those that exist. The listing and the script are
// found whatever the case of their extensions. A save of the bank a killed writer left
// unfinished is finished first.
BankChoice ChooseBank(const std::filesystem::path& bankFile);
// The files that exist, in the given order.
FileChoice ChooseFiles(const std::vector<std::filesystem::path>& files);

// True when the folder holds no entry at all (an empty folder counts), apart from a driver's
// label entry as CardVolume names it and partial copies an earlier run left.
bool CardFolderEmpty(const std::filesystem::path& root, const CardVolume& volume);

// The refusals, in order: not FAT32, not enough free space, not empty, a chosen bank file that is
// not whole (or changed since it was chosen). Each tells the user and returns false; true when
// the card may be written.
bool CheckCard(const CardPlan& plan, const CardVolume& volume, const std::filesystem::path& root,
               JobServices& ui);

} // namespace ovb
