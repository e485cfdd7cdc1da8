// The WAV parser must accept exactly the files the sound module plays (16-bit PCM, 48000 Hz,
// mono or stereo, a plain 16-byte "fmt " block first) and find their audio. It is checked
// against files written by independent tools (sox, ffmpeg), against hand-built
// byte layouts for the chunk walk, and against sox reading the header the system writes.
#include "audio/Wav_file_parser.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

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

std::string PcmFields(unsigned channels, unsigned rate, unsigned bits) {
    const unsigned align = channels * bits / 8;
    return Le16(1) + Le16(channels) + Le32(rate) + Le32(rate * align) + Le16(align) + Le16(bits);
}
std::string Fmt(unsigned channels) {
    return Chunk("fmt ", PcmFields(channels, 48000, 16));
}
std::string InfoList() {
    return Chunk("LIST", "INFO" + Chunk("ISFT", "demo"));
}

// WAVE_FORMAT_EXTENSIBLE describing the very same 16-bit 48 kHz mono PCM audio.
std::string ExtensibleMonoFmt() {
    std::string f = PcmFields(1, 48000, 16);
    f.replace(0, 2, Le16(0xFFFE));
    const std::string pcmGuid("\x01\x00\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71",
                              16);
    f += Le16(22) + Le16(16) + Le32(4) + pcmGuid;
    return Chunk("fmt ", f);
}

WavLayout Parse(const std::string& bytes) {
    std::istringstream in(bytes);
    return ParseWav(in);
}

// ---- Files and external tools.

std::string ReadFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

WavLayout ParseFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    EXPECT_TRUE(in.is_open()) << p;
    return ParseWav(in);
}

std::string Quote(const std::string& s) {
    std::string q = "'";
    for (char c : s)
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
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r'))
        out.pop_back();
    return out;
}

// The header as the tool wrote it, assuming "fmt " is the first chunk.
struct FmtInfo {
    std::uint32_t size;
    std::uint16_t tag;
};
FmtInfo FmtOf(const std::string& file) {
    auto u16 = [&](std::size_t at) {
        return std::uint16_t(std::uint8_t(file[at]) | std::uint8_t(file[at + 1]) << 8);
    };
    EXPECT_EQ(file.substr(12, 4), "fmt ");
    return {std::uint32_t(u16(16) | u16(18) << 16), u16(20)};
}
constexpr std::uint16_t kTagPcm = 1, kTagFloat = 3, kTagExtensible = 0xFFFE;

// Each test gets its own folder, so that CTest may run them side by side.
class ToolFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::temp_directory_path() / ("ovb-wav-" + std::to_string(getpid()) + "-" +
                                            info->test_suite_name() + "-" + info->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    static void RequireTool(const std::string& tool) {
        if (!RunShell("command -v " + tool + " >/dev/null 2>&1"))
            FAIL() << "'" << tool << "' is not installed, so the parser cannot be checked "
                   << "against files written by it; scripts/install-deps.sh installs it";
    }

    fs::path dir_;
};

class SoxFiles : public ToolFiles {
  protected:
    void SetUp() override {
        ToolFiles::SetUp();
        RequireTool("sox");
        RequireTool("soxi");
    }

    // A 50 ms tone; `options` describe the output file. Dither is off so the file is the same
    // every run.
    fs::path Sox(const std::string& name, const std::string& options) {
        fs::path p = dir_ / name;
        EXPECT_TRUE(RunShell("sox -D -n " + options + " " + Quote(p) + " synth 0.05 sine 440"))
            << options;
        return p;
    }

    // The audio as sox itself decodes it, in the file's own sample encoding.
    std::string SoxRaw(const fs::path& wav) {
        fs::path raw = dir_ / (wav.stem().string() + ".raw");
        EXPECT_TRUE(RunShell("sox " + Quote(wav) + " -t raw " + Quote(raw)));
        return ReadFile(raw);
    }
};

