// ovb-bench-relink: finding 640000 missing stored paths in a library tree of 100000 files.
//
//   ovb-bench-relink DIR
//
// DIR receives the tree (made once, kept for later runs): 1000 instruments of two layers of 50
// notes, every note name shared by 2000 files, so that each path needs its folders to decide.
// The bank's paths name the same files below seven old disks, two of them in capitals; one in a
// hundred names a file that is gone. Prints the time of walking the tree and the time the
// matching takes beyond it (target: under 2 s).
#include "job/PathResolver.h"
#include "tools/Relink.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr unsigned kInstruments = 1000, kLayers = 2, kNotes = 50;
constexpr unsigned kFiles = kInstruments * kLayers * kNotes, kStored = 640000;

std::string Folder(unsigned file) {
    char text[64];
    std::snprintf(text, sizeof text, "Instrument %03u/Layer %u", file / (kLayers * kNotes),
                  file / kNotes % kLayers);
    return text;
}

std::string Name(unsigned file) {
    char text[32];
    std::snprintf(text, sizeof text, "Note %02u.wav", file % kNotes);
    return text;
}

void MakeTree(const fs::path& root) {
    const fs::path done = root.parent_path() / ".complete";
    if (fs::exists(done)) return;
    for (unsigned f = 0; f < kFiles; ++f) {
        if (f % kNotes == 0) fs::create_directories(root / Folder(f));
        std::ofstream(root / Folder(f) / Name(f));
    }
    std::ofstream{done};
}

std::vector<std::string> StoredPaths() {
    std::vector<std::string> paths;
    paths.reserve(kStored);
    for (unsigned i = 0; i < kStored; ++i) {
        const unsigned f = i % kFiles;
        std::string path = "D:\\Old Disk " + std::to_string(i / kFiles) + "\\Library\\" +
                           Folder(f) + "\\" + (i % 100 == 99 ? "Gone.wav" : Name(f));
        for (char& c : path)
            if (c == '/') c = '\\';
        if (i / kFiles % 3 == 1) // the copy on this disk had its names in capitals
            for (char& c : path)
                c = char(std::toupper(static_cast<unsigned char>(c)));
        paths.push_back(std::move(path));
    }
    return paths;
}

double Seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: ovb-bench-relink DIR\n");
        return 2;
    }
    const fs::path root = fs::absolute(argv[1]) / "Library";
    MakeTree(root);
    const std::vector<std::string> stored = StoredPaths();
    ovb::PathResolver files(ovb::PathSettings{{{'D', root.parent_path()}}, ""});

    auto start = Clock::now();
    const ovb::SampleFolderIndex index(root);
    const double walk = Seconds(start);
    start = Clock::now();
    const std::clock_t cpuStart = std::clock();
    const ovb::RelinkPlan plan = ovb::PlanRelink(stored, index, files);
    const double match = Seconds(start);
    const double cpu = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;

    std::printf("relink tree walk (%zu files): %.2f s\n", index.size(), walk);
    // On a busy machine the processor time says more than the clock.
    std::printf("relink of %u stored paths beyond the walk: %.2f s, processor %.2f s "
                "(target < 2 s; ratio %.2f)\n",
                kStored, match, cpu, match / 2.0);
    std::printf("relink outcome: %u found, %u ambiguous, %u missing\n",
                plan.count(ovb::RelinkOutcome::Found), plan.count(ovb::RelinkOutcome::Ambiguous),
                plan.count(ovb::RelinkOutcome::Missing));
    const bool right = plan.count(ovb::RelinkOutcome::Found) == kStored - kStored / 100 &&
                       plan.count(ovb::RelinkOutcome::Missing) == kStored / 100;
    return right ? 0 : 1;
}
