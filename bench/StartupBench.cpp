// Time from process start to the main window on screen: the program is started as a new process
// (this one, in child mode, running the editor's own start-up) and reports when its main window
// has been shown and painted. Target: under 1.5 s under the offscreen platform.
#include "ui/Startup.h"
#include "uibase/GuardedApplication.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

double Now() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

int Child(int argc, char** argv, const char* report) {
    ovb::GuardedApplication app(argc, argv);
    ovb::StartupOptions options;
    options.instanceName = "OrvelantaStartupBench_mutex"; // never the running editor's
    options.onShown = [report](ovb::TForm1&) {
        std::ofstream(report) << Now() << '\n';
        QCoreApplication::quit();
    };
    return ovb::RunEditor(app, options);
}

// Seconds from spawning the child to its report, or a negative value on failure.
double OneStart(const char* self, const std::string& report) {
    std::remove(report.c_str());
    const char* args[] = {self, "--child", report.c_str(), nullptr};
    const double start = Now();
    pid_t pid = 0;
    if (posix_spawn(&pid, self, nullptr, nullptr, const_cast<char**>(args), environ) != 0)
        return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    double shown = 0;
    std::ifstream in(report);
    if (!(in >> shown) || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
    return shown - start;
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (argc == 3 && std::strcmp(argv[1], "--child") == 0) return Child(1, argv, argv[2]);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    const std::string report = "/tmp/ovb-startup-bench-" + std::to_string(getpid());
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double t = OneStart(argv[0], report);
        if (t < 0) {
            std::fprintf(stderr, "start %d failed\n", i + 1);
            return 1;
        }
        times.push_back(t);
    }
    std::remove(report.c_str());
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    std::printf("window up after start: min %.0f ms, median %.0f ms, max %.0f ms (%d runs; "
                "target < 1500 ms)\n",
                times.front() * 1000, median * 1000, times.back() * 1000, runs);
    return median < 1.5 ? 0 : 2;
}
