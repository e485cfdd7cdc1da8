// ovb-bench-make-wavs: writes the sample libraries the benchmarks work on.
//
//   ovb-bench-make-wavs FOLDER COUNT DATA_BYTES [--level]
//
// Writes COUNT stereo 48 kHz 16-bit files of DATA_BYTES audio bytes each (rounded down to whole
// frames), filled with noise that differs from file to file, so no layer below can shortcut the
// copy of repeated or zero data: FOLDER/bench-NNN.wav, the library the bank benchmarks build
// banks from.
//
// With --level, FOLDER/level-NNN.wav, a library the WAV tools have real work on: the noise peaks
// near -6 dB, so normalising rewrites every file, between 4800 silent frames at the start and
// 4800 at the end, so both trims rewrite every file.
#include "bank/BankLayout.h"
#include "wav/Wav_file_parser.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr std::uint64_t kMaxDataBytes = ovb::kMaxSampleSectors * ovb::kSector;

int Usage() {
    std::fprintf(stderr,
                 "usage: ovb-bench-make-wavs FOLDER COUNT DATA_BYTES [--level]\n"
                 "  DATA_BYTES below %llu, the longest sample a bank can hold\n"
                 "  (with --level, also above twice 19200)\n",
                 static_cast<unsigned long long>(kMaxDataBytes));
    return 2;
}

struct Kind {
    const char* prefix;
    std::uint64_t silentBytes; // at each end
    int divisor;               // of every noise value
};
constexpr Kind kBench{"bench", 0, 1};
constexpr Kind kLevel{"level", 4800 * 4, 2};

// xorshift64, four values from each step: fast, and a different stream for every seed.
void FillNoise(std::vector<std::int16_t>& values, std::uint64_t seed, int divisor) {
    std::uint64_t x = seed * 0x9E3779B97F4A7C15ull + 1;
    for (std::size_t i = 0; i + 4 <= values.size(); i += 4) {
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
        for (int k = 0; k < 4; ++k)
            values[i + std::size_t(k)] = std::int16_t(std::int16_t(x >> (16 * k)) / divisor);
    }
}

bool WriteWav(const fs::path& path, std::uint32_t dataBytes, unsigned seed, const Kind& kind) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const auto header = ovb::MakeWavHeader(true, dataBytes);
    bool ok = std::fwrite(header.data(), 1, header.size(), f) == header.size();
    const std::vector<char> silence(kind.silentBytes, 0);
    ok = ok && std::fwrite(silence.data(), 1, silence.size(), f) == silence.size();
    std::vector<std::int16_t> chunk(1 << 21); // 4 MiB
    for (std::uint64_t left = dataBytes - 2 * kind.silentBytes, round = 0; ok && left > 0;
         ++round) {
        FillNoise(chunk, (std::uint64_t(seed) << 32) | round, kind.divisor);
        const std::size_t n = std::size_t(std::min<std::uint64_t>(left, chunk.size() * 2));
        ok = std::fwrite(chunk.data(), 1, n, f) == n;
        left -= n;
    }
    ok = ok && std::fwrite(silence.data(), 1, silence.size(), f) == silence.size();
    return std::fclose(f) == 0 && ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4 && !(argc == 5 && std::strcmp(argv[4], "--level") == 0)) return Usage();
    const Kind& kind = argc == 5 ? kLevel : kBench;
    const fs::path folder = argv[1];
    const unsigned long count = std::strtoul(argv[2], nullptr, 10);
    const unsigned long long bytes = std::strtoull(argv[3], nullptr, 10) / 4 * 4;
    if (count == 0 || bytes <= 2 * kind.silentBytes || bytes >= kMaxDataBytes) return Usage();
    std::error_code ec;
    fs::create_directories(folder, ec);
    for (unsigned long i = 0; i < count; ++i) {
        char name[40];
        std::snprintf(name, sizeof name, "%s-%03lu.wav", kind.prefix, i);
        const fs::path file = folder / name;
        if (!WriteWav(file, std::uint32_t(bytes), unsigned(i), kind)) {
            std::fprintf(stderr, "ovb-bench-make-wavs: cannot write %s\n", file.c_str());
            return 1;
        }
    }
    return 0;
}
