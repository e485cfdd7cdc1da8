#include "support/Shell.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <sys/wait.h>

namespace ovb::test {

std::string Quote(const std::string& text) {
    std::string q = "'";
    for (char c : text)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

int ShellStatus(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool Shell(const std::string& command) {
    return ShellStatus("(" + command + ") >/dev/null 2>&1") == 0;
}

std::string Capture(const std::string& command) {
    std::string out;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) {
        ADD_FAILURE() << "cannot run " << command;
        return out;
    }
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, n);
    EXPECT_EQ(::pclose(pipe), 0) << command;
    while (!out.empty() && out.back() == '\n')
        out.pop_back();
    return out;
}

bool SoxSine(const std::filesystem::path& out, const std::string& format, double seconds) {
    return Shell("sox -n " + format + " " + Quote(out) + " synth " + std::to_string(seconds) +
                 " sine 1000 vol 0.5");
}

} // namespace ovb::test
