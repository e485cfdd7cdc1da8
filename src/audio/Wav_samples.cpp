#include "audio/Wav_samples.h"

#include "job/ReplacingFile.h"

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

std::string RewriteWavData(const std::filesystem::path& path, const WavSamples& wav) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> old(std::fopen(path.c_str(), "rb"),
                                                        &std::fclose);
    if (!old) return "cannot open for reading";
    const WavLayout& w = wav.layout;
    const std::uint64_t after = w.dataOffset + w.dataSize;
    ReplacingFile out(path);
    out.copyFrom(old.get(), 0, w.dataOffset);
    out.write(wav.values.data(), w.dataSize);
    out.copyFrom(old.get(), after, w.fileSize - after);
    if (!out.commit()) return out.error().empty() ? "cannot replace the file" : out.error();
    return {};
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
