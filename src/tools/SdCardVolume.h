#pragma once
// What the assistant shows of a card and checks before writing: its name, its file system
// (exactly "FAT32" only when the volume is FAT32), its size and free space. Decided from the
// volume itself: the mount table, the driver's statistics and, where readable, the FAT.
#include "tools/SdCardMounts.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace ovb {

struct CardVolume {
    bool ready = false; // a mounted volume's root that answers
    std::string name;   // the volume label, else the mount point's folder name
    std::string
        fileSystem; // "FAT32", "FAT16", "exFAT", "ext4", ...; "FAT" when the type is unknown
    bool spaceKnown = false;
    std::uint64_t totalBytes = 0;
    std::uint64_t freeBytes = 0;
    std::uint64_t clusterBytes = 0; // the unit files take space in; 0 when unknown
    // Some drivers list the volume label as an empty file in the root folder; this is its name so
    // that a freshly formatted card does not count as holding a file.
    std::string labelEntry;
    std::string note; // why something could not be told, for the user; empty when all is known
};

// Inspects the volume whose root is the given folder (a mount point). A folder that is not the
// root of a mounted volume is not ready.
CardVolume InspectCard(const std::filesystem::path& root);
CardVolume InspectCard(const std::filesystem::path& root, const std::vector<MountEntry>& mounts);

// The name a mount's file-system type shows as when it is not a FAT type: "exFAT", "NTFS", or
// the type itself ("ext4"). Empty for the FAT family, whose type needs the volume.
std::string NonFatFileSystemName(std::string_view fsType);

// A size as the drive fields show it: "1.5 kB  /  1 536 bytes".
std::string CardSpaceText(std::uint64_t bytes);

} // namespace ovb
