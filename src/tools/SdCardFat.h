#pragma once
// Reads what the card's own FAT says about itself: the type (FAT12/16/32 by the count of
// clusters, the only rule that decides it), the volume label and the free clusters. Used when the
// mount cannot tell: a user-space driver hides the cluster size and may report no free space.
#include "job/OpenFile.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace ovb {

struct FatGeometry {
    unsigned bits = 0; // 12, 16 or 32
    std::uint32_t bytesPerSector = 0;
    std::uint32_t sectorsPerCluster = 0;
    std::uint32_t reservedSectors = 0;
    std::uint32_t fatCount = 0;
    std::uint32_t sectorsPerFat = 0;
    std::uint32_t rootEntries = 0; // FAT12/16: entries of the fixed root folder
    std::uint32_t rootCluster = 0; // FAT32: first cluster of the root folder
    std::uint64_t clusterCount = 0;
    std::string bootLabel; // the label copy in the boot sector, trailing spaces removed

    std::uint64_t clusterBytes() const { return std::uint64_t(sectorsPerCluster) * bytesPerSector; }
    std::uint64_t fatOffset() const { return std::uint64_t(reservedSectors) * bytesPerSector; }
    std::uint64_t rootFolderOffset() const; // FAT12/16 only
    std::uint64_t dataOffset() const;       // byte offset of cluster 2
};

// The FAT type for a count of data clusters: fewer than 4085 is FAT12, fewer than 65525 FAT16.
unsigned FatBitsForClusters(std::uint64_t clusters);
// "FAT12", "FAT16" or "FAT32".
std::string FatTypeName(unsigned bits);

// Parses a 512-byte boot sector; nothing when it is not a FAT boot sector.
std::optional<FatGeometry> ParseFatBootSector(const unsigned char* sector);

// A FAT volume in a device or an image file, read without mounting it.
class FatVolumeReader {
  public:
    explicit FatVolumeReader(const std::filesystem::path& source);
    FatVolumeReader(const FatVolumeReader&) = delete;
    FatVolumeReader& operator=(const FatVolumeReader&) = delete;

    // Nothing when the source cannot be read or holds no FAT file system.
    const std::optional<FatGeometry>& geometry() const { return geometry_; }
    // The label entry of the root folder (trailing spaces removed), else the boot sector's copy,
    // else empty ("NO NAME" counts as none).
    std::string label();
    // Clusters marked free in the first FAT; nothing when it cannot be read.
    std::optional<std::uint64_t> freeClusters();

  private:
    bool read(std::uint64_t offset, void* data, std::size_t size) {
        return file_.readAt(offset, data, size);
    }
    std::optional<std::uint32_t> fatEntry(std::uint32_t cluster);
    std::string labelInRootFolder();

    OpenFile file_;
    std::optional<FatGeometry> geometry_;
};

} // namespace ovb
