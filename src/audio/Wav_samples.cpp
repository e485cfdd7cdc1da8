#include "audio/Wav_samples.h"

#include "job/ReplacingBatch.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <fstream>
#include <memory>

namespace ovb {

static_assert(std::endian::native == std::endian::little,
              "audio values are used in the file's byte order");

WavLoad OpenWavAudio(const std::filesystem::path& path, std::ifstream& in, WavLayout& layout) {
    layout = WavLayout{};
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return WavLoad::Missing;
    in.open(path, std::ios::binary);
    if (!in.is_open()) return WavLoad::CannotOpen;
    layout = ParseWav(in);
    if (layout.format == WavRejected) return WavLoad::Rejected;
    if (!layout.hasData) return WavLoad::NoData;
    if (layout.dataSize == 0) return WavLoad::Empty;
    if (!layout.dataComplete()) return WavLoad::Truncated;
    in.seekg(std::streamoff(layout.dataOffset));
    return WavLoad::Ok;
}

WavLoad LoadWavSamples(const std::filesystem::path& path, WavSamples& out) {
    std::ifstream in;
    const WavLoad load = OpenWavAudio(path, in, out.layout);
    if (load != WavLoad::Ok) return load;
    out.values.resize((std::size_t(out.layout.dataSize) + 1) / 2);
    out.values.back() = 0;
    in.read(reinterpret_cast<char*>(out.values.data()), std::streamsize(out.layout.dataSize));
    if (std::size_t(in.gcount()) != out.layout.dataSize) return WavLoad::Truncated;
    return WavLoad::Ok;
}

bool ReadAudioPieces(std::istream& in, std::uint64_t bytes, const AudioPieceUse& use) {
    // Small enough to stay in the processor's cache between reading, working and writing.
    constexpr std::size_t kPieceBytes = 256u << 10;
    std::vector<std::int16_t> piece(kPieceBytes / 2);
    while (bytes > 0) {
        const std::size_t n = std::size_t(std::min<std::uint64_t>(bytes, kPieceBytes));
        piece[(n - 1) / 2] = 0; // the high half of an odd last byte's value
        in.read(reinterpret_cast<char*>(piece.data()), std::streamsize(n));
        if (std::size_t(in.gcount()) != n) return false;
        bytes -= n;
        if (!use(std::span(piece.data(), n / 2), n)) return true;
    }
    return true;
}

void WriteTrimmedWav(const std::filesystem::path& path, const WavSamples& wav, std::size_t first,
                     std::uint32_t bytes, std::size_t unchangedEnd, ReplacingBatch& batch,
                     WavWritten done) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> old(std::fopen(path.c_str(), "rb"),
                                                        &std::fclose);
    const std::uint64_t from = std::uint64_t(first) * 2, end = from + bytes;
    const std::uint64_t copied =
        old ? std::clamp<std::uint64_t>(std::uint64_t(unchangedEnd) * 2, from, end) : from;
    const auto header = MakeWavHeader(wav.stereo(), bytes);
    auto out = std::make_unique<ReplacingFile>(path);
    out->write(header.data(), header.size());
    if (copied > from) out->copyFrom(old.get(), wav.layout.dataOffset + from, copied - from);
    out->write(reinterpret_cast<const char*>(wav.values.data()) + copied, end - copied);
    batch.add(std::move(out), std::move(done));
}

std::string WriteTrimmedWav(const std::filesystem::path& path, bool stereo,
                            const std::int16_t* first, std::uint32_t bytes) {
    const auto header = MakeWavHeader(stereo, bytes);
    ReplacingFile out(path);
    out.write(header.data(), header.size());
    out.write(first, bytes);
    if (!out.commit()) return out.error().empty() ? "cannot replace the file" : out.error();
    return {};
}

} // namespace ovb
