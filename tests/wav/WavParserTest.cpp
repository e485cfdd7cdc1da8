// The WAV parser must accept exactly the files the sound module plays (16-bit PCM, 48000 Hz,
// mono or stereo, a plain 16-byte "fmt " block first) and find their audio. It is checked
// against hand-built byte layouts, and sox reads the header the system writes.
#include "support/TestFiles.h"
#include "wav/Wav_file_parser.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

using namespace ovb;
namespace fs = std::filesystem;

namespace {

// ---- Byte layouts, built from the RIFF/WAVE format rather than from the parser's own tables.

std::string Le16(std::uint16_t v) {
    return {char(v & 0xFF), char(v >> 8)};
}
std::string Le32(std::uint32_t v) {
    return Le16(v & 0xFFFF) + Le16(v >> 16);
}
std::string ChunkClaiming(std::string_view id, std::uint32_t statedSize, std::string_view body) {
    return std::string(id) + Le32(statedSize) + std::string(body);
}
std::string Chunk(std::string_view id, std::string_view body) {
    return ChunkClaiming(id, std::uint32_t(body.size()), body);
}
std::string Riff(const std::string& chunks) {
    return "RIFF" + Le32(4 + chunks.size()) + "WAVE" + chunks;
}
std::string PcmFields(unsigned channels, unsigned rate, unsigned bits, unsigned tag = 1) {
    const unsigned align = channels * bits / 8;
    return Le16(tag) + Le16(channels) + Le32(rate) + Le32(rate * align) + Le16(align) + Le16(bits);
}
std::string Fmt(unsigned channels) {
    return Chunk("fmt ", PcmFields(channels, 48000, 16));
}
std::string InfoList() {
    return Chunk("LIST", "INFO" + Chunk("ISFT", "demo"));
}

WavLayout Parse(const std::string& bytes) {
    std::istringstream in(bytes);
    return ParseWav(in);
}

std::string CountingBytes(std::size_t n) {
    std::string s(n, '\0');
    for (std::size_t i = 0; i < n; ++i)
        s[i] = char(i * 7 % 256);
    return s;
}

// ---- Files and sox.

std::string ReadFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string Quote(const fs::path& p) {
    std::string q = "'";
    for (char c : p.string())
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

bool RunShell(const std::string& command) {
    return std::system(command.c_str()) == 0;
}

// Standard output of a command, without the final newline.
std::string Capture(const std::string& command) {
    std::string out;
    if (FILE* p = popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, p))
            out += buffer;
        EXPECT_EQ(pclose(p), 0) << command;
    }
    while (!out.empty() && out.back() == '\n')
        out.pop_back();
    return out;
}

class SoxFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!RunShell("command -v sox >/dev/null 2>&1 && command -v soxi >/dev/null 2>&1"))
            FAIL() << "sox is not installed, so the parser cannot be checked against files "
                      "written by it; scripts/install-deps.sh installs it";
    }
    // The audio as sox itself decodes it, in the file's own sample encoding.
    std::string SoxRaw(const fs::path& wav) {
        const fs::path raw = dir_ / (wav.stem().string() + ".raw");
        EXPECT_TRUE(RunShell("sox " + Quote(wav) + " -t raw " + Quote(raw)));
        return ReadFile(raw);
    }
    test::TempDir dir_;
};

} // namespace

TEST_F(SoxFiles, OwnHeaderIsSeenAs48k16BitWithTheRightChannelsAndSamples) {
    for (unsigned channels : {1u, 2u}) {
        SCOPED_TRACE("channels " + std::to_string(channels));
        const unsigned frames = 48001;
        const std::string audio = CountingBytes(frames * channels * 2);
        const auto header = MakeWavHeader(channels == 2, std::uint32_t(audio.size()));
        const fs::path p = dir_ / ("own" + std::to_string(channels) + ".wav");
        std::ofstream(p, std::ios::binary) << std::string(header.begin(), header.end()) << audio;
        const std::string q = Quote(p);
        EXPECT_EQ(Capture("soxi -r " + q), "48000");
        EXPECT_EQ(Capture("soxi -b " + q), "16");
        EXPECT_EQ(Capture("soxi -e " + q), "Signed Integer PCM");
        EXPECT_EQ(Capture("soxi -c " + q), std::to_string(channels));
        EXPECT_EQ(Capture("soxi -s " + q), std::to_string(frames));
        EXPECT_TRUE(SoxRaw(p) == audio) << "sox decodes other audio than was written";
    }
}

