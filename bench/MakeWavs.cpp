// ovb-bench-make-wavs: writes the sample library the end-to-end benchmarks build banks from.
//
//   ovb-bench-make-wavs FOLDER COUNT DATA_BYTES
//
// Writes FOLDER/bench-NNN.wav, COUNT stereo 48 kHz 16-bit files of DATA_BYTES audio bytes each
// (rounded down to whole frames), filled with noise that differs from file to file, so no layer
// below can shortcut the copy of repeated or zero data.
#include "audio/Wav_file_parser.h"
#include "bank/BankLayout.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr std::uint64_t kMaxDataBytes = ovb::kMaxSampleSectors * ovb::kSector;

int Usage() {
    std::fprintf(stderr,
                 "usage: ovb-bench-make-wavs FOLDER COUNT DATA_BYTES\n"
                 "  DATA_BYTES below %llu, the longest sample a bank can hold\n",
                 static_cast<unsigned long long>(kMaxDataBytes));
    return 2;
}

// xorshift64: fast, and a different stream for every seed.
void FillNoise(std::vector<std::uint64_t>& words, std::uint64_t seed) {
    std::uint64_t x = seed * 0x9E3779B97F4A7C15ull + 1;
    for (auto& w : words) {
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
        w = x;
    }
}

bool WriteWav(const fs::path& path, std::uint32_t dataBytes, unsigned seed) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const auto header = ovb::MakeWavHeader(true, dataBytes);
    bool ok = std::fwrite(header.data(), 1, header.size(), f) == header.size();
    std::vector<std::uint64_t> chunk(1 << 19); // 4 MiB
    for (std::uint32_t left = dataBytes, round = 0; ok && left > 0; ++round) {
        FillNoise(chunk, (std::uint64_t(seed) << 32) | round);
        std::size_t n = std::min<std::size_t>(left, chunk.size() * sizeof chunk[0]);
        ok = std::fwrite(chunk.data(), 1, n, f) == n;
        left -= std::uint32_t(n);
    }
    return std::fclose(f) == 0 && ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) return Usage();
    const fs::path folder = argv[1];
    const unsigned long count = std::strtoul(argv[2], nullptr, 10);
    const unsigned long long bytes = std::strtoull(argv[3], nullptr, 10) / 4 * 4;
    if (count == 0 || bytes == 0 || bytes >= kMaxDataBytes) return Usage();
    std::error_code ec;
    fs::create_directories(folder, ec);
    for (unsigned long i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "bench-%03lu.wav", i);
        if (!WriteWav(folder / name, std::uint32_t(bytes), unsigned(i))) {
            std::fprintf(stderr, "ovb-bench-make-wavs: cannot write %s\n", (folder / name).c_str());
            return 1;
        }
    }
    return 0;
}
