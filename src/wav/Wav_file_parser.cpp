#include "wav/Wav_file_parser.h"

#include "base/ByteOrder.h"

#include <algorithm>
#include <cstring>

namespace ovb {

namespace {

FormatBlock MakeFormatBlock(unsigned channels) {
    FormatBlock b{};
    std::memcpy(b.data(), "fmt ", 4);
    PutLe32(&b[4], 16);
    PutLe16(&b[8], 1);
    PutLe16(&b[10], std::uint16_t(channels));
    PutLe32(&b[12], 48000);
    PutLe32(&b[16], 48000 * 2 * channels);
    PutLe16(&b[20], std::uint16_t(2 * channels));
    PutLe16(&b[22], 16);
    return b;
}

bool ReadExact(std::istream& in, void* buffer, std::size_t n) {
    in.read(static_cast<char*>(buffer), std::streamsize(n));
    return std::size_t(in.gcount()) == n;
}

} // namespace

const FormatBlock& MonoFormatBlock() {
    static const FormatBlock b = MakeFormatBlock(1);
    return b;
}
const FormatBlock& StereoFormatBlock() {
    static const FormatBlock b = MakeFormatBlock(2);
    return b;
}

std::uint64_t StreamSize(std::istream& in) {
    in.clear();
    auto here = in.tellg();
    in.seekg(0, std::ios::end);
    auto end = in.tellg();
    in.seekg(here);
    return end < 0 ? 0 : std::uint64_t(end);
}

WavFormat CheckWavHeader(std::istream& in) {
    std::uint8_t b[24];
    if (!ReadExact(in, b, 4) || std::memcmp(b, "RIFF", 4) != 0) return WavRejected;
    if (!ReadExact(in, b, 4)) return WavRejected;
    std::uint64_t riffSize = GetLe32(b);
    if (StreamSize(in) != riffSize + 8) return WavRejected;
    if (!ReadExact(in, b, 4) || std::memcmp(b, "WAVE", 4) != 0) return WavRejected;
    if (!ReadExact(in, b, 24)) return WavRejected;
    if (std::equal(b, b + 24, MonoFormatBlock().begin())) return WavMono;
    if (std::equal(b, b + 24, StereoFormatBlock().begin())) return WavStereo;
    return WavRejected;
}

bool FindDataChunk(std::istream& in) {
    const std::uint64_t size = StreamSize(in);
    std::uint8_t b[4];
    for (;;) {
        auto pos = in.tellg();
        if (pos < 0 || std::uint64_t(pos) >= size) return false;
        if (!ReadExact(in, b, 4)) return false;
        if (std::memcmp(b, "data", 4) == 0) return true;
        if (!ReadExact(in, b, 4)) return false;
        std::uint64_t next = std::uint64_t(in.tellg()) + GetLe32(b);
        if (next >= size) return false;
        in.seekg(std::streamoff(next));
    }
}

std::uint32_t WavDataSize(std::istream& in) {
    std::uint8_t b[4];
    if (!ReadExact(in, b, 4)) return 0;
    return GetLe32(b);
}

WavLayout ParseWav(std::istream& in) {
    WavLayout w;
    w.fileSize = StreamSize(in);
    w.format = CheckWavHeader(in);
    if (w.format == WavRejected) return w;
    w.hasData = FindDataChunk(in);
    // A "data" id whose size field is cut off by the end of the file holds no chunk.
    auto here = in.tellg();
    if (w.hasData && (here < 0 || std::uint64_t(here) + 4 > w.fileSize)) w.hasData = false;
    if (!w.hasData) return w;
    w.dataSize = WavDataSize(in);
    auto pos = in.tellg();
    w.dataOffset = pos < 0 ? w.fileSize : std::uint64_t(pos);
    return w;
}

std::array<std::uint8_t, kWavHeaderSize> MakeWavHeader(bool stereo, std::uint32_t dataSize) {
    std::array<std::uint8_t, kWavHeaderSize> h{};
    std::memcpy(&h[0], "RIFF", 4);
    PutLe32(&h[4], dataSize + 36);
    std::memcpy(&h[8], "WAVE", 4);
    const FormatBlock& f = stereo ? StereoFormatBlock() : MonoFormatBlock();
    std::copy(f.begin(), f.end(), h.begin() + 12);
    std::memcpy(&h[36], "data", 4);
    PutLe32(&h[40], dataSize);
    return h;
}

} // namespace ovb
