// The ovbank WAV tools end to end: files written and read back by Python's wave module (an
// independent WAV reader), changing commands refused without --yes, and rewritten files that
// stay the files they were.
#include "job/FileIdentity.h"
#include "support/Shell.h"
#include "support/TestFiles.h"
#include "support/WavValues.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace ovb;
using namespace ovb::test;

namespace {

// Runs Python in dir with the script given.
int Python(const TempDir& dir, const std::string& script) {
    const auto file = dir / "script.py";
    std::ofstream(file) << script;
    return ShellStatus("cd '" + dir.path().string() + "' && python3 script.py");
}

// Runs ovbank in dir, prefixed by `as` (another user); standard output and error go to `output`.
int Ovbank(const TempDir& dir, const std::string& words, const std::string& as = "",
           const std::string& output = "/dev/null") {
    return ShellStatus("cd '" + dir.path().string() + "' && " + as + "'" OVB_OVBANK "' --quiet " +
                       words + " >'" + output + "' 2>&1");
}

constexpr char kMake[] = R"(import wave, struct
def put(name, channels, values):
    w = wave.open(name, 'wb'); w.setnchannels(channels); w.setsampwidth(2); w.setframerate(48000)
    w.writeframes(struct.pack('<%dh' % len(values), *values)); w.close()
put('m.wav', 1, [2, -2, 0] + [1000, -30000] * 600 + [3] * 150)
put('s.wav', 2, [0, 0, 0, 9] + [500, -500] * 1100 + [0, 0] * 20)
)";

constexpr char kCheck[] = R"(import wave, struct, sys
def get(name):
    w = wave.open(name); n = w.getnframes() * w.getnchannels()
    return w.getnchannels(), list(struct.unpack('<%dh' % n, w.readframes(w.getnframes())))
ch, m = get('m.wav')
assert ch == 1 and m[:2] == [1000, -30000] and len(m) == 1200 + 96, (len(m), m[:4])
assert m[1200] == 3 and m[1201] == 2 and m[-1] == 0, m[1198:1204]
ch, s = get('s.wav')
assert ch == 2 and s[:4] == [0, 9, 500, -500] and len(s) == 2 + 2200 + 40, (len(s), s[:4])
)";

} // namespace

TEST(WavToolCli, TrimsReadBackByAnIndependentReaderAndRefusesWithoutYes) {
    TempDir dir;
    ASSERT_EQ(Python(dir, kMake), 0);
    const auto before = ReadAll(dir / "m.wav");
    EXPECT_NE(Ovbank(dir, "trim-start --threshold 3 --files m.wav s.wav"), 0);
    EXPECT_NE(Ovbank(dir, "trim-fixed 5 --files m.wav"), 0);
    EXPECT_EQ(ReadAll(dir / "m.wav"), before);

    // Start: 3 mono values within +/-3 and one silent stereo frame. End at 10 with the fade:
    // 150 mono values become 96 faded ones; the stereo tail of 20 frames is too short to touch.
    EXPECT_EQ(Ovbank(dir, "--yes trim-start --threshold 3 --files m.wav s.wav"), 0);
    EXPECT_EQ(Ovbank(dir, "--yes trim-end --threshold 10 --fade --files m.wav s.wav"), 0);
    EXPECT_EQ(Ovbank(dir, "scan-end --fade --files m.wav s.wav"), 0);
    EXPECT_EQ(Python(dir, kCheck), 0);
}

namespace {

const std::vector<std::int16_t> kQuiet = std::vector<std::int16_t>(2048, 1000);

// Temporary files of ours left in the folder.
std::vector<std::string> Leftovers(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().filename().string().find(".ovb") != std::string::npos)
            names.push_back(entry.path().filename().string());
    return names;
}

} // namespace

