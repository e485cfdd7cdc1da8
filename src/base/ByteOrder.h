#pragma once
// Every file format of the system is little-endian. Fields at unaligned offsets are read and
// written through these helpers; aligned record fields rely on the check below.
#include <bit>
#include <cstdint>
#include <cstring>

static_assert(std::endian::native == std::endian::little,
              "records are stored as they lie in memory; a big-endian port needs byte swapping");

namespace ovb {

inline std::uint16_t GetLe16(const void* p) {
    const auto* b = static_cast<const unsigned char*>(p);
    return std::uint16_t(b[0] | b[1] << 8);
}
inline std::uint32_t GetLe32(const void* p) {
    const auto* b = static_cast<const unsigned char*>(p);
    return std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 |
           std::uint32_t(b[3]) << 24;
}
inline std::uint64_t GetLe64(const void* p) {
    const auto* b = static_cast<const unsigned char*>(p);
    return std::uint64_t(GetLe32(b)) | std::uint64_t(GetLe32(b + 4)) << 32;
}
inline void PutLe16(void* p, std::uint16_t v) {
    auto* b = static_cast<unsigned char*>(p);
    b[0] = v & 0xFF;
    b[1] = v >> 8;
}
inline void PutLe32(void* p, std::uint32_t v) {
    auto* b = static_cast<unsigned char*>(p);
    for (int i = 0; i < 4; ++i)
        b[i] = (v >> (8 * i)) & 0xFF;
}
inline void PutLe64(void* p, std::uint64_t v) {
    auto* b = static_cast<unsigned char*>(p);
    for (int i = 0; i < 8; ++i)
        b[i] = (v >> (8 * i)) & 0xFF;
}

} // namespace ovb
