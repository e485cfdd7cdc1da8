#pragma once
// RIFF/WAVE byte layouts built by hand from the file format, not from the parser's own tables,
// as strings of little-endian bytes.
#include <cstdint>
#include <string>
#include <string_view>

namespace ovb::test {

inline std::string Le16(std::uint16_t v) {
    return {char(v & 0xFF), char(v >> 8)};
}
inline std::string Le32(std::uint32_t v) {
    return Le16(v & 0xFFFF) + Le16(v >> 16);
}
inline std::string ChunkClaiming(std::string_view id, std::uint32_t statedSize,
                                 std::string_view body) {
    return std::string(id) + Le32(statedSize) + std::string(body);
}
inline std::string Chunk(std::string_view id, std::string_view body) {
    return ChunkClaiming(id, std::uint32_t(body.size()), body);
}
inline std::string Riff(const std::string& chunks) {
    return "RIFF" + Le32(std::uint32_t(4 + chunks.size())) + "WAVE" + chunks;
}
inline std::string PcmFields(unsigned channels, unsigned rate, unsigned bits, unsigned tag = 1) {
    const unsigned align = channels * bits / 8;
    return Le16(tag) + Le16(channels) + Le32(rate) + Le32(rate * align) + Le16(align) + Le16(bits);
}
// The plain 16-bit 48 kHz PCM format block the module plays.
inline std::string Fmt(unsigned channels) {
    return Chunk("fmt ", PcmFields(channels, 48000, 16));
}
// WAVE_FORMAT_EXTENSIBLE describing the very same 16-bit 48 kHz PCM audio.
inline std::string ExtensibleFmt(unsigned channels) {
    const std::string pcmGuid("\x01\x00\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71",
                              16);
    return Chunk("fmt ", PcmFields(channels, 48000, 16, 0xFFFE) + Le16(22) + Le16(16) +
                             Le32(channels == 2 ? 3 : 4) + pcmGuid);
}
inline std::string InfoList() {
    return Chunk("LIST", "INFO" + Chunk("ISFT", "demo"));
}

} // namespace ovb::test
