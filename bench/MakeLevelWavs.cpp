// ovb-bench-make-level-wavs: writes a sample library the WAV tools have real work on.
//
//   ovb-bench-make-level-wavs FOLDER COUNT DATA_BYTES
//
// Writes FOLDER/level-NNN.wav, COUNT stereo 48 kHz 16-bit files of DATA_BYTES audio bytes each
// (rounded down to whole frames): noise peaking near -6 dB, so normalising rewrites every file,
// between 4800 silent frames at the start and 4800 at the end, so both trims rewrite every file.
#include "audio/Wav_file_parser.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr std::uint64_t kSilentBytes = 4800 * 4;

int Usage() {
    std::fprintf(stderr, "usage: ovb-bench-make-level-wavs FOLDER COUNT DATA_BYTES\n"
                         "  DATA_BYTES above twice 19200 and below 4 GiB\n");
    return 2;
}

// xorshift64 noise with every value halved: a different stream for every seed.
void FillNoise(std::vector<std::int16_t>& values, std::uint64_t seed) {
    std::uint64_t x = seed * 0x9E3779B97F4A7C15ull + 1;
    for (auto& v : values) {
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
        v = std::int16_t(std::int16_t(x >> 48) / 2);
    }
}

bool WriteWav(const fs::path& path, std::uint64_t dataBytes, unsigned seed) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const auto header = ovb::MakeWavHeader(true, std::uint32_t(dataBytes));
    bool ok = std::fwrite(header.data(), 1, header.size(), f) == header.size();
    const std::vector<char> silence(kSilentBytes, 0);
    ok = ok && std::fwrite(silence.data(), 1, silence.size(), f) == silence.size();
    std::vector<std::int16_t> chunk(1 << 21); // 4 MiB
    for (std::uint64_t left = dataBytes - 2 * kSilentBytes, round = 0; ok && left > 0; ++round) {
        FillNoise(chunk, (std::uint64_t(seed) << 32) | round);
        const std::size_t n = std::size_t(std::min<std::uint64_t>(left, chunk.size() * 2));
        ok = std::fwrite(chunk.data(), 1, n, f) == n;
        left -= n;
    }
    ok = ok && std::fwrite(silence.data(), 1, silence.size(), f) == silence.size();
    return std::fclose(f) == 0 && ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) return Usage();
    const fs::path folder = argv[1];
    const unsigned long count = std::strtoul(argv[2], nullptr, 10);
    const unsigned long long bytes = std::strtoull(argv[3], nullptr, 10) / 4 * 4;
    if (count == 0 || bytes <= 2 * kSilentBytes || bytes >= (1ull << 32)) return Usage();
    std::error_code ec;
    fs::create_directories(folder, ec);
    for (unsigned long i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "level-%03lu.wav", i);
        if (!WriteWav(folder / name, bytes, unsigned(i))) {
            std::fprintf(stderr, "ovb-bench-make-level-wavs: cannot write %s\n",
                         (folder / name).c_str());
            return 1;
        }
    }
    return 0;
}
