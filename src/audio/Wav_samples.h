#pragma once
// A WAV file's audio as 16-bit values, read at its ends (trimming) or a piece at a time (level
// tools), and the trimmed file written back as a plain 44-byte-header file. It is written
// beside the old file and renamed over it only when complete, so a failure leaves the old file
// exactly as it was.
#include "wav/Wav_file_parser.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace ovb {

class ReplacingBatch;

// What became of reading (or rewriting) a WAV file: one vocabulary for every tool that reads
// one. The numbers are the status codes the level tools report (see AnalyseStatusText).
enum class WavStatus : std::uint8_t {
    Ok = 0,
    Missing = 1,     // no such file
    CannotOpen = 2,  // it cannot be opened, or its new version not put in place
    Rejected = 3,    // not a WAV file the module plays
    NoData = 4,      // no data chunk
    Empty = 5,       // a data chunk of size 0
    ReadFailed = 6,  // the stated audio is not all there, or there is no memory for it
    NotFinished = 7, // the work has not got that far
};

// The audio of one file for the trims, which look only at its silent ends: the buffer holds
// room for all of it, but only the parts read by ReadSilentHead / ReadSilentTail hold the
// file's values. The rest of the file goes to a new file by a kernel copy, never through here.
struct WavSamples {
    WavLayout layout;
    // dataSize bytes of audio; an odd last byte sits in the low half of the last element.
    std::vector<std::int16_t> values;
    std::ifstream file; // the file the values come from, open until the next file

    bool stereo() const { return layout.format == WavStereo; }
    unsigned channels() const { return stereo() ? 2u : 1u; }
    std::size_t valueCount() const { return layout.dataSize / 2; }
    std::size_t frameCount() const { return layout.dataSize / (2 * channels()); }
};

// Opens the file, checks it and sizes the buffer (ReadFailed when there is no memory for it); no
// audio is read yet. Reuses out's buffer, so that a run over many files keeps one allocation.
WavStatus OpenWavSamples(const std::filesystem::path& path, WavSamples& out);
// Read values from the start / back from the end, until a frame with a value beyond
// -threshold..threshold has been read, or the whole audio: all that SilentHeadFrames /
// SilentTailFrames look at for that threshold or a lower one. False when the file ends early.
bool ReadSilentHead(WavSamples& wav, int threshold);
bool ReadSilentTail(WavSamples& wav, int threshold);

// For tools that look at each value once, whatever the length of the file: opens the file,
// parses its header and checks that the stated audio is all there, without reading it. On Ok,
// `in` stands at the first audio byte.
WavStatus OpenWavAudio(const std::filesystem::path& path, std::ifstream& in, WavLayout& layout);
// Reads `bytes` bytes of audio from `in` a piece at a time and hands each piece to use(values,
// bytes): the piece's whole values, and its byte count (an odd last byte of the audio sits in
// the low half of the value after them). use returns false to stop early. False when the file
// ends before the audio does.
using AudioPieceUse = std::function<bool(std::span<std::int16_t> values, std::size_t bytes)>;
bool ReadAudioPieces(std::istream& in, std::uint64_t bytes, const AudioPieceUse& use);

// Writes a trimmed file: the 44-byte header and the audio kept. The new file is written at once
// (the buffer can be reused on return) and put in place at the batch's next flush, which tells
// done the reason of a failure (empty on success).
using WavWritten = std::function<void(const std::string& error)>;
// The trimmed file holds `bytes` bytes of wav's audio from value `first`. The values before
// `unchangedEnd` are still as in the file, which is not yet replaced: the kernel copies them from
// there. The others come from the buffer, which must have read them.
void WriteTrimmedWav(const std::filesystem::path& path, const WavSamples& wav, std::size_t first,
                     std::uint32_t bytes, std::size_t unchangedEnd, ReplacingBatch& batch,
                     WavWritten done);

} // namespace ovb
