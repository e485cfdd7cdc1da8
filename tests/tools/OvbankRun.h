#pragma once
// The built ovbank started through the shell as a user starts it: exit code, standard output and
// standard error.
#include "support/Shell.h"

#include <filesystem>
#include <string>
#include <vector>

namespace ovb::test {

struct OvbankRun {
    int exit = -1;
    std::string out, err;
};

// Runs "ovbank ARGS" in folder dir (ARGS quoted by the caller, stdin empty); with merged,
// standard error lands in out.
inline OvbankRun RunOvbank(const std::filesystem::path& dir, const std::string& args,
                           bool merged = false) {
    const auto out = dir / ".ovbank-out", err = dir / ".ovbank-err";
    // Under a time limit: a run that hangs (on a FIFO, say) fails instead of stopping the tests.
    const std::string command = "cd " + Quote(dir.string()) + " && timeout 120 " +
                                Quote(OVB_OVBANK) + " " + args + " >" + Quote(out.string()) +
                                (merged ? " 2>&1" : " 2>" + Quote(err.string())) + " </dev/null";
    OvbankRun r{ShellStatus(command), FileText(out), FileText(err)};
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return r;
}

// The same with each word quoted.
inline OvbankRun RunOvbank(const std::filesystem::path& dir, const std::vector<std::string>& words,
                           bool merged = false) {
    std::string args;
    for (const std::string& w : words)
        args += " " + Quote(w);
    return RunOvbank(dir, args, merged);
}

} // namespace ovb::test
