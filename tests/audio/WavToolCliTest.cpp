// The ovbank WAV tools end to end: files written and read back by Python's wave module (an
// independent WAV reader), changing commands refused without --yes.
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/wait.h>

using namespace ovb::test;

namespace {

int Shell(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool HavePython() {
    return Shell("python3 -c 'import wave' >/dev/null 2>&1") == 0;
}

// Runs Python in dir with the script given.
int Python(const TempDir& dir, const std::string& script) {
    const auto file = dir / "script.py";
    std::ofstream(file) << script;
    return Shell("cd '" + dir.path().string() + "' && python3 script.py");
}

int Ovbank(const TempDir& dir, const std::string& words) {
    return Shell("cd '" + dir.path().string() + "' && '" OVB_OVBANK "' --quiet " + words +
                 " >/dev/null 2>&1");
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
    if (!HavePython()) GTEST_SKIP() << "python3 with the wave module is needed";
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
