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

WavLoad LoadWavSamples(const std::filesystem::path& path, WavSamples& out) {
    out.layout = WavLayout{};
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return WavLoad::Missing;
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) return WavLoad::CannotOpen;
    out.layout = ParseWav(in);
    if (out.layout.format == WavRejected) return WavLoad::Rejected;
    if (!out.layout.hasData) return WavLoad::NoData;
    if (out.layout.dataSize == 0) return WavLoad::Empty;
    if (!out.layout.dataComplete()) return WavLoad::Truncated;
    out.values.resize((std::size_t(out.layout.dataSize) + 1) / 2);
    out.values.back() = 0;
    in.seekg(std::streamoff(out.layout.dataOffset));
    in.read(reinterpret_cast<char*>(out.values.data()), std::streamsize(out.layout.dataSize));
    if (std::size_t(in.gcount()) != out.layout.dataSize) return WavLoad::Truncated;
    return WavLoad::Ok;
}

namespace {

// Runs one write as a batch of one and returns its outcome.
template <class Write> std::string AtOnce(Write write) {
    std::string outcome;
    ReplacingBatch batch(1);
    write(batch, [&outcome](const std::string& error) { outcome = error; });
    batch.flush();
    return outcome;
}

} // namespace

void RewriteWavData(const std::filesystem::path& path, const WavSamples& wav, ReplacingBatch& batch,
                    WavWritten done) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> old(std::fopen(path.c_str(), "rb"),
                                                        &std::fclose);
    if (!old) {
        done("cannot open for reading");
        return;
    }
    const WavLayout& w = wav.layout;
    const std::uint64_t after = w.dataOffset + w.dataSize;
    auto out = std::make_unique<ReplacingFile>(path);
    out->copyFrom(old.get(), 0, w.dataOffset);
    out->write(wav.values.data(), w.dataSize);
    out->copyFrom(old.get(), after, w.fileSize - after);
    batch.add(std::move(out), std::move(done));
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

std::string RewriteWavData(const std::filesystem::path& path, const WavSamples& wav) {
    return AtOnce([&](ReplacingBatch& batch, WavWritten done) {
        RewriteWavData(path, wav, batch, std::move(done));
    });
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