TEST_F(SoxFiles, SixteenBit48kMonoAndStereoAreAcceptedWithAllTheirAudio) {
    // For 16-bit mono and stereo, sox's WAV writer uses the plain 16-byte PCM block.
    for (unsigned channels : {1u, 2u}) {
        SCOPED_TRACE("channels " + std::to_string(channels));
        const fs::path p = Sox("in" + std::to_string(channels) + ".wav",
                               "-t wav -r 48000 -b 16 -e signed -c " + std::to_string(channels));
        const std::string file = ReadFile(p);
        const FmtInfo fmt = FmtOf(file);
        ASSERT_EQ(fmt.size, 16u);
        ASSERT_EQ(fmt.tag, kTagPcm);

        const WavLayout w = ParseFile(p);
        EXPECT_EQ(w.format, channels == 1 ? WavMono : WavStereo);
        ASSERT_TRUE(w.hasData);
        const auto frames = std::stoul(Capture("soxi -s " + Quote(p)));
        EXPECT_EQ(w.dataSize, frames * channels * 2);
        EXPECT_EQ(w.fileSize, file.size());
        EXPECT_TRUE(w.dataComplete());
        EXPECT_TRUE(file.substr(w.dataOffset, w.dataSize) == SoxRaw(p))
            << "the data found is not the audio sox decodes";
    }
}

TEST_F(SoxFiles, OtherRatesDepthsAndFormatBlocksAreRefused) {
    struct Case {
        const char* options;
        std::uint32_t fmtSize;
        std::uint16_t tag;
    };
    // "wavpcm" keeps even 24-bit audio in a plain PCM block; sox's "wav" writer switches to
    // WAVE_FORMAT_EXTENSIBLE (40 bytes) above 16 bits or two channels, float gets 18 bytes.
    const Case cases[] = {{"-t wav -r 44100 -b 16 -c 2", 16, kTagPcm},
                          {"-t wav -r 48000 -b 8 -c 1", 16, kTagPcm},
                          {"-t wavpcm -r 48000 -b 24 -c 1", 16, kTagPcm},
                          {"-t wav -r 48000 -b 24 -c 2", 40, kTagExtensible},
                          {"-t wav -r 48000 -b 16 -c 4", 40, kTagExtensible},
                          {"-t wav -r 48000 -b 32 -e floating-point -c 1", 18, kTagFloat}};
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        const fs::path p = Sox("refused" + std::to_string(n++) + ".wav", c.options);
        const FmtInfo fmt = FmtOf(ReadFile(p));
        ASSERT_EQ(fmt.size, c.fmtSize);
        ASSERT_EQ(fmt.tag, c.tag);
        EXPECT_EQ(ParseFile(p).format, WavRejected);
    }
}

std::string CountingBytes(std::size_t n) {
    std::string s(n, '\0');
    for (std::size_t i = 0; i < n; ++i)
        s[i] = char(i * 7 % 256);
    return s;
}

TEST(WavFormatBlock, OnlyTheExact16BytePcmBlockRightAfterWaveIsAccepted) {
    const std::string data = Chunk("data", std::string(8, '\1'));
    EXPECT_EQ(Parse(Riff(Fmt(1) + data)).format, WavMono);
    EXPECT_EQ(Parse(Riff(Fmt(2) + data)).format, WavStereo);

    const std::string list = InfoList();
    EXPECT_EQ(Parse(Riff(list + Fmt(1) + data)).format, WavRejected) << "LIST before fmt";

    std::string fmt18 = Chunk("fmt ", PcmFields(1, 48000, 16) + Le16(0));
    EXPECT_EQ(Parse(Riff(fmt18 + data)).format, WavRejected) << "18-byte fmt";
    EXPECT_EQ(Parse(Riff(ExtensibleMonoFmt() + data)).format, WavRejected) << "extensible";

    std::string rifx = Riff(Fmt(1) + data);
    rifx[3] = 'X';
    EXPECT_EQ(Parse(rifx).format, WavRejected) << "big-endian RIFX";
    std::string notWave = Riff(Fmt(1) + data);
    notWave.replace(8, 4, "AVI ");
    EXPECT_EQ(Parse(notWave).format, WavRejected);

    // Cut inside the format block, with a RIFF size that matches the shorter stream.
    const std::string cut = "RIFF" + Le32(16) + "WAVE" + Fmt(1).substr(0, 8);
    EXPECT_EQ(Parse(cut).format, WavRejected);
    EXPECT_EQ(Parse("").format, WavRejected);
}

