// ovbank conform and conform-files end to end, on files made by sox.
#include "OvbankRun.h"
#include "bank/Acc_bank_structure.h"
#include "bank/ScriptFile.h"
#include "job/ScriptedJobServices.h"
#include "support/Shell.h"
#include "support/TestFiles.h"
#include "wav/Wav_file_parser.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

using namespace ovb;
using namespace ovb::test;

namespace {

int Ovbank(const TempDir& dir, const std::string& words) {
    return RunOvbank(dir.path(), "--quiet " + words).exit;
}

WavFormat Accepted(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return ParseWav(in).format;
}

} // namespace

TEST(ConformCli, FilesGoIntoTheFolderAndUnplayableOnesFailTheRun) {
    TempDir dir;
    ASSERT_TRUE(SoxSine(dir / "a.aiff", "-r 44100 -b 24 -c 2", 0.3));
    ASSERT_TRUE(SoxSine(dir / "q.wav", "-r 48000 -b 16 -c 4", 0.3));
    EXPECT_EQ(Ovbank(dir, "conform-files a.aiff --into out"), 0);
    EXPECT_EQ(Accepted(dir / "out" / "a.wav"), WavStereo);
    EXPECT_EQ(Ovbank(dir, "conform-files a.aiff q.wav --into=out2"), 1);
    EXPECT_EQ(Accepted(dir / "out2" / "a.wav"), WavStereo);
    EXPECT_FALSE(std::filesystem::exists(dir / "out2" / "q.wav"));
    // A file named where the folder belongs is never written into.
    EXPECT_EQ(Ovbank(dir, "conform-files --into a.aiff q.wav"), 2);
    EXPECT_EQ(Ovbank(dir, "conform-files a.aiff"), 2);
}

TEST(ConformCli, TheScriptNamesTheNewFilesOnlyWithYes) {
    TempDir dir;
    std::filesystem::create_directories(dir / "lib");
    ASSERT_TRUE(SoxSine(dir / "lib" / "x.flac", "-r 96000 -b 24 -c 1", 0.3));
    auto bank = std::make_unique<as_bank>();
    bank->path(7, 1) = (dir / "lib" / "x.flac").string();
    ScriptedJobServices ui;
    ASSERT_TRUE(SaveScript(*bank, dir / "b.ovs", ui, true));
    const auto script = ReadAll(dir / "b.ovs");

    EXPECT_EQ(Ovbank(dir, "conform b.ovs --into conf"), 0);
    EXPECT_EQ(Accepted(dir / "conf" / "x.wav"), WavMono);
    EXPECT_EQ(ReadAll(dir / "b.ovs"), script);

    EXPECT_EQ(Ovbank(dir, "--yes conform b.ovs --into conf"), 0);
    bank->reset();
    ASSERT_TRUE(LoadScript(*bank, dir / "b.ovs", ui));
    EXPECT_EQ(bank->path(7, 1), (dir / "conf" / "x.wav").string());
}
