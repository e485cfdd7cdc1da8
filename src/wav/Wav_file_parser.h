#pragma once
// Decides whether a file is a WAV file the sound module plays (16-bit PCM, 48000 Hz, mono or
// stereo, with the exact 16-byte "fmt " block right after "WAVE") and finds its audio data.
// Also writes the 44-byte header of every WAV file the system creates, so that whatever the
// system writes, the parser accepts.
#include <array>
#include <cstdint>
#include <istream>

namespace ovb {

enum WavFormat : int { WavRejected = 0, WavMono = 1, WavStereo = 2 };

using FormatBlock = std::array<std::uint8_t, 24>; // "fmt ", size 16 and the 16 bytes
const FormatBlock& MonoFormatBlock();
const FormatBlock& StereoFormatBlock();

// The three steps, called in this order on a stream positioned at its start.
// 1. RIFF, size (the stream is exactly RIFF size + 8 bytes), WAVE and one of the two blocks.
WavFormat CheckWavHeader(std::istream& in);
// 2. Walks the chunks after the format block; true with the stream right after the "data" id.
//    Chunks are skipped by their stated size; no pad byte is added for odd sizes.
bool FindDataChunk(std::istream& in);
// 3. The size field of the data chunk; leaves the stream at the first audio byte.
std::uint32_t WavDataSize(std::istream& in);

// The three steps in one call.
struct WavLayout {
    WavFormat format = WavRejected;
    bool hasData = false;
    std::uint32_t dataSize = 0;
    std::uint64_t dataOffset = 0; // first audio byte
    std::uint64_t fileSize = 0;
    // The stated data size lies within the file (a truncated file claims more than it holds).
    bool dataComplete() const { return dataOffset + dataSize <= fileSize; }
};
WavLayout ParseWav(std::istream& in);

std::uint64_t StreamSize(std::istream& in); // keeps the position

constexpr std::size_t kWavHeaderSize = 44;
std::array<std::uint8_t, kWavHeaderSize> MakeWavHeader(bool stereo, std::uint32_t dataSize);

} // namespace ovb