TEST(WavFormatBlock, RiffSizeMustDescribeTheWholeStream) {
    const std::string file = Riff(Fmt(1) + Chunk("data", "abcd"));
    EXPECT_EQ(Parse(file).format, WavMono);
    EXPECT_EQ(Parse(file + '\0').format, WavRejected) << "trailing byte after the last chunk";
    EXPECT_EQ(Parse(file.substr(0, file.size() - 1)).format, WavRejected) << "one byte short";
}

TEST(WavChunkWalk, ChunksAfterTheFormatBlockAreSkippedByTheirStatedSize) {
    const std::string head = Fmt(2) + InfoList() + Chunk("fact", Le32(3)) + "data" + Le32(12);
    const std::string file = Riff(head + "0123456789AB");
    const WavLayout w = Parse(file);
    EXPECT_EQ(w.format, WavStereo);
    ASSERT_TRUE(w.hasData);
    EXPECT_EQ(w.dataSize, 12u);
    EXPECT_EQ(w.dataOffset, 12 + head.size());
    EXPECT_EQ(file.substr(w.dataOffset), "0123456789AB");
    EXPECT_TRUE(w.dataComplete());
}

TEST(WavChunkWalk, NoPadByteIsSkippedAfterAnOddSizedChunk) {
    const std::string odd = Chunk("note", "abc");
    const std::string data = Chunk("data", "wxyz");

    const WavLayout padded = Parse(Riff(Fmt(1) + odd + '\0' + data));
    EXPECT_EQ(padded.format, WavMono);
    EXPECT_FALSE(padded.hasData) << "the pad byte shifts the walk off the data id";

    const std::string unpaddedFile = Riff(Fmt(1) + odd + data);
    const WavLayout unpadded = Parse(unpaddedFile);
    ASSERT_TRUE(unpadded.hasData);
    EXPECT_EQ(unpadded.dataSize, 4u);
    EXPECT_EQ(unpaddedFile.substr(unpadded.dataOffset), "wxyz");
}

TEST(WavChunkWalk, WalkEndsWithoutDataWhenNoChunkLeadsToIt) {
    EXPECT_FALSE(Parse(Riff(Fmt(1))).hasData) << "nothing after the format block";
    // A chunk claiming to run past the end, even by a size that would wrap a 32-bit position.
    EXPECT_FALSE(
        Parse(Riff(Fmt(1) + ChunkClaiming("LIST", 0xFFFFFFFF, "INFO") + Chunk("data", "ab")))
            .hasData);
    // A lone id with no room for a size.
    EXPECT_FALSE(Parse(Riff(Fmt(1) + "LIS")).hasData);
}

TEST(WavChunkWalk, EmptyDataChunkPassesEveryStepButADataIdWithoutSizeHoldsNoChunk) {
    const std::string file = Riff(Fmt(1) + Chunk("data", ""));
    std::istringstream in(file);
    ASSERT_EQ(CheckWavHeader(in), WavMono);
    ASSERT_TRUE(FindDataChunk(in));
    EXPECT_EQ(WavDataSize(in), 0u);
    const WavLayout w = Parse(file);
    EXPECT_TRUE(w.hasData);
    EXPECT_EQ(w.dataSize, 0u);
    EXPECT_EQ(w.dataOffset, file.size());
    EXPECT_TRUE(w.dataComplete());

    // Found by fuzzing: reported as a null-size file before, though no size was ever stated.
    EXPECT_FALSE(Parse(Riff(Fmt(1) + "data")).hasData);
    EXPECT_FALSE(Parse(Riff(Fmt(1) + "data" + std::string("\x01\x00", 2))).hasData);
}

TEST(WavChunkWalk, DataClaimingMoreThanTheFileHoldsIsIncomplete) {
    const WavLayout cut = Parse(Riff(Fmt(1) + ChunkClaiming("data", 100, std::string(10, 'x'))));
    EXPECT_EQ(cut.format, WavMono);
    ASSERT_TRUE(cut.hasData);
    EXPECT_EQ(cut.dataSize, 100u);
    EXPECT_FALSE(cut.dataComplete());

    EXPECT_TRUE(
        Parse(Riff(Fmt(1) + ChunkClaiming("data", 10, std::string(10, 'x')))).dataComplete());
    const WavLayout huge = Parse(Riff(Fmt(1) + ChunkClaiming("data", 0xFFFFFFFF, "xy")));
    EXPECT_EQ(huge.dataSize, 0xFFFFFFFFu);
    EXPECT_FALSE(huge.dataComplete());
}

