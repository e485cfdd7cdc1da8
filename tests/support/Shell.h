#pragma once
// Outside programs run by tests (sox, ffmpeg, python3, mtools, ovbank) through the shell.
// `make test` installs every one of them (scripts/install-deps.sh), so a tool that is missing
// makes its test fail like any other command that fails.
#include "support/TestFiles.h"

#include <filesystem>
#include <string>

namespace ovb::test {

// One shell word, whatever the text holds.
std::string Quote(const std::string& text);
inline std::string Quote(const char* text) {
    return Quote(std::string(text));
}
inline std::string Quote(const std::filesystem::path& p) {
    return Quote(p.string());
}

// The command's exit code (-1 when it did not end normally).
int ShellStatus(const std::string& command);
// True when the command succeeds; its output is thrown away.
bool Shell(const std::string& command);
// Standard output of a successful command, without its final newlines; a failure is a test
// failure.
std::string Capture(const std::string& command);

// Makes `out` with sox: a 1000 Hz sine at half of full scale, `format` giving the rate, sample
// size, encoding and channels ("-r 44100 -b 24 -c 2").
bool SoxSine(const std::filesystem::path& out, const std::string& format, double seconds);

} // namespace ovb::test
