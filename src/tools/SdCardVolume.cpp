#include "tools/SdCardVolume.h"

#include "base/Formatting.h"
#include "tools/SdCardFat.h"

#include <sys/statvfs.h>

#include <memory>
#include <optional>
#include <system_error>

namespace ovb {

namespace fs = std::filesystem;

namespace {

// Bounds of the cluster count: a FAT16 volume holds at most 65524 clusters of 64 KiB, a FAT32
// volume at least 65525 clusters of 512 bytes.
constexpr std::uint64_t kMostFat16Bytes = 65524ull * 65536;
constexpr std::uint64_t kLeastFat32Bytes = 65525ull * 512;

bool KernelFat(std::string_view type) {
    return type == "vfat" || type == "msdos" || type == "umsdos" || type == "fat";
}

bool FatFamily(std::string_view type) {
    return KernelFat(type) || type == "fuse.fusefat" || type == "fuse.fatfs";
}

// The device or image file the volume lives on, when this process can name it.
fs::path VolumeSource(const MountEntry& mount) {
    std::error_code ec;
    if (mount.source.starts_with("/") && fs::exists(mount.source, ec)) return mount.source;
    return FuseMountSource(mount);
}

// The FAT type when neither the boot sector nor the cluster size can be read: only the size of
// the data area can still rule one type out.
std::string FatTypeBySize(std::uint64_t dataBytes, std::string& note) {
    if (dataBytes > kMostFat16Bytes) return "FAT32";
    note = "The FAT type of this volume could not be read.";
    return "FAT";
}

std::string FolderName(const fs::path& root) {
    fs::path p = root.lexically_normal();
    if (!p.has_filename()) p = p.parent_path();
    return p.filename().empty() ? p.string() : p.filename().string();
}

void ReadSpace(CardVolume& v, const struct statvfs& st, FatVolumeReader* fat) {
    if (st.f_blocks > 0) {
        v.spaceKnown = true;
        v.totalBytes = std::uint64_t(st.f_blocks) * st.f_frsize;
        v.freeBytes = std::uint64_t(st.f_bavail) * st.f_frsize;
        return;
    }
    // The driver reports no size at all: zero would make an empty card look full.
    std::optional<std::uint64_t> free = fat ? fat->freeClusters() : std::nullopt;
    if (free) {
        const FatGeometry& g = *fat->geometry();
        v.spaceKnown = true;
        v.totalBytes = g.clusterCount * g.clusterBytes();
        v.freeBytes = *free * g.clusterBytes();
        return;
    }
    if (!v.note.empty()) v.note += '\n';
    v.note += "The free space of this volume could not be read.";
}

} // namespace

std::string NonFatFileSystemName(std::string_view type) {
    if (FatFamily(type)) return {};
    if (type == "exfat" || type == "fuse.exfat" || type == "fuse.exfat-fuse") return "exFAT";
    if (type == "ntfs" || type == "ntfs3" || type == "fuse.ntfs-3g") return "NTFS";
    return std::string(type);
}

std::string CardSpaceText(std::uint64_t bytes) {
    return FormatSize(bytes) + "  /  " + FormatWithSpaces(bytes) + " bytes";
}

CardVolume InspectCard(const fs::path& root) {
    return InspectCard(root, ReadMounts());
}

CardVolume InspectCard(const fs::path& root, const std::vector<MountEntry>& mounts) {
    CardVolume v;
    struct statvfs st {};
    const MountEntry* mount = MountAt(mounts, root);
    if (!mount || ::statvfs(root.c_str(), &st) != 0) {
        v.note = mount ? "The volume does not answer." : "This folder is not a mount point.";
        return v;
    }
    v.ready = true;
    std::unique_ptr<FatVolumeReader> fat;
    if (const fs::path source = VolumeSource(*mount); !source.empty()) {
        fat = std::make_unique<FatVolumeReader>(source);
        if (!fat->geometry()) fat.reset();
    }
    // A general FUSE block driver (fuseblk) may serve any type; its source's boot sector tells.
    const bool fatVolume = FatFamily(mount->fsType) || (mount->fsType.starts_with("fuse") && fat);
    if (!fatVolume) {
        fat.reset();
        v.fileSystem = NonFatFileSystemName(mount->fsType);
    } else if (fat) {
        v.fileSystem = FatTypeName(fat->geometry()->bits);
    } else if (KernelFat(mount->fsType) && st.f_blocks > 0) {
        // The kernel driver counts its blocks in clusters.
        v.fileSystem = FatTypeName(FatBitsForClusters(st.f_blocks));
    } else {
        v.fileSystem = FatTypeBySize(std::uint64_t(st.f_blocks) * st.f_frsize, v.note);
    }
    ReadSpace(v, st, fat.get());
    if (fat)
        v.clusterBytes = fat->geometry()->clusterBytes();
    else if (fatVolume && KernelFat(mount->fsType))
        v.clusterBytes = st.f_bsize; // the kernel driver's block is the cluster
    const std::string label = fat ? fat->label() : std::string();
    v.name = label.empty() ? FolderName(root) : label;
    if (mount->fsType == "fuse.fusefat") v.labelEntry = label;
    return v;
}

} // namespace ovb