TEST(WavFormatBlock, OnlyTheExact16BytePcmBlockRightAfterWaveIsAccepted) {
    const std::string data = Chunk("data", std::string(8, '\1'));
    EXPECT_EQ(Parse(Riff(Fmt(1) + data)).format, WavMono);
    EXPECT_EQ(Parse(Riff(Fmt(2) + data)).format, WavStereo);

    // WAVE_FORMAT_EXTENSIBLE describing the very same 16-bit 48 kHz mono PCM audio.
    const std::string pcmGuid("\x01\x00\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71",
                              16);
    const std::string extensible =
        PcmFields(1, 48000, 16, 0xFFFE) + Le16(22) + Le16(16) + Le32(4) + pcmGuid;
    const std::string good = Riff(Fmt(1) + data);
    std::string rifx = good, notWave = good, oneShort = good;
    rifx[3] = 'X';
    notWave.replace(8, 4, "AVI ");
    oneShort.pop_back();
    const std::pair<const char*, std::string> refused[] = {
        {"44.1 kHz", Riff(Chunk("fmt ", PcmFields(2, 44100, 16)) + data)},
        {"8 bit", Riff(Chunk("fmt ", PcmFields(1, 48000, 8)) + data)},
        {"24 bit", Riff(Chunk("fmt ", PcmFields(1, 48000, 24)) + data)},
        {"4 channels", Riff(Chunk("fmt ", PcmFields(4, 48000, 16)) + data)},
        {"float tag", Riff(Chunk("fmt ", PcmFields(1, 48000, 16, 3)) + data)},
        {"18-byte fmt", Riff(Chunk("fmt ", PcmFields(1, 48000, 16) + Le16(0)) + data)},
        {"extensible", Riff(Chunk("fmt ", extensible) + data)},
        {"LIST before fmt", Riff(InfoList() + Fmt(1) + data)},
        {"big-endian RIFX", rifx},
        {"not WAVE", notWave},
        // Cut inside the format block, with a RIFF size that matches the shorter stream.
        {"cut fmt", "RIFF" + Le32(16) + "WAVE" + Fmt(1).substr(0, 8)},
        {"empty", ""},
        {"trailing byte after the last chunk", good + '\0'},
        {"one byte short", oneShort},
    };
    for (const auto& [name, bytes] : refused)
        EXPECT_EQ(Parse(bytes).format, WavRejected) << name;
}

TEST(WavChunkWalk, ChunksAfterTheFormatBlockAreSkippedByTheirStatedSizeWithoutPadding) {
    const std::string head = Fmt(2) + InfoList() + Chunk("fact", Le32(3)) + "data" + Le32(12);
    const std::string file = Riff(head + "0123456789AB");
    const WavLayout w = Parse(file);
    EXPECT_EQ(w.format, WavStereo);
    ASSERT_TRUE(w.hasData);
    EXPECT_EQ(w.dataSize, 12u);
    EXPECT_EQ(w.dataOffset, 12 + head.size());
    EXPECT_TRUE(w.dataComplete());

    // No pad byte is skipped after an odd-sized chunk: one shifts the walk off the data id.
    const std::string odd = Chunk("note", "abc"), data = Chunk("data", "wxyz");
    EXPECT_FALSE(Parse(Riff(Fmt(1) + odd + '\0' + data)).hasData);
    const std::string unpadded = Riff(Fmt(1) + odd + data);
    const WavLayout u = Parse(unpadded);
    ASSERT_TRUE(u.hasData);
    EXPECT_EQ(unpadded.substr(u.dataOffset), "wxyz");
}

TEST(WavChunkWalk, NoDataChunkIsFoundUnlessAnIdAndSizeLeadToIt) {
    const std::pair<const char*, std::string> cases[] = {
        {"nothing after fmt", Riff(Fmt(1))},
        // A chunk claiming to run past the end, by a size that would wrap a 32-bit position.
        {"huge LIST", Riff(Fmt(1) + ChunkClaiming("LIST", 0xFFFFFFFF, "INFO") + Chunk("data", ""))},
        {"lone id", Riff(Fmt(1) + "LIS")},
        // Found by fuzzing: reported as a null-size file before, though no size was stated.
        {"data id only", Riff(Fmt(1) + "data")},
        {"half a size", Riff(Fmt(1) + "data" + std::string("\x01\x00", 2))},
    };
    for (const auto& [name, bytes] : cases)
        EXPECT_FALSE(Parse(bytes).hasData) << name;
}

TEST(WavChunkWalk, EmptyAndOverlongDataChunks) {
    const std::string file = Riff(Fmt(1) + Chunk("data", ""));
    std::istringstream in(file);
    ASSERT_EQ(CheckWavHeader(in), WavMono);
    ASSERT_TRUE(FindDataChunk(in));
    EXPECT_EQ(WavDataSize(in), 0u);
    const WavLayout empty = Parse(file);
    EXPECT_TRUE(empty.hasData);
    EXPECT_EQ(empty.dataOffset, file.size());
    EXPECT_TRUE(empty.dataComplete());

    const std::string ten(10, 'x');
    EXPECT_TRUE(Parse(Riff(Fmt(1) + ChunkClaiming("data", 10, ten))).dataComplete());
    const WavLayout cut = Parse(Riff(Fmt(1) + ChunkClaiming("data", 11, ten)));
    ASSERT_TRUE(cut.hasData);
    EXPECT_EQ(cut.dataSize, 11u);
    EXPECT_FALSE(cut.dataComplete());
    const WavLayout huge = Parse(Riff(Fmt(1) + ChunkClaiming("data", 0xFFFFFFFF, "xy")));
    EXPECT_EQ(huge.dataSize, 0xFFFFFFFFu);
    EXPECT_FALSE(huge.dataComplete());
}

TEST(WavHeaderWriter, HeaderIsTheCanonicalLayoutAndRoundTrips) {
    for (bool stereo : {false, true}) {
        const std::uint32_t size = stereo ? 140004 : 70002; // sizes above 16 bits
        const auto header = MakeWavHeader(stereo, size);
        const std::string headerBytes(header.begin(), header.end());
        EXPECT_TRUE(headerBytes ==
                    "RIFF" + Le32(36 + size) + "WAVE" + Fmt(stereo ? 2 : 1) + "data" + Le32(size))
            << stereo;
        const WavLayout w = Parse(headerBytes + CountingBytes(size));
        EXPECT_EQ(w.format, stereo ? WavStereo : WavMono);
        EXPECT_EQ(w.dataOffset, header.size());
        EXPECT_EQ(w.dataSize, size);
        EXPECT_TRUE(w.dataComplete());
    }
}
