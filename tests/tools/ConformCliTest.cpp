// ovbank conform and conform-files end to end, on files made by sox.
#include "OvbankRun.h"
#include "bank/Acc_bank_structure.h"
#include "bank/ScriptFile.h"
#include "job/ScriptedJobServices.h"
#include "support/TestFiles.h"
#include "wav/Wav_file_parser.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

using namespace ovb;
using namespace ovb::test;

namespace {

int Shell(const std::string& command) {
    const int status = std::system((command + " >/dev/null 2>&1").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int Ovbank(const TempDir& dir, const std::string& words) {
    return RunOvbank(dir.path(), "--quiet " + words).exit;
}

bool Sox(const std::filesystem::path& out, const std::string& format) {
    return Shell("sox -n " + format + " '" + out.string() + "' synth 0.3 sine 500") == 0;
}

WavFormat Accepted(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return ParseWav(in).format;
}

} // namespace

TEST(ConformCli, FilesGoIntoTheFolderAndUnplayableOnesFailTheRun) {
    if (Shell("sox --version") != 0) GTEST_SKIP() << "sox is needed";
    TempDir dir;
    ASSERT_TRUE(Sox(dir / "a.aiff", "-r 44100 -b 24 -c 2"));
    ASSERT_TRUE(Sox(dir / "q.wav", "-r 48000 -b 16 -c 4"));
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
    if (Shell("sox --version") != 0) GTEST_SKIP() << "sox is needed";
    TempDir dir;
    std::filesystem::create_directories(dir / "lib");
    ASSERT_TRUE(Sox(dir / "lib" / "x.flac", "-r 96000 -b 24 -c 1"));
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
