#include "tools/SdCardFat.h"

#include "base/ByteOrder.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

namespace ovb {

namespace {

constexpr std::uint64_t kMaxRootFolderClusters = 4096; // a loop in a broken chain ends here

bool PowerOfTwo(std::uint32_t v) {
    return v != 0 && (v & (v - 1)) == 0;
}

std::string TrimmedName(const unsigned char* text, std::size_t size) {
    std::string s(reinterpret_cast<const char*>(text), size);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\0'))
        s.pop_back();
    return s == "NO NAME" ? std::string() : s;
}

} // namespace

std::uint64_t FatGeometry::rootFolderOffset() const {
    return fatOffset() + std::uint64_t(fatCount) * sectorsPerFat * bytesPerSector;
}

std::uint64_t FatGeometry::dataOffset() const {
    const std::uint64_t rootBytes =
        (std::uint64_t(rootEntries) * 32 + bytesPerSector - 1) / bytesPerSector * bytesPerSector;
    return rootFolderOffset() + rootBytes;
}

unsigned FatBitsForClusters(std::uint64_t clusters) {
    if (clusters < 4085) return 12;
    if (clusters < 65525) return 16;
    return 32;
}

std::string FatTypeName(unsigned bits) {
    return "FAT" + std::to_string(bits);
}

std::optional<FatGeometry> ParseFatBootSector(const unsigned char* s) {
    if (s[510] != 0x55 || s[511] != 0xAA) return std::nullopt;
    FatGeometry g;
    g.bytesPerSector = GetLe16(s + 11);
    g.sectorsPerCluster = s[13];
    g.reservedSectors = GetLe16(s + 14);
    g.fatCount = s[16];
    g.rootEntries = GetLe16(s + 17);
    const std::uint16_t fat16Size = GetLe16(s + 22);
    g.sectorsPerFat = fat16Size ? fat16Size : GetLe32(s + 36);
    const std::uint16_t total16 = GetLe16(s + 19);
    const std::uint64_t totalSectors = total16 ? total16 : GetLe32(s + 32);
    if (g.bytesPerSector < 512 || g.bytesPerSector > 4096 || !PowerOfTwo(g.bytesPerSector) ||
        !PowerOfTwo(g.sectorsPerCluster) || g.reservedSectors == 0 || g.fatCount == 0 ||
        g.sectorsPerFat == 0)
        return std::nullopt;
    const std::uint64_t rootSectors =
        (std::uint64_t(g.rootEntries) * 32 + g.bytesPerSector - 1) / g.bytesPerSector;
    const std::uint64_t meta =
        g.reservedSectors + std::uint64_t(g.fatCount) * g.sectorsPerFat + rootSectors;
    if (totalSectors <= meta) return std::nullopt;
    g.clusterCount = (totalSectors - meta) / g.sectorsPerCluster;
    g.bits = FatBitsForClusters(g.clusterCount);
    // The FAT must be large enough to hold an entry for every cluster.
    if (std::uint64_t(g.sectorsPerFat) * g.bytesPerSector * 8 < (g.clusterCount + 2) * g.bits)
        return std::nullopt;
    if (g.bits == 32) {
        g.rootCluster = GetLe32(s + 44);
        if (s[66] == 0x29) g.bootLabel = TrimmedName(s + 71, 11);
    } else if (s[38] == 0x29) {
        g.bootLabel = TrimmedName(s + 43, 11);
    }
    return g;
}

FatVolumeReader::FatVolumeReader(const std::filesystem::path& source)
    : file_(::open(source.c_str(), O_RDONLY | O_CLOEXEC)) {
    unsigned char sector[512];
    if (file_ && read(0, sector, sizeof sector)) geometry_ = ParseFatBootSector(sector);
}

std::optional<std::uint32_t> FatVolumeReader::fatEntry(std::uint32_t cluster) {
    const FatGeometry& g = *geometry_;
    const std::uint64_t bitOffset = std::uint64_t(cluster) * g.bits;
    unsigned char b[4] = {};
    if (!read(g.fatOffset() + bitOffset / 8, b, g.bits == 32 ? 4 : 2)) return std::nullopt;
    if (g.bits == 32) return GetLe32(b) & 0x0FFFFFFFu;
    const std::uint16_t v = GetLe16(b);
    if (g.bits == 16) return v;
    return (cluster & 1) ? std::uint32_t(v >> 4) : std::uint32_t(v & 0xFFF);
}

std::optional<std::uint64_t> FatVolumeReader::freeClusters() {
    if (!geometry_) return std::nullopt;
    const FatGeometry& g = *geometry_;
    if (g.bits == 12) {
        std::uint64_t free = 0;
        for (std::uint32_t c = 2; c < g.clusterCount + 2; ++c) {
            auto e = fatEntry(c);
            if (!e) return std::nullopt;
            free += *e == 0;
        }
        return free;
    }
    const std::size_t entryBytes = g.bits / 8;
    std::vector<unsigned char> chunk(std::size_t(1) << 20);
    std::uint64_t free = 0;
    std::uint64_t entry = 2;
    const std::uint64_t end = g.clusterCount + 2;
    while (entry < end) {
        const std::uint64_t n = std::min<std::uint64_t>(end - entry, chunk.size() / entryBytes);
        if (!read(g.fatOffset() + entry * entryBytes, chunk.data(), std::size_t(n * entryBytes)))
            return std::nullopt;
        for (std::uint64_t i = 0; i < n; ++i) {
            const unsigned char* p = chunk.data() + i * entryBytes;
            free += entryBytes == 4 ? (GetLe32(p) & 0x0FFFFFFFu) == 0 : GetLe16(p) == 0;
        }
        entry += n;
    }
    return free;
}

std::string FatVolumeReader::labelInRootFolder() {
    const FatGeometry& g = *geometry_;
    // The root folder as (offset, size) pieces: one fixed area, or a chain of clusters.
    std::vector<std::pair<std::uint64_t, std::uint64_t>> pieces;
    if (g.bits != 32) {
        pieces.emplace_back(g.rootFolderOffset(), std::uint64_t(g.rootEntries) * 32);
    } else {
        std::uint32_t cluster = g.rootCluster;
        while (cluster >= 2 && cluster < g.clusterCount + 2 &&
               pieces.size() < kMaxRootFolderClusters) {
            pieces.emplace_back(g.dataOffset() + std::uint64_t(cluster - 2) * g.clusterBytes(),
                                g.clusterBytes());
            auto next = fatEntry(cluster);
            if (!next) break;
            cluster = *next;
        }
    }
    std::vector<unsigned char> data;
    for (auto [offset, size] : pieces) {
        data.resize(std::size_t(size));
        if (!read(offset, data.data(), data.size())) return {};
        for (std::size_t e = 0; e + 32 <= data.size(); e += 32) {
            const unsigned char* entry = data.data() + e;
            if (entry[0] == 0) return {}; // end of the folder
            const unsigned char attributes = entry[11];
            if (entry[0] != 0xE5 && attributes != 0x0F && (attributes & 0x08))
                return TrimmedName(entry, 11);
        }
    }
    return {};
}

std::string FatVolumeReader::label() {
    if (!geometry_) return {};
    std::string label = labelInRootFolder();
    return label.empty() ? geometry_->bootLabel : label;
}

} // namespace ovb
