// The demo library built with the project must hold, for every instrument of its table, a
// marker and one playable sample per note: accepted by the parser with the instrument's channel
// count, with a silent lead-in and a faded end for the trim tools to find. Where the editor
// places the files by their names is checked with the demo bank.
#include "../../demo/DemoInstruments.h"

#include "wav/Wav_file_parser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <vector>

using namespace ovb;
using namespace ovb::demo;
namespace fs = std::filesystem;

namespace {

const fs::path kLibrary = OVB_DEMO_LIBRARY;

// A sample of the instrument: accepted with its channel count, a silent lead-in of 20 ms, a
// tone neither too quiet nor clipped, a faded end, and two channels that differ when stereo.
void ExpectPlayableSample(const DemoInstrument& in, const fs::path& p) {
    SCOPED_TRACE(p.string());
    const std::size_t leadFrames = 48000 / 50;
    const unsigned channels = in.stereo ? 2 : 1;
    std::ifstream file(p, std::ios::binary);
    ASSERT_TRUE(file.is_open());
    const WavLayout w = ParseWav(file);
    ASSERT_EQ(w.format, in.stereo ? WavStereo : WavMono);
    ASSERT_TRUE(w.hasData && w.dataComplete());
    ASSERT_EQ(w.dataSize % (2 * channels), 0u);

    std::vector<std::int16_t> s(w.dataSize / 2);
    file.seekg(std::streamoff(w.dataOffset));
    ASSERT_TRUE(file.read(reinterpret_cast<char*>(s.data()), std::streamsize(s.size() * 2)));
    ASSERT_GT(s.size(), 10 * leadFrames * channels);
    for (std::size_t i = 0; i < leadFrames * channels; ++i)
        ASSERT_EQ(s[i], 0) << "lead-in not silent at sample " << i;
    int peak = 0;
    bool channelsDiffer = false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        peak = std::max(peak, std::abs(int(s[i])));
        if (in.stereo && i % 2 == 1) channelsDiffer |= s[i] != s[i - 1];
    }
    EXPECT_GT(peak, 8000) << "tone too quiet";
    EXPECT_LT(peak, 32767) << "tone clipped";
    for (std::size_t i = s.size() - channels; i < s.size(); ++i)
        EXPECT_LT(std::abs(int(s[i])), 16) << "end not faded out";
    EXPECT_EQ(channelsDiffer, in.stereo) << "stereo channels are identical";
}

// Each instrument names its notes in a scheme of its own, within octaves 3 to 7 (see the table).
TEST(DemoLibrary, EveryInstrumentFolderHoldsItsMarkerAndOnePlayableSamplePerNote) {
    ASSERT_TRUE(fs::is_directory(kLibrary)) << kLibrary << " was not generated";
    std::uintmax_t total = 0;
    std::set<NoteScheme> schemes;
    for (const auto& in : kDemoInstruments) {
        schemes.insert(in.scheme);
        EXPECT_GE(in.firstNote / 12, 3u) << in.name;
        EXPECT_LE(in.lastNote / 12, 7u) << in.name;
        const fs::path folder = kLibrary / in.folder;
        std::set<std::string> expected{MarkerFileName(in)};
        for (unsigned note = in.firstNote; note <= in.lastNote; note += in.step) {
            expected.insert(SampleFileName(in, note));
            ExpectPlayableSample(in, folder / SampleFileName(in, note));
        }
        std::set<std::string> present;
        for (const auto& e : fs::directory_iterator(folder)) {
            present.insert(e.path().filename().string());
            total += e.file_size();
        }
        EXPECT_EQ(present, expected) << folder;
    }
    EXPECT_EQ(schemes.size(), kDemoInstruments.size());
    EXPECT_LT(total, 15u << 20) << "the demo library should stay small";
}

} // namespace
