#include "SparseImage.h"

#include "base/ByteOrder.h"

#include <algorithm>
#include <cstring>

namespace ovb::fuzz {

namespace {

constexpr std::uint64_t kSkipUnit = 512;

std::vector<std::span<const std::uint8_t>> SplitSegments(std::span<const std::uint8_t> bytes) {
    std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    std::vector<std::span<const std::uint8_t>> segments;
    std::size_t pos = 0;
    for (;;) {
        std::size_t hit = text.find(kSeparator, pos);
        if (hit == std::string_view::npos) {
            segments.push_back(bytes.subspan(pos));
            return segments;
        }
        segments.push_back(bytes.subspan(pos, hit - pos));
        pos = hit + kSeparator.size();
    }
}

void Append(std::vector<std::uint8_t>& to, std::span<const std::uint8_t> bytes) {
    to.insert(to.end(), bytes.begin(), bytes.end());
}

} // namespace

void SparseImage::Copy(std::uint64_t offset, std::span<std::uint8_t> out) const {
    std::fill(out.begin(), out.end(), 0);
    const std::uint64_t end = offset + out.size();
    for (const Piece& p : pieces) {
        std::uint64_t from = std::max(offset, p.offset);
        std::uint64_t to = std::min({end, p.offset + p.bytes.size(), size});
        if (from >= to) continue;
        std::memcpy(out.data() + (from - offset), p.bytes.data() + (from - p.offset), to - from);
    }
}

void SparseImage::PutLe64(std::uint64_t offset, std::uint64_t value) {
    Piece p{offset, std::vector<std::uint8_t>(8)};
    ovb::PutLe64(p.bytes.data(), value);
    pieces.push_back(std::move(p));
}

std::optional<SparseImage> DecodeImage(std::span<const std::uint8_t> input,
                                       const ImageFormat& format) {
    if (input.size() < kControlSize) return std::nullopt;
    SparseImage image;
    image.answers = input[0];
    image.flags = input[1];
    const std::uint64_t rawGap = GetLe32(&input[2]);

    auto segments = SplitSegments(input.subspan(kControlSize));
    std::span<const std::uint8_t> tail;
    if (segments.size() >= 2) {
        tail = segments.back();
        segments.pop_back();
    }
    std::uint64_t bodyEnd = format.minBodyEnd;
    const std::size_t placed = std::min(segments.size(), format.anchors.size());
    for (std::size_t i = 0; i < placed; ++i) {
        auto segment = segments[i];
        std::uint64_t skip = segment.size() >= 2 ? GetLe16(segment.data()) : 0;
        segment = segment.size() >= 2 ? segment.subspan(2) : segment.subspan(segment.size());
        const std::uint64_t at = format.anchors[i] + skip * kSkipUnit;
        if (!segment.empty()) image.pieces.push_back({at, {segment.begin(), segment.end()}});
        bodyEnd = std::max(bodyEnd, at + segment.size());
    }
    if (bodyEnd + tail.size() > format.cap) return std::nullopt;
    const std::uint64_t gap = std::min(rawGap, format.cap - bodyEnd - tail.size());
    image.size = bodyEnd + gap + tail.size();
    if (!tail.empty()) image.pieces.push_back({bodyEnd + gap, {tail.begin(), tail.end()}});
    if (image.flags & kCutToGap) image.size = std::min(image.size, rawGap);
    return image;
}

std::vector<std::uint8_t> EncodeImage(const ImageFormat& format, const SeedWindows& windows,
                                      std::uint64_t fileSize, const FileReader& read,
                                      std::uint8_t answers, std::uint8_t flags) {
    std::vector<std::uint8_t> out(kControlSize);
    out[0] = answers;
    out[1] = flags;
    const auto* separator = reinterpret_cast<const std::uint8_t*>(kSeparator.data());
    std::uint64_t bodyEnd = format.minBodyEnd;
    for (std::size_t i = 0; i < format.anchors.size(); ++i) {
        auto bytes = read(format.anchors[i], windows.atAnchor.at(i));
        while (!bytes.empty() && bytes.back() == 0)
            bytes.pop_back();
        bodyEnd = std::max(bodyEnd, format.anchors[i] + bytes.size());
        const std::uint8_t noSkip[2] = {0, 0};
        Append(out, noSkip);
        Append(out, bytes);
        Append(out, {separator, kSeparator.size()});
    }
    const std::size_t tailWindow = std::size_t(std::min<std::uint64_t>(windows.tail, fileSize));
    auto tail = read(fileSize - tailWindow, tailWindow);
    auto firstData = std::find_if(tail.begin(), tail.end(), [](std::uint8_t b) { return b; });
    tail.erase(tail.begin(), firstData);
    if (bodyEnd + tail.size() > fileSize || fileSize > format.cap) return {};
    PutLe32(&out[2], std::uint32_t(fileSize - bodyEnd - tail.size()));
    if (fileSize - bodyEnd - tail.size() > UINT32_MAX) return {};
    Append(out, tail);

    // Every window must come back as one segment.
    std::string_view text(reinterpret_cast<const char*>(out.data()), out.size());
    std::size_t separators = 0;
    for (auto pos = text.find(kSeparator); pos != std::string_view::npos;
         pos = text.find(kSeparator, pos + 1))
        ++separators;
    if (separators != format.anchors.size()) return {};
    return out;
}

} // namespace ovb::fuzz
