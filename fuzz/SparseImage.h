#pragma once
// The compact input form of the loader harnesses. Real scripts and banks are tens or hundreds of
// megabytes, almost all of it zeros; an input only carries the few places the loaders look at,
// and the harness rebuilds the full-size file around them.
//
//   byte 0      answers, 0..3 meaning Yes, No, Ok, Cancel: every question without a queued
//               answer gets b & 3; with bit 4 set the first question gets (b >> 2) & 3
//   byte 1      flags: bit 0 keeps the stored sizes as they are (else the harness makes them
//               match the rebuilt file), bit 5 cuts the file to `gap` bytes; the other bits
//               belong to each harness
//   bytes 2..5  gap: zero bytes between the placed segments and the tail (little-endian)
//   segments    separated by kSeparator. Of two or more, the last is the tail and ends the
//               file. Each other segment i lands at anchor i plus 512 times its first two bytes
//               (little-endian); the rest of it is the data; segments beyond the anchors are
//               dropped. Everything else is zero.
//
// The file size is the end of the furthest segment (at least minBodyEnd), plus the gap, plus
// the tail; a gap that would pass the format's cap is shortened.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace ovb::fuzz {

constexpr std::string_view kSeparator = "\xF7SEG";
constexpr std::size_t kControlSize = 6;
constexpr std::uint8_t kKeepSizes = 1;
constexpr std::uint8_t kCutToGap = 32; // short files: the loaders' read failures

struct ImageFormat {
    std::span<const std::uint64_t> anchors;
    std::uint64_t minBodyEnd;
    std::uint64_t cap; // largest rebuilt file, so a run keeps its memory bounded
};

struct Piece {
    std::uint64_t offset;
    std::vector<std::uint8_t> bytes;
};

struct SparseImage {
    std::uint8_t answers = 0;
    std::uint8_t flags = 0;
    std::uint64_t size = 0;
    std::vector<Piece> pieces; // a later piece overwrites an earlier one

    // The bytes of the rebuilt file at [offset, offset + out.size()), zeros past its end.
    void Copy(std::uint64_t offset, std::span<std::uint8_t> out) const;
    void PutLe64(std::uint64_t offset, std::uint64_t value);
};

// nullopt when the input is too short for the control bytes or cannot fit under the cap.
std::optional<SparseImage> DecodeImage(std::span<const std::uint8_t> input,
                                       const ImageFormat& format);

// The inverse, for seeds: a real file read through `read` (offset, length -> bytes, cut at the
// file's end) is reduced to a window at every anchor (trailing zeros dropped) and its last
// tailWindow bytes (leading zeros dropped). Decoding the result rebuilds a file of fileSize
// bytes that equals the real one inside the windows. Empty when a window holds the separator.
struct SeedWindows {
    std::vector<std::size_t> atAnchor; // one per anchor
    std::size_t tail;
};
using FileReader = std::function<std::vector<std::uint8_t>(std::uint64_t, std::size_t)>;
std::vector<std::uint8_t> EncodeImage(const ImageFormat& format, const SeedWindows& windows,
                                      std::uint64_t fileSize, const FileReader& read,
                                      std::uint8_t answers, std::uint8_t flags);

} // namespace ovb::fuzz
