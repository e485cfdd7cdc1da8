// A bank and its volumes are replaced as one: a writer stopped at any step of its commit leaves
// exactly the old or exactly the new bank for the next open, and one writer at a time.
#include "bank/BankFileLoader.h"
#include "bank/BankFileWriter.h"
#include "bank/Mysplitfilereader.h"
#include "job/FileCommit.h"
#include "job/MemoryStore.h"
#include "job/ReplacingFile.h"
#include "job/ScriptedJobServices.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

using namespace ovb;
using namespace ovb::test;
namespace fs = std::filesystem;

namespace {

// The old bank needs three volumes of this size, the new one two: the new commit also removes
// a volume.
constexpr std::uint64_t kVolume = 88u << 20;
constexpr std::size_t kOldAudio = 10u << 20, kNewAudio = 4000;

struct TwoBanks {
    TempDir dir;
    fs::path bank = dir / "Live.ovb";
    as_bank old, fresh;
    TwoBanks() {
        WriteWav(dir / "old.wav", false, kOldAudio, 1);
        WriteWav(dir / "new.wav", true, kNewAudio, 2);
        old.path(1, 0) = (dir / "old.wav").string();
        fresh.path(1, 0) = (dir / "new.wav").string();
    }
};

// Which bank the next open finds: 'o' old, 'n' new, '?' anything else. Its sample must hold its
// own audio, and only its own files may be left after the open.
char Found(FileStore& files, const fs::path& bank,
           const std::function<std::set<fs::path>()>& left) {
    as_bank loaded;
    ScriptedJobServices ui;
    if (!LoadBankFile(loaded, bank, ui, {files, kVolume})) return '?';
    const bool old = loaded.path(1, 0).ends_with("old.wav");
    const auto& slot = loaded.multisample(1).sample[0];
    std::vector<std::uint8_t> audio(old ? kOldAudio : kNewAudio);
    Mysplitfilereader in(ui, files);
    if (!in.Open(bank, true) || !in.GoToPosition(std::uint64_t(slot.start_sector()) * kSector) ||
        !in.Read(audio.data(), audio.size()) || audio != PatternBytes(audio.size(), old ? 1 : 2))
        return '?';
    std::set<fs::path> expected{bank, VolumePath(bank, 1)};
    if (old) expected.insert(VolumePath(bank, 2));
    return left() == expected ? (old ? 'o' : 'n') : '?';
}

// The files of the folder but for the samples and a killed writer's lock file.
std::set<fs::path> BankFiles(const fs::path& folder) {
    std::set<fs::path> left;
    for (const auto& e : fs::directory_iterator(folder))
        if (e.path().extension() != ".wav" && e.path().extension() != ".ovblock")
            left.insert(e.path());
    return left;
}

} // namespace

TEST(BankCommit, AWriterStoppedAtAnyStepLeavesTheOldOrTheNewBank) {
    TwoBanks b;
    MemoryStore before;
    ScriptedJobServices ui;
    ASSERT_TRUE(CreateBankFile(b.old, b.bank, ui, {before, kVolume}));
    ASSERT_TRUE(before.exists(VolumePath(b.bank, 2)));

    // Steps: durable, recorded, two renames (the volume, then the base), removed, done; the
    // last run is not stopped.
    const std::string expected = "onnnnnn";
    for (unsigned stop = 0; stop < expected.size(); ++stop) {
        MemoryStore files(before);
        unsigned step = 0;
        files.onStep = [&](CommitStep) {
            if (step++ == stop) files.freeze();
        };
        ScriptedJobServices writer;
        CreateBankFile(b.fresh, b.bank, writer, {files, kVolume});
        files.thaw();
        files.onStep = nullptr;
        const auto names = [&] {
            const auto all = files.names();
            return std::set<fs::path>(all.begin(), all.end());
        };
        EXPECT_EQ(Found(files, b.bank, names), expected[stop]) << "stopped at step " << stop;
    }
}

