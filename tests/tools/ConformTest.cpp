// Conforming sample files: inputs made by sox and ffmpeg in every common form, outputs checked
// with the module's parser and by measuring the sine they carry; and ovbank's two conform
// commands end to end.
#include "tools/Conform.h"
#include "OvbankRun.h"
#include "bank/Acc_bank_structure.h"
#include "bank/BankSize.h"
#include "bank/ScriptFile.h"
#include "job/ScriptedJobServices.h"
#include "support/RiffBytes.h"
#include "support/Shell.h"
#include "support/TestFiles.h"
#include "support/WavValues.h"
#include "tools/ConformAudio.h"
#include "wav/Wav_file_parser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <memory>
#include <sys/stat.h>

using namespace ovb;
using namespace ovb::test;

namespace {

// A sine of 1000 Hz at half of full scale: RMS 20 log10(0.5 / sqrt 2) dB.
constexpr double kSineHz = 1000;
const double kSineRmsDb = 20 * std::log10(0.5 / std::sqrt(2.0));

struct Audio {
    WavLayout layout;
    std::vector<std::int16_t> samples;
    unsigned channels() const { return layout.format == WavStereo ? 2 : 1; }
    std::size_t frames() const { return samples.size() / channels(); }
};

Audio ReadModuleWav(const std::filesystem::path& file) {
    Audio a;
    std::ifstream in(file, std::ios::binary);
    a.layout = ParseWav(in);
    if (a.layout.format == WavRejected || !a.layout.hasData || !a.layout.dataComplete()) return a;
    const auto bytes = ReadRange(file, a.layout.dataOffset, a.layout.dataSize);
    a.samples = ValuesAt(bytes, 0, bytes.size() / 2);
    return a;
}

// Over the middle 80 % of channel c: RMS in dB of full scale, and the frequency from the first
// and last rising zero crossings (placed between samples by linear interpolation).
struct Measure {
    double rmsDb = 0, hz = 0;
};
Measure MeasureSine(const Audio& a, unsigned c) {
    const std::size_t n = a.frames(), from = n / 10, to = n - n / 10;
    auto at = [&](std::size_t i) { return double(a.samples[i * a.channels() + c]) / 32768; };
    double sum = 0, first = -1, last = -1;
    unsigned crossings = 0;
    for (std::size_t i = from; i < to; ++i) {
        sum += at(i) * at(i);
        if (i > from && at(i - 1) < 0 && at(i) >= 0) {
            const double t = double(i - 1) + at(i - 1) / (at(i - 1) - at(i));
            if (first < 0) first = t;
            last = t;
            ++crossings;
        }
    }
    Measure m;
    m.rmsDb = 10 * std::log10(sum / double(to - from));
    m.hz = crossings > 1 ? (crossings - 1) * 48000.0 / (last - first) : 0;
    return m;
}

// An input file: the sox sine in `format`, or with `codec` that sine turned by ffmpeg into it.
struct Made {
    std::string name, format, codec;
    unsigned rate;
    unsigned channels;
    double seconds;
};

const Made kInputs[] = {
    {"cd.wav", "-r 44100 -b 16 -c 2", "", 44100, 2, 1.5},
    {"deep.wav", "-r 44100 -b 24 -c 1", "", 44100, 1, 1},
    {"float.wav", "-r 48000 -e floating-point -b 32 -c 2", "", 48000, 2, 1},
    {"hi.aiff", "-r 96000 -b 24 -c 2", "", 96000, 2, 1},
    {"lib.flac", "-r 44100 -b 24 -c 2", "-c:a flac", 44100, 2, 1},
    {"int32.wav", "-r 44100 -b 24 -c 2", "-c:a pcm_s32le", 44100, 2, 1},
};

bool Make(const TempDir& dir, const Made& m) {
    if (m.codec.empty()) return SoxSine(dir / m.name, m.format, m.seconds);
    const auto source = dir / "ffmpeg-source.wav";
    return SoxSine(source, m.format, m.seconds) &&
           Shell("ffmpeg -loglevel error -y -i " + Quote(source) + " " + m.codec + " " +
                 Quote(dir / m.name)) &&
           std::filesystem::remove(source);
}

std::unique_ptr<as_bank> BankWith(const std::vector<std::string>& paths) {
    auto bank = std::make_unique<as_bank>();
    for (std::size_t i = 0; i < paths.size(); ++i)
        bank->path(unsigned(i / 64), unsigned(i % 64)) = paths[i];
    return bank;
}

std::vector<std::string> Strings(const std::vector<std::filesystem::path>& files) {
    std::vector<std::string> s;
    for (const auto& f : files)
        s.push_back(f.string());
    return s;
}

void WriteText(const std::filesystem::path& p, const std::string& bytes) {
    WriteAll(p, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

ConformOptions MirrorInto(const std::filesystem::path& root) {
    ConformOptions options;
    options.place = ConformOptions::Place::Mirror;
    options.mirrorRoot = root.string();
    return options;
}

int Ovbank(const TempDir& dir, const std::string& words) {
    return RunOvbank(dir.path(), "--quiet " + words).exit;
}

} // namespace

TEST(ConformTargets, BesideMirrorAndCommonFolderOnStoredPaths) {
    EXPECT_EQ(BesideTarget("D:\\Lib\\Piano\\C 3.aif", "_48k"), "D:\\Lib\\Piano\\C 3_48k.wav");
    EXPECT_EQ(BesideTarget("D:\\Lib\\v1.2\\tone", "-x"), "D:\\Lib\\v1.2\\tone-x.wav");

    EXPECT_EQ(CommonFolder({"D:\\Lib\\Piano\\a.wav", "D:\\Lib\\Pad\\b.wav"}), "D:\\Lib\\");
    EXPECT_EQ(CommonFolder({"D:\\Lib\\ab\\x.wav", "D:\\Lib\\ac\\y.wav"}), "D:\\Lib\\");
    EXPECT_EQ(CommonFolder({"D:\\a.wav", "E:\\b.wav"}), "");

    EXPECT_EQ(MirrorTarget("D:\\Lib\\Piano\\a.aif", "D:\\Lib\\", "/out"), "/out/Piano/a.wav");
    EXPECT_EQ(MirrorTarget("D:\\Lib\\Piano\\a.aif", "D:\\Lib\\", "E:\\Conf\\"),
              "E:\\Conf\\Piano\\a.wav");
    // Paths on different drives keep the drive as a folder; nothing climbs out of the root.
    EXPECT_EQ(MirrorTarget("D:\\x\\a.wav", "", "/out"), "/out/D/x/a.wav");
    EXPECT_EQ(MirrorTarget("D:\\x\\..\\..\\a.flac", "D:\\", "/out"), "/out/x/_/_/a.wav");

    EXPECT_EQ(FramesAt48k(3, 44100), 3u);         // 3.27 frames round down
    EXPECT_EQ(FramesAt48k(96001, 96000), 48001u); // 48000.5 rounds up
}

TEST(ConformDither, TriangularAroundTheValueAndClippedAtFullScale) {
    TpdfDither dither;
    long long sum = 0;
    bool outside = false;
    const int n = 200000;
    for (int i = 0; i < n; ++i) {
        const int v = dither(0.25f / 32768);
        outside |= v < -1 || v > 1;
        sum += v;
    }
    EXPECT_FALSE(outside);
    // Dither makes the mean follow a quarter of an LSB, which plain rounding would lose.
    EXPECT_NEAR(double(sum) / n, 0.25, 0.01);
    EXPECT_EQ(dither(2.0f), 32767);
    EXPECT_EQ(dither(-2.0f), -32768);
    const int big = dither(1000.0f / 32768);
    EXPECT_TRUE(big >= 999 && big <= 1001) << big;
}

TEST(ConformFiles, EveryFormatBecomesAModuleWavWithItsSineKept) {
    TempDir dir;
    std::vector<std::string> paths;
    for (const Made& m : kInputs) {
        ASSERT_TRUE(Make(dir, m)) << m.name;
        paths.push_back((dir / m.name).string());
    }
    const auto before = ReadAll(dir / "hi.aiff");
    ScriptedJobServices ui;
    ConformSession s = ConformWavFiles(paths, MirrorInto(dir / "out"), nullptr, false, ui);
    ASSERT_TRUE(s.clean()) << testing::PrintToString(ui.reports);
    EXPECT_EQ(s.result.converted, std::size(kInputs));
    EXPECT_EQ(before, ReadAll(dir / "hi.aiff")); // originals stay as they were

    for (const Made& m : kInputs) {
        SCOPED_TRACE(m.name);
        const auto out = dir / "out" / (std::filesystem::path(m.name).stem().string() + ".wav");
        Audio a = ReadModuleWav(out);
        ASSERT_NE(a.layout.format, WavRejected);
        EXPECT_EQ(a.layout.dataOffset, kWavHeaderSize);
        EXPECT_EQ(a.channels(), m.channels);
        const double expected = std::round(m.seconds * m.rate) * 48000.0 / m.rate;
        EXPECT_NEAR(double(a.frames()), expected, 1.0);
        for (unsigned c = 0; c < a.channels(); ++c) {
            Measure got = MeasureSine(a, c);
            EXPECT_NEAR(got.hz, kSineHz, 1.0);
            EXPECT_NEAR(got.rmsDb, kSineRmsDb, 0.1);
        }
    }
}

TEST(ConformFiles, HeaderOnlyFaultsKeepEverySampleAndAcceptedFilesAreLeftAlone) {
    TempDir dir;
    ASSERT_TRUE(SoxSine(dir / "sox.wav", "-r 48000 -b 16 -c 2", 0.5));
    ASSERT_TRUE(Shell("sox " + Quote(dir / "sox.wav") + " -t raw -e signed -b 16 -L " +
                      Quote(dir / "sox.raw")));
    const std::string raw = FileText(dir / "sox.raw");
    const std::string data = Chunk("data", raw);
    // The parser refuses both: a LIST chunk ahead of "fmt ", and an extensible format block.
    WriteText(dir / "list.wav",
              Riff(Chunk("LIST", "INFOISFT" + Le32(4) + std::string("sox", 4)) + Fmt(2) + data));
    WriteText(dir / "ext.wav",
              Riff(ExtensibleFmt(2) + Chunk("smpl", std::string(36, '\0')) + data));
    WriteWav(dir / "good.wav", true, 4000);
    const auto good = ReadAll(dir / "good.wav");

    ScriptedJobServices ui;
    const std::vector<std::string> paths =
        Strings({dir / "list.wav", dir / "ext.wav", dir / "good.wav", dir / "list.wav"});
    // Beside, with the default suffix.
    ConformSession s = ConformWavFiles(paths, ConformOptions{}, nullptr, false, ui);
    ASSERT_TRUE(s.clean());
    EXPECT_EQ(s.plan.items.size(), 3u); // the repeated path is one file
    EXPECT_EQ(s.result.rewrapped, 2u);
    for (const char* name : {"list_48k.wav", "ext_48k.wav"}) {
        SCOPED_TRACE(name);
        const auto header = MakeWavHeader(true, std::uint32_t(raw.size()));
        EXPECT_TRUE(FileText(dir / name) == std::string(header.begin(), header.end()) + raw);
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "good_48k.wav"));
    EXPECT_EQ(ReadAll(dir / "good.wav"), good);
}

TEST(ConformFiles, RefusesWhatCannotBePlayedOrWouldReplaceAnOriginal) {
    TempDir dir;
    ASSERT_TRUE(SoxSine(dir / "quad.wav", "-r 44100 -b 16 -c 4", 0.2));
    ASSERT_TRUE(SoxSine(dir / "a.wav", "-r 44100 -b 16 -c 1", 0.2));
    ASSERT_TRUE(SoxSine(dir / "a.aif", "-r 44100 -b 16 -c 1", 0.2));
    WriteText(dir / "text.wav", "not audio at all");
    ScriptedJobServices ui;
    const auto paths = Strings(
        {dir / "quad.wav", dir / "text.wav", dir / "a.wav", dir / "a.aif", dir / "gone.wav"});
    ConformPlan plan = PlanConform(paths, MirrorInto(dir.path())); // onto itself
    ASSERT_EQ(plan.items.size(), 5u);
    EXPECT_EQ(plan.items[0].action, ConformAction::Refuse); // its reason is in the final report
    EXPECT_EQ(plan.items[1].action, ConformAction::Refuse);
    EXPECT_EQ(plan.items[2].action, ConformAction::Refuse); // its new file would be itself
    EXPECT_EQ(plan.items[3].action, ConformAction::Refuse); // a.aif -> a.wav, an original
    EXPECT_EQ(plan.items[4].action, ConformAction::Missing);

    // Beside, a.wav and a.aif would both become a_48k.wav: the second is refused.
    plan = PlanConform(paths, ConformOptions{});
    EXPECT_EQ(plan.items[2].action, ConformAction::Convert);
    EXPECT_EQ(plan.items[3].action, ConformAction::Refuse);

    // Only what the bank builder takes is left alone: not a data chunk of 0 bytes, nor one that
    // claims more than the file holds (its audio is rewrapped). A FIFO is refused unopened.
    WriteWav(dir / "nodata.wav", false, 0);
    WriteWav(dir / "cut.wav", false, 1000);
    Patch(dir / "cut.wav", 40, {0xA0, 0x0F, 0, 0}); // 4000 bytes of data
    ASSERT_EQ(mkfifo((dir / "pipe.wav").c_str(), 0644), 0);
    plan = PlanConform(Strings({dir / "nodata.wav", dir / "cut.wav", dir / "pipe.wav"}),
                       ConformOptions{});
    EXPECT_EQ(plan.items[0].action, ConformAction::Refuse);
    EXPECT_EQ(plan.items[1].action, ConformAction::Rewrap);
    EXPECT_EQ(plan.items[2].action, ConformAction::Refuse);
    EXPECT_NE(plan.items[2].reason.find("not a regular file"), std::string::npos);

    // What a refused file does to the run's exit code is ConformCli's; here the final report.
    ConformSession s = ConformWavFiles(paths, ConformOptions{}, nullptr, false, ui);
    EXPECT_EQ(s.result.converted, 1u);
    ASSERT_FALSE(ui.reports.empty());
    const auto& last = ui.reports.back();
    auto has = [&](const std::string& start) {
        return std::any_of(last.begin(), last.end(),
                           [&](const std::string& l) { return l.starts_with(start); });
    };
    EXPECT_TRUE(has("Refused: " + (dir / "quad.wav").string() + ": 4 channels"));
    EXPECT_TRUE(has("Missing file: " + (dir / "gone.wav").string()));
}

TEST(ConformBank, ConfirmedPathsNameTheNewFilesAndTheSizeCalculationThenAcceptsAll) {
    TempDir dir;
    std::filesystem::create_directories(dir / "lib" / "pad");
    ASSERT_TRUE(SoxSine(dir / "lib" / "pad" / "p.wav", "-r 44100 -b 24 -c 2", 0.3));
    ASSERT_TRUE(SoxSine(dir / "lib" / "x.aiff", "-r 96000 -b 16 -c 1", 0.3));
    WriteWav(dir / "lib" / "ok.wav", false, 1000);
    const auto pad = (dir / "lib" / "pad" / "p.wav").string();
    const auto aiff = (dir / "lib" / "x.aiff").string();
    const auto ok = (dir / "lib" / "ok.wav").string();
    auto bank = BankWith({pad, aiff, ok, pad});
    const auto sizeErrors = [&] {
        ScriptedJobServices quiet;
        return CalculateBankSize(*bank, quiet).errors;
    };
    ASSERT_EQ(sizeErrors(), 3u); // three slots hold files the module cannot play

    // Without the second Yes the paths stay: ConformCli runs the command without --yes.
    ScriptedJobServices yes;
    yes.answers = {Answer::Yes, Answer::Yes};
    ConformSession s = ConformWavFiles(SlotPaths(UsedSlots(*bank)), MirrorInto(dir / "mirror"),
                                       bank.get(), true, yes);
    EXPECT_EQ(s.result.written.size(), 2u);
    EXPECT_EQ(s.slotsUpdated, 3u);
    EXPECT_EQ(bank->path(0, 0), (dir / "mirror" / "pad" / "p.wav").string());
    EXPECT_EQ(bank->path(0, 3), bank->path(0, 0));
    EXPECT_EQ(bank->path(0, 1), (dir / "mirror" / "x.wav").string());
    EXPECT_EQ(bank->path(0, 2), ok);
    EXPECT_EQ(sizeErrors(), 0u);
}

TEST(ConformBank, CancelLeavesNoPartFileAndNoChangedPath) {
    TempDir dir;
    std::vector<std::string> paths;
    for (int i = 0; i < 3; ++i) {
        const auto f = dir / ("long" + std::to_string(i) + ".wav");
        ASSERT_TRUE(SoxSine(f, "-r 44100 -b 24 -c 2", 20));
        paths.push_back(f.string());
    }
    auto bank = BankWith(paths);
    ScriptedJobServices ui;
    ui.answers = {Answer::Yes, Answer::Yes};
    ui.onEvents = [&] {
        if (ui.progressCancel) *ui.progressCancel = true;
    };
    ConformSession s = ConformWavFiles(paths, MirrorInto(dir / "out"), bank.get(), true, ui);
    EXPECT_TRUE(s.result.cancelled);
    EXPECT_GT(s.result.notDone, 0u);
    for (unsigned i = 0; i < 3; ++i)
        EXPECT_EQ(bank->path(0, i), paths[i]);
    for (const auto& q : ui.shown())
        EXPECT_EQ(q.find("Change the bank's paths"), std::string::npos) << q;
    for (const auto& e : std::filesystem::recursive_directory_iterator(dir.path()))
        EXPECT_EQ(e.path().filename().string().find(".ovbtmp"), std::string::npos) << e.path();
    // Whatever was finished before the Cancel is complete.
    if (std::filesystem::exists(dir / "out"))
        for (const auto& e : std::filesystem::directory_iterator(dir / "out")) {
            Audio a = ReadModuleWav(e.path());
            EXPECT_NE(a.layout.format, WavRejected) << e.path();
            EXPECT_EQ(a.frames(), 20u * 48000) << e.path();
        }
}

TEST(ConformCli, FilesGoIntoTheFolderAndUnplayableOnesFailTheRun) {
    TempDir dir;
    ASSERT_TRUE(SoxSine(dir / "a.aiff", "-r 44100 -b 24 -c 2", 0.3));
    ASSERT_TRUE(SoxSine(dir / "q.wav", "-r 48000 -b 16 -c 4", 0.3));
    EXPECT_EQ(Ovbank(dir, "conform-files a.aiff q.wav --into=out2"), 1);
    EXPECT_EQ(ReadModuleWav(dir / "out2" / "a.wav").layout.format, WavStereo);
    EXPECT_FALSE(std::filesystem::exists(dir / "out2" / "q.wav"));
    // A file named where the folder belongs is never written into.
    EXPECT_EQ(Ovbank(dir, "conform-files --into a.aiff q.wav"), 2);
    EXPECT_EQ(Ovbank(dir, "conform-files a.aiff"), 2);
}

TEST(ConformCli, TheScriptNamesTheNewFilesOnlyWithYes) {
    TempDir dir;
    ASSERT_TRUE(SoxSine(dir / "x.flac", "-r 96000 -b 24 -c 1", 0.3));
    auto bank = std::make_unique<as_bank>();
    bank->path(7, 1) = (dir / "x.flac").string();
    ScriptedJobServices ui;
    ASSERT_TRUE(SaveScript(*bank, dir / "b.ovs", ui, true));
    const auto script = ReadAll(dir / "b.ovs");

    EXPECT_EQ(Ovbank(dir, "conform b.ovs --into conf"), 0);
    EXPECT_EQ(ReadModuleWav(dir / "conf" / "x.wav").layout.format, WavMono);
    EXPECT_EQ(ReadAll(dir / "b.ovs"), script);

    EXPECT_EQ(Ovbank(dir, "--yes conform b.ovs --into conf"), 0);
    bank->reset();
    ASSERT_TRUE(LoadScript(*bank, dir / "b.ovs", ui));
    EXPECT_EQ(bank->path(7, 1), (dir / "conf" / "x.wav").string());
}
