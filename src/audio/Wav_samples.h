#pragma once
// A WAV file's audio as 16-bit values, held whole in memory (trimming) or read a piece at a time
// (level tools), and the trimmed file written back as a plain 44-byte-header file. It is written
// beside the old file and renamed over it only when complete, so a failure leaves the old file
// exactly as it was.
#include "audio/Wav_file_parser.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace ovb {

class ReplacingBatch;

enum class WavLoad { Ok, Missing, CannotOpen, Rejected, NoData, Empty, Truncated };

struct WavSamples {
    WavLayout layout;
    // dataSize bytes of audio; an odd last byte sits in the low half of the last element.
    std::vector<std::int16_t> values;

    bool stereo() const { return layout.format == WavStereo; }
    unsigned channels() const { return stereo() ? 2u : 1u; }
    std::size_t valueCount() const { return layout.dataSize / 2; }
    std::size_t frameCount() const { return layout.dataSize / (2 * channels()); }
};

// Reuses out's buffer, so that a run over many files keeps one allocation.
WavLoad LoadWavSamples(const std::filesystem::path& path, WavSamples& out);

// For tools that look at each value once, whatever the length of the file: opens the file,
// parses its header and checks that the stated audio is all there, without reading it. On Ok,
// `in` stands at the first audio byte.
WavLoad OpenWavAudio(const std::filesystem::path& path, std::ifstream& in, WavLayout& layout);
// Reads `bytes` bytes of audio from `in` a piece at a time and hands each piece to use(values,
// bytes): the piece's whole values, and its byte count (an odd last byte of the audio sits in
// the low half of the value after them). use returns false to stop early. False when the file
// ends before the audio does.
using AudioPieceUse = std::function<bool(std::span<std::int16_t> values, std::size_t bytes)>;
bool ReadAudioPieces(std::istream& in, std::uint64_t bytes, const AudioPieceUse& use);

// Writes a new file: the 44-byte header and `bytes` bytes of audio starting at `first`.
std::string WriteTrimmedWav(const std::filesystem::path& path, bool stereo,
                            const std::int16_t* first, std::uint32_t bytes);

// The same for runs over many files: the new file is written at once (the buffer can be reused
// on return) and put in place at the batch's next flush, which tells done the reason of a
// failure (empty on success).
using WavWritten = std::function<void(const std::string& error)>;
// The trimmed file holds `bytes` bytes of wav's audio from value `first`. The values before
// `unchangedEnd` are still as in the file, which was loaded into wav and not yet replaced: the
// kernel copies them from there; the others come from the buffer.
void WriteTrimmedWav(const std::filesystem::path& path, const WavSamples& wav, std::size_t first,
                     std::uint32_t bytes, std::size_t unchangedEnd, ReplacingBatch& batch,
                     WavWritten done);

} // namespace ovb
