// A run of ovbank killed while it rewrites a large WAV file must leave that file exactly as it
// was; the temporary file it was writing is cleared away by the next run that writes there.
#include "job/FileIdentity.h"
#include "job/ReplacingFile.h"
#include "support/Shell.h"
#include "support/TestFiles.h"
#include "support/WavValues.h"
#include "wav/Wav_file_parser.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace ovb;
using namespace ovb::test;
namespace fs = std::filesystem;

namespace {

// About 200 MiB of a tone at half of full scale, so that normalising has to rewrite the file.
constexpr double kBigSeconds = 2184.5;

// ovbank normalising the file, as a child process of this one (the shell gives way to it).
pid_t StartNormalise(const fs::path& file) {
    const std::string command = "exec " + Quote(OVB_OVBANK) + " --quiet --yes normalise --files " +
                                Quote(file) + " >/dev/null 2>&1";
    const pid_t pid = fork();
    if (pid == 0) {
        execl("/bin/sh", "sh", "-c", command.c_str(), nullptr);
        _exit(127);
    }
    return pid;
}

// Everything in the folder except the named file.
std::vector<fs::path> Others(const fs::path& folder, const fs::path& keep) {
    std::vector<fs::path> out;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path() != keep) out.push_back(entry.path());
    return out;
}

struct TempSeen {
    fs::path path;
    ino_t inode = 0;
};

// The temporary file beside target once it holds more than the header, or nothing when the
// child ended first.
TempSeen WaitForGrowingTemp(pid_t child, const fs::path& target, bool& childEnded) {
    const std::string prefix = "." + target.filename().string() + ".ovbtmp-";
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    while (std::chrono::steady_clock::now() < giveUp) {
        for (const auto& entry : fs::directory_iterator(target.parent_path())) {
            struct stat st {};
            if (entry.path().filename().string().rfind(prefix, 0) != 0 ||
                stat(entry.path().c_str(), &st) != 0)
                continue;
            if (std::uint64_t(st.st_size) > kWavHeaderSize) return {entry.path(), st.st_ino};
        }
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) {
            childEnded = true;
            return {};
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    return {};
}

} // namespace

TEST(WavRewriteKill, KilledNormaliseLeavesTheOriginalAndTheNextRunClearsItsTemporary) {
    TempDir dir;
    const fs::path big = dir / "BIG.wav";
    ASSERT_TRUE(SoxSine(big, "-r 48000 -b 16 -c 1", kBigSeconds));
    // Any changed byte changes the digest.
    const auto digest = [&] { return Capture("md5sum < " + Quote(big)); };
    const std::string original = digest();

    const pid_t child = StartNormalise(big);
    ASSERT_GT(child, 0);
    bool childEnded = false;
    const TempSeen temp = WaitForGrowingTemp(child, big, childEnded);
    if (childEnded) GTEST_SKIP() << "the rewrite finished before it could be killed";
    ASSERT_FALSE(temp.path.empty()) << "no temporary file appeared within two minutes";
    kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    struct stat now {};
    ASSERT_EQ(stat(big.c_str(), &now), 0);
    // The rename may just have won the race with the kill: the new file is then in place whole.
    if (now.st_ino == temp.inode) GTEST_SKIP() << "the rewrite finished before the kill";
    ASSERT_TRUE(WIFSIGNALED(status));

    EXPECT_EQ(digest(), original) << "the killed run changed the original";
    const auto left = Others(dir.path(), big);
    ASSERT_LE(left.size(), 1u);
    for (const fs::path& temp : left)
        EXPECT_TRUE(IsStaleTemporary(temp.filename().string())) << temp;

    // The next run that writes into the folder removes the dead run's temporary file and leaves
    // the big file alone.
    WriteValues(dir / "small.wav", false, std::vector<std::int16_t>(2048, 100));
    const auto small = ReadAll(dir / "small.wav");
    const pid_t next = StartNormalise(dir / "small.wav");
    ASSERT_EQ(waitpid(next, &status, 0), next);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_NE(ReadAll(dir / "small.wav"), small) << "the small file was normalised";
    const auto after = Others(dir.path(), big);
    ASSERT_EQ(after.size(), 1u);
    EXPECT_EQ(after[0].filename(), "small.wav");
    EXPECT_EQ(digest(), original);
}

TEST(WavRewriteKill, OnlyTemporariesOfEndedWritersAreStale) {
    // A process that has certainly ended: our own child, already reaped.
    const pid_t ended = fork();
    if (ended == 0) _exit(0);
    ASSERT_GT(ended, 0);
    ASSERT_EQ(waitpid(ended, nullptr, 0), ended);
    const std::string dead = std::to_string(ended), alive = std::to_string(getpid());

    EXPECT_TRUE(IsStaleTemporary(".x.ovbtmp-y.ovs.ovbtmp-" + dead + "-12"));
    for (const std::string& kept :
         {"a.wav.ovbtmp-" + dead + "-0", // not hidden: a user's file
          ".ovbtmp-" + dead + "-0", ".a.wav.ovbtmp-" + dead, ".a.wav.ovbtmp-" + dead + "-1.bak",
          std::string(".a.wav.ovbtmp--5-1")})
        EXPECT_FALSE(IsStaleTemporary(kept)) << kept;

    TempDir dir;
    const std::string staleName = ".a.wav.ovbtmp-" + dead + "-3";
    const std::string liveName = ".a.wav.ovbtmp-" + alive + "-99999";
    for (const std::string& name : {staleName, liveName, std::string("a.wav")})
        WriteAll(dir / name, {1, 2, 3});
    // A copy into a file with two names that a kill cut short: its complete new content waits
    // beside it and is copied in; one whose file is gone is dropped.
    WriteAll(dir / "h.wav", {9, 9, 9, 9, 9});
    ASSERT_EQ(link((dir / "h.wav").c_str(), (dir / "h2.wav").c_str()), 0);
    const std::string inode = std::to_string(LookAt(dir / "h.wav")->id.inode);
    WriteAll(dir / (".h.wav.ovbcopy-" + dead + "-" + inode), {4, 5, 6});
    WriteAll(dir / (".gone.wav.ovbcopy-" + dead + "-1"), {7});
    {
        ReplacingFile out(dir / "b.txt");
        ASSERT_TRUE(out.write("b", 1));
        ASSERT_TRUE(out.commit());
    }
    EXPECT_FALSE(fs::exists(dir / staleName));
    EXPECT_TRUE(fs::exists(dir / liveName)) << "still being written";
    EXPECT_EQ(ReadAll(dir / "a.wav"), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(ReadAll(dir / "h2.wav"), (std::vector<std::uint8_t>{4, 5, 6}));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 5)
        << "a.wav, b.txt, h.wav, h2.wav and the live writer's file";
}