// The same on the disk with a real kill, where a volume was renamed and the base file was not.
TEST(BankCommit, AKilledWriterIsFinishedByTheNextOpen) {
    TwoBanks b;
    ScriptedJobServices ui;
    ASSERT_TRUE(CreateBankFile(b.old, b.bank, ui, {.volumeSize = kVolume}));

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Forwards to the disk and ends like a power cut once the first volume is in place.
        struct Killing final : FileStore {
            FileStore& disk = DiskFiles();
            std::unique_ptr<ByteSource> open(const fs::path& p, FileProblem* why) override {
                return disk.open(p, why);
            }
            bool exists(const fs::path& p) override { return disk.exists(p); }
            std::unique_ptr<NewFile> create(const fs::path& t) override { return disk.create(t); }
            bool rename(const fs::path& a, const fs::path& b, std::string& e) override {
                return disk.rename(a, b, e);
            }
            bool remove(const fs::path& p, std::string& e) override { return disk.remove(p, e); }
            bool syncFolder(const fs::path& f) override { return disk.syncFolder(f); }
            void removeDeadTemporaries(const fs::path& f) override {
                disk.removeDeadTemporaries(f);
            }
            std::unique_ptr<FileLock> lock(const fs::path& t, LockPart p, LockMode m,
                                           std::string& e) override {
                return disk.lock(t, p, m, e);
            }
            void reached(CommitStep step) override {
                if (step == CommitStep::Renamed) ::kill(::getpid(), SIGKILL);
            }
        } killing;
        ScriptedJobServices quiet;
        CreateBankFile(b.fresh, b.bank, quiet, {killing, kVolume});
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    ASSERT_TRUE(fs::exists(CommitRecordPath(b.bank)));
    // A writer of another file in the folder removes dead writers' temporary files, but not
    // those the record still needs.
    RemoveStaleTemporaries(b.dir.path());

    EXPECT_EQ(Found(DiskFiles(), b.bank, [&] { return BankFiles(b.dir.path()); }), 'n');
}

TEST(BankCommit, OneWriterAtATimeWhileReadersSeeTheOldBank) {
    TwoBanks b;
    ScriptedJobServices ui;
    ASSERT_TRUE(CreateBankFile(b.old, b.bank, ui, {.volumeSize = kVolume}));

    ScriptedJobServices first, second;
    char seen = 0;
    bool refused = false;
    first.onEvents = [&] {
        if (seen || first.progressText != b.fresh.path(1, 0)) return; // copying the audio
        // A second build of the same bank is refused while the first writes; a reader meanwhile
        // loads the old bank.
        refused = !CreateBankFile(b.fresh, b.bank, second, {.volumeSize = kVolume});
        as_bank loaded;
        ScriptedJobServices reader;
        seen = LoadBankFile(loaded, b.bank, reader, {.volumeSize = kVolume}) &&
                       loaded.path(1, 0).ends_with("old.wav")
                   ? 'o'
                   : '?';
    };
    ASSERT_TRUE(CreateBankFile(b.fresh, b.bank, first, {.volumeSize = kVolume}));
    EXPECT_TRUE(refused);
    EXPECT_EQ(seen, 'o');
    ASSERT_FALSE(second.transcript.empty());
    EXPECT_EQ(second.transcript.back().text, "Can not create " + b.bank.string() + "\n" +
                                                 b.bank.string() +
                                                 " is being written by another program now.");
    // Done, the writer leaves no lock, record or temporary file behind.
    EXPECT_FALSE(fs::exists(b.dir / ".Live.ovb.ovblock"));
    EXPECT_EQ(BankFiles(b.dir.path()), (std::set<fs::path>{b.bank, VolumePath(b.bank, 1)}));
}

// A bank named through a symbolic link is written where the link points, its volumes beside it:
// the link stays a link, and a smaller new bank removes the target's surplus volume.
TEST(BankCommit, ABankNamedByALinkIsWrittenWhereTheLinkPoints) {
    TwoBanks b;
    const fs::path store = b.dir / "store";
    fs::create_directory(store);
    const fs::path real = store / "Real.ovb";
    fs::create_symlink(real, b.bank);
    ScriptedJobServices ui;
    for (as_bank* bank : {&b.old, &b.fresh}) {
        ASSERT_TRUE(CreateBankFile(*bank, b.bank, ui, {.volumeSize = kVolume}));
        EXPECT_TRUE(fs::is_symlink(b.bank));
        as_bank loaded;
        ASSERT_TRUE(LoadBankFile(loaded, b.bank, ui, {.volumeSize = kVolume}));
        EXPECT_EQ(loaded.path(1, 0), bank->path(1, 0));
        std::set<fs::path> volumes{real, VolumePath(real, 1)};
        if (bank == &b.old) volumes.insert(VolumePath(real, 2));
        EXPECT_EQ(BankFiles(store), volumes);
    }
}
