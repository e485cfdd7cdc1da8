#pragma once
// One WAV file's audio held in memory as 16-bit values, and the two ways the editing tools put
// a changed file back: with its other chunks kept (gain) or as a plain 44-byte-header file
// (trimming). Both write beside the file and rename over it only when complete, so a failure
// leaves the old file exactly as it was.
#include "audio/Wav_file_parser.h"

#include <cstdint>
#include <filesystem>
#include <functional>
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

// Writes the file again with its audio replaced by wav.values; header and other chunks are
// copied unchanged. Returns the reason of a failure, empty on success.
std::string RewriteWavData(const std::filesystem::path& path, const WavSamples& wav);

// Writes a new file: the 44-byte header and `bytes` bytes of audio starting at `first`.
std::string WriteTrimmedWav(const std::filesystem::path& path, bool stereo,
                            const std::int16_t* first, std::uint32_t bytes);

// The same two writes for runs over many files: the new file is written at once (the buffer can
// be reused on return) and put in place at the batch's next flush, which tells done the reason
// of a failure (empty on success).
using WavWritten = std::function<void(const std::string& error)>;
void RewriteWavData(const std::filesystem::path& path, const WavSamples& wav, ReplacingBatch& batch,
                    WavWritten done);
// The trimmed file holds `bytes` bytes of wav's audio from value `first`. The values before
// `unchangedEnd` are still as in the file, which was loaded into wav and not yet replaced: the
// kernel copies them from there; the others come from the buffer.
void WriteTrimmedWav(const std::filesystem::path& path, const WavSamples& wav, std::size_t first,
                     std::uint32_t bytes, std::size_t unchangedEnd, ReplacingBatch& batch,
                     WavWritten done);

} // namespace ovb
