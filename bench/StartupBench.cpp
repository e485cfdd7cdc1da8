// Time from process start to the main window on screen: the program is started as a new process
// (this one, in child mode, running the editor's own start-up) and reports when its main window
// has been shown and painted. Target: under 1.5 s under the offscreen platform, also with a full
// bank file named on the command line (--bank-folder=DIR: the bank of FullBank.h, made there
// once) and shown.
#include "FullBank.h"
#include "ui/Mainform.h"
#include "ui/Startup.h"
#include "uibase/GuardedApplication.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

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

// The window is up, and the bank, when one was named, shown: the time goes to the report.
void Report(const char* report) {
    QTimer::singleShot(0, [report] {
        std::ofstream(report) << Now() << '\n';
        QCoreApplication::quit();
    });
}

int Child(int argc, char** argv, const char* report, const char* bank) {
    ovb::GuardedApplication app(argc, argv);
    ovb::StartupOptions options;
    options.instanceName = "OrvelantaStartupBench_mutex"; // never the running editor's
    options.file = bank ? QString::fromLocal8Bit(bank) : QString();
    // The message at the end of the load ("Bank loading OK!") is clicked away as a user would.
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [] {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(window); box && box->isVisible())
                box->accept();
    });
    answer.start(5);
    options.onShown = [report, bank](ovb::TForm1& form) {
        if (!bank || form.currentFileName() == bank)
            Report(report);
        else // the window came up while the bank was still loading
            QObject::connect(&form, &ovb::TForm1::bankOpened, [report] { Report(report); });
    };
    return ovb::RunEditor(app, options);
}

// Seconds from spawning the child to its report, or a negative value on failure.
double OneStart(const char* self, const std::string& report, const std::string& bank) {
    std::remove(report.c_str());
    const char* args[] = {self, "--child", report.c_str(), bank.empty() ? nullptr : bank.c_str(),
                          nullptr};
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
    if (argc >= 3 && std::strcmp(argv[1], "--child") == 0)
        return Child(1, argv, argv[2], argc > 3 ? argv[3] : nullptr);
    int runs = 7;
    std::string bank;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--bank-folder=", 14) != 0) {
            runs = std::max(1, std::atoi(argv[i]));
            continue;
        }
        bank = ovb::bench::FullBankFile(argv[i] + 14).string();
        if (bank.empty()) {
            std::fprintf(stderr, "cannot make the full bank file in %s\n", argv[i] + 14);
            return 1;
        }
    }
    const std::string report = "/tmp/ovb-startup-bench-" + std::to_string(getpid());
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double t = OneStart(argv[0], report, bank);
        if (t < 0) {
            std::fprintf(stderr, "start %d failed\n", i + 1);
            return 1;
        }
        times.push_back(t);
    }
    std::remove(report.c_str());
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    std::printf("window up after start%s: min %.0f ms, median %.0f ms, max %.0f ms (%d runs; "
                "target < 1500 ms)\n",
                bank.empty() ? "" : " with the full bank shown", times.front() * 1000,
                median * 1000, times.back() * 1000, runs);
    return median < 1.5 ? 0 : 2;
}