TEST(WavHeaderWriter, HeaderIsTheCanonicalLayoutAndRoundTrips) {
    for (bool stereo : {false, true}) {
        SCOPED_TRACE(stereo ? "stereo" : "mono");
        const std::uint32_t size = stereo ? 140004 : 70002; // sizes above 16 bits
        const auto header = MakeWavHeader(stereo, size);
        const std::string headerBytes(header.begin(), header.end());
        EXPECT_TRUE(headerBytes ==
                    "RIFF" + Le32(36 + size) + "WAVE" + Fmt(stereo ? 2 : 1) + "data" + Le32(size));

        const std::string audio = CountingBytes(size);
        const std::string file = headerBytes + audio;
        const WavLayout w = Parse(file);
        EXPECT_EQ(w.format, stereo ? WavStereo : WavMono);
        ASSERT_TRUE(w.hasData);
        EXPECT_EQ(w.dataSize, size);
        EXPECT_TRUE(file.substr(w.dataOffset) == audio);
        EXPECT_TRUE(w.dataComplete());
    }
}

TEST_F(SoxFiles, OwnHeaderIsSeenAs48k16BitWithTheRightChannelsAndSamples) {
    for (unsigned channels : {1u, 2u}) {
        SCOPED_TRACE("channels " + std::to_string(channels));
        const unsigned frames = 48001;
        const std::string audio = CountingBytes(frames * channels * 2);
        const auto header = MakeWavHeader(channels == 2, std::uint32_t(audio.size()));
        const fs::path p = dir_ / ("own" + std::to_string(channels) + ".wav");
        {
            std::ofstream out(p, std::ios::binary);
            out.write(reinterpret_cast<const char*>(header.data()), header.size());
            out << audio;
        }
        const std::string q = Quote(p);
        EXPECT_EQ(Capture("soxi -r " + q), "48000");
        EXPECT_EQ(Capture("soxi -b " + q), "16");
        EXPECT_EQ(Capture("soxi -e " + q), "Signed Integer PCM");
        EXPECT_EQ(Capture("soxi -c " + q), std::to_string(channels));
        EXPECT_EQ(Capture("soxi -s " + q), std::to_string(frames));
        EXPECT_TRUE(SoxRaw(p) == audio) << "sox decodes other audio than was written";
    }
}

class FfmpegFiles : public ToolFiles {
  protected:
    void SetUp() override {
        ToolFiles::SetUp();
        RequireTool("ffmpeg");
    }
    // A 50 ms tone; ffmpeg puts a LIST/INFO chunk between "fmt " and "data" unless -bitexact.
    fs::path Ffmpeg(const std::string& name, const std::string& options) {
        fs::path p = dir_ / name;
        EXPECT_TRUE(RunShell("ffmpeg -v error -y -f lavfi -i sine=frequency=440:sample_rate=48000:"
                             "duration=0.05 " +
                             options + " " + Quote(p)))
            << options;
        return p;
    }
    std::string FfmpegRaw(const fs::path& wav) {
        fs::path raw = dir_ / (wav.stem().string() + ".raw");
        EXPECT_TRUE(RunShell("ffmpeg -v error -y -i " + Quote(wav) + " -f s16le " + Quote(raw)));
        return ReadFile(raw);
    }
};

} // namespace

TEST_F(FfmpegFiles, ListChunkAfterTheFormatBlockIsSkippedAndTheAudioFound) {
    const fs::path p = Ffmpeg("ff.wav", "-ac 2 -c:a pcm_s16le");
    const std::string file = ReadFile(p);
    ASSERT_NE(file.find("LIST"), std::string::npos) << "ffmpeg wrote no LIST chunk";
    ASSERT_LT(file.find("fmt "), file.find("LIST"));
    const WavLayout w = ParseFile(p);
    EXPECT_EQ(w.format, WavStereo);
    ASSERT_TRUE(w.hasData);
    EXPECT_TRUE(w.dataComplete());
    EXPECT_TRUE(file.substr(w.dataOffset, w.dataSize) == FfmpegRaw(p));
}
