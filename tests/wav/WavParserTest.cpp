// The WAV parser must accept exactly the files the sound module plays (16-bit PCM, 48000 Hz,
// mono or stereo, a plain 16-byte "fmt " block first) and find their audio. It is checked
// against hand-built byte layouts, and sox reads the header the system writes.
#include "support/RiffBytes.h"
#include "support/Shell.h"
#include "support/TestFiles.h"
#include "wav/Wav_file_parser.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

using namespace ovb;
using namespace ovb::test;
namespace fs = std::filesystem;

namespace {

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

} // namespace

TEST(SoxReadsTheOwnHeader, As48k16BitWithTheRightChannelsAndSamples) {
    TempDir dir;
    for (unsigned channels : {1u, 2u}) {
        SCOPED_TRACE("channels " + std::to_string(channels));
        const unsigned frames = 48001;
        const std::string audio = CountingBytes(frames * channels * 2);
        const auto header = MakeWavHeader(channels == 2, std::uint32_t(audio.size()));
        const fs::path p = dir / "own.wav", raw = dir / "own.raw";
        std::ofstream(p, std::ios::binary) << std::string(header.begin(), header.end()) << audio;
        EXPECT_EQ(Capture("for o in r b e c s; do soxi -$o " + Quote(p) + "; done"),
                  "48000\n16\nSigned Integer PCM\n" + std::to_string(channels) + "\n" +
                      std::to_string(frames));
        // The audio as sox itself decodes it, in the file's own sample encoding.
        ASSERT_TRUE(Shell("sox " + Quote(p) + " -t raw " + Quote(raw)));
        EXPECT_TRUE(FileText(raw) == audio) << "sox decodes other audio than was written";
    }
}

TEST(WavFormatBlock, OnlyTheExact16BytePcmBlockRightAfterWaveIsAccepted) {
    const std::string data = Chunk("data", std::string(8, '\1'));
    EXPECT_EQ(Parse(Riff(Fmt(1) + data)).format, WavMono);
    EXPECT_EQ(Parse(Riff(Fmt(2) + data)).format, WavStereo);

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
        {"extensible", Riff(ExtensibleFmt(1) + data)},
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
    const WavLayout empty = Parse(file);
    EXPECT_TRUE(empty.hasData);
    EXPECT_EQ(empty.dataOffset, file.size());
    EXPECT_TRUE(empty.dataComplete());

    const WavLayout cut = Parse(Riff(Fmt(1) + ChunkClaiming("data", 11, std::string(10, 'x'))));
    ASSERT_TRUE(cut.hasData);
    EXPECT_EQ(cut.dataSize, 11u);
    EXPECT_FALSE(cut.dataComplete());
    const WavLayout huge = Parse(Riff(Fmt(1) + ChunkClaiming("data", 0xFFFFFFFF, "xy")));
    EXPECT_EQ(huge.dataSize, 0xFFFFFFFFu);
    EXPECT_FALSE(huge.dataComplete());
}

// What the parser makes of this layout is checked above on the same bytes built by hand.
TEST(WavHeaderWriter, HeaderIsTheCanonicalLayout) {
    for (bool stereo : {false, true}) {
        const std::uint32_t size = stereo ? 140004 : 70002; // sizes above 16 bits
        const auto header = MakeWavHeader(stereo, size);
        EXPECT_TRUE(std::string(header.begin(), header.end()) ==
                    "RIFF" + Le32(36 + size) + "WAVE" + Fmt(stereo ? 2 : 1) + "data" + Le32(size))
            << stereo;
    }
}
