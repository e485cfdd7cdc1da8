#pragma once
// WAV files in the module's format built from given 16-bit values, and their values read back
// straight from the bytes (a plain 44-byte header is expected).
#include "support/TestFiles.h"
#include "wav/Wav_file_parser.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace ovb::test {

// The values as little-endian audio bytes.
inline std::vector<std::uint8_t> SampleBytes(const std::vector<std::int16_t>& values) {
    std::vector<std::uint8_t> b;
    for (std::int16_t v : values) {
        b.push_back(std::uint8_t(std::uint16_t(v) & 0xFF));
        b.push_back(std::uint8_t(std::uint16_t(v) >> 8));
    }
    return b;
}

inline std::vector<std::uint8_t> WavBytes(bool stereo, const std::vector<std::int16_t>& values,
                                          const std::string& extraChunk = "") {
    const auto header = MakeWavHeader(stereo, std::uint32_t(values.size() * 2));
    std::vector<std::uint8_t> b(header.begin(), header.end());
    const auto audio = SampleBytes(values);
    b.insert(b.end(), audio.begin(), audio.end());
    b.insert(b.end(), extraChunk.begin(), extraChunk.end());
    const std::uint32_t riff = std::uint32_t(b.size() - 8);
    for (int i = 0; i < 4; ++i)
        b[4 + i] = std::uint8_t(riff >> (8 * i));
    return b;
}

inline void WriteValues(const std::filesystem::path& p, bool stereo,
                        const std::vector<std::int16_t>& values, const std::string& extra = "") {
    WriteAll(p, WavBytes(stereo, values, extra));
}

inline std::vector<std::int16_t> ValuesAt(const std::vector<std::uint8_t>& bytes,
                                          std::size_t offset, std::size_t count) {
    std::vector<std::int16_t> v(count);
    for (std::size_t i = 0; i < count; ++i)
        v[i] = std::int16_t(bytes[offset + 2 * i] | (bytes[offset + 2 * i + 1] << 8));
    return v;
}

inline std::uint32_t DataSizeField(const std::vector<std::uint8_t>& bytes) {
    return bytes[40] | (bytes[41] << 8) | (bytes[42] << 16) | (std::uint32_t(bytes[43]) << 24);
}

} // namespace ovb::test