TEST(WavToolCli, RewrittenFilesKeepLinksOwnerModeAndAttributesAndRefuseWhatMayNotBeWritten) {
    namespace fs = std::filesystem;
    TempDir dir;
    const bool root = geteuid() == 0;
    const auto file = [&](const std::string& name) { return dir / name; };
    fs::create_directories(file("real"));
    for (const char* name : {"real/target.wav", "a.wav", "owned.wav", "ro.wav"})
        WriteValues(file(name), false, kQuiet);
    fs::create_symlink("real/target.wav", file("link.wav"));
    ASSERT_EQ(link(file("a.wav").c_str(), file("b.wav").c_str()), 0);
    chmod(file("owned.wav").c_str(), 0640);
    const bool attributes = setxattr(file("owned.wav").c_str(), "user.origin", "studio", 6, 0) == 0;
    const uid_t nobody = 65534;
    if (root) {
        ASSERT_EQ(chown(file("owned.wav").c_str(), nobody, nobody), 0);
    }
    const auto owned = LookAt(file("owned.wav"));
    const auto before = ReadAll(file("a.wav"));

    ASSERT_EQ(Ovbank(dir, "--yes normalise --files link.wav a.wav owned.wav"), 0);
    EXPECT_TRUE(fs::is_symlink(file("link.wav")));
    EXPECT_NE(ReadAll(file("real/target.wav")), before);
    EXPECT_EQ(ReadAll(file("real/target.wav")), ReadAll(file("a.wav")));
    EXPECT_EQ(ReadAll(file("b.wav")), ReadAll(file("a.wav"))) << "one file under two names";
    EXPECT_EQ(LookAt(file("b.wav"))->id, LookAt(file("a.wav"))->id);
    const auto now = LookAt(file("owned.wav"));
    EXPECT_NE(ReadAll(file("owned.wav")), before);
    EXPECT_EQ(now->mode, 0640u);
    EXPECT_EQ(now->owner, owned->owner);
    EXPECT_EQ(now->group, owned->group);
    char value[16] = {};
    if (attributes) {
        EXPECT_EQ(getxattr(file("owned.wav").c_str(), "user.origin", value, 16), 6);
    }
    EXPECT_TRUE(Leftovers(dir.path()).empty());
    EXPECT_TRUE(Leftovers(file("real")).empty());

    // As a user without the rights of root: a file that user may not write, and one in a folder
    // that user may not write, are refused and stay as they were; another user's file that the
    // group may write keeps its owner and its inode.
    fs::create_directories(file("closed"));
    fs::create_directories(file("shared"));
    WriteValues(file("closed/w.wav"), false, kQuiet);
    WriteValues(file("shared/g.wav"), false, kQuiet);
    chmod(file("ro.wav").c_str(), 0444);
    std::string as;
    if (root) {
        for (const char* name : {".", "ro.wav", "closed", "closed/w.wav"})
            ASSERT_EQ(chown(file(name).c_str(), nobody, nobody), 0);
        ASSERT_EQ(chown(file("shared/g.wav").c_str(), 0, nobody), 0);
        chmod(file("shared/g.wav").c_str(), 0664);
        chmod(file("shared").c_str(), 0777);
        as = "setpriv --reuid=nobody --regid=nogroup --clear-groups ";
    }
    chmod(file("closed").c_str(), 0555);
    const auto shared = LookAt(file("shared/g.wav"));
    const std::string out = (dir / "out.txt").string();
    const std::string files = root ? " ro.wav closed/w.wav shared/g.wav" : " ro.wav closed/w.wav";
    EXPECT_EQ(Ovbank(dir, "--yes normalise --files" + files, as, out), 1);
    const std::string report = FileText(out);
    EXPECT_NE(report.find("ERROR: APPLY_GAIN_ERROR_OPEN_FILE\nFILE.: ro.wav\nWHY..: can't open "
                          "for writing"),
              std::string::npos)
        << report;
    EXPECT_NE(report.find("FILE.: closed/w.wav\nWHY..: the folder is not writable"),
              std::string::npos)
        << report;
    EXPECT_EQ(Ovbank(dir, "--yes trim-fixed 5 --files ro.wav", as, out), 1);
    EXPECT_NE(FileText(out).find("could not be written: 1\nro.wav: can't open for writing"),
              std::string::npos);
    EXPECT_EQ(ReadAll(file("ro.wav")), before);
    EXPECT_EQ(ReadAll(file("closed/w.wav")), before);
    if (root) {
        EXPECT_NE(ReadAll(file("shared/g.wav")), before);
        EXPECT_EQ(LookAt(file("shared/g.wav"))->id, shared->id);
        EXPECT_EQ(LookAt(file("shared/g.wav"))->owner, 0u);
        EXPECT_TRUE(Leftovers(file("shared")).empty());
    }
    chmod(file("closed").c_str(), 0755);
}
