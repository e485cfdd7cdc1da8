#include "support/FatImage.h"

#include "support/Shell.h"
#include "support/TestFiles.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace ovb::test {

namespace fs = std::filesystem;

namespace {

// mtools without its check of the image's geometry.
const std::string kMtools = "MTOOLS_SKIP_CHECK=1 ";

bool MountedAt(const fs::path& point) {
    std::ifstream in("/proc/self/mountinfo");
    std::string wanted = " "; // appended: GCC 12 warns falsely (-Wrestrict) on " " + string
    wanted += point.string();
    wanted += ' ';
    for (std::string line; std::getline(in, line);)
        if (line.find(wanted) != std::string::npos) return true;
    return false;
}

} // namespace

std::string FatMountUnavailable() {
    // Only a machine that gives this process no FUSE device (a container started without
    // /dev/fuse) cannot mount a volume; the tools are installed with the others.
    if (::access("/dev/fuse", R_OK | W_OK) != 0) return "/dev/fuse is missing or not usable";
    return {};
}

void MakeFatImage(const fs::path& image, std::uint64_t bytes, unsigned fatBits,
                  const std::string& label, unsigned sectorsPerCluster) {
    fs::remove(image);
    std::ofstream(image).close();
    fs::resize_file(image, bytes);
    std::string command = "mkfs.fat -F " + std::to_string(fatBits);
    if (!label.empty()) command += " -n " + Quote(label);
    if (sectorsPerCluster) command += " -s " + std::to_string(sectorsPerCluster);
    if (!Shell(command + " " + Quote(image)))
        throw std::runtime_error("mkfs.fat failed for " + image.string());
}

FatMount::FatMount(const fs::path& image, const fs::path& mountPoint)
    : point_(fs::absolute(mountPoint)) {
    fs::create_directories(point_);
    const std::string img = fs::absolute(image).string(), point = point_.string();
    // -f keeps the driver a child of this process; rw+ is fusefat's read-write mode.
    char* argv[] = {const_cast<char*>("fusefat"),
                    const_cast<char*>("-f"),
                    const_cast<char*>("-o"),
                    const_cast<char*>("rw+"),
                    const_cast<char*>(img.c_str()),
                    const_cast<char*>(point.c_str()),
                    nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    if (posix_spawnp(&pid_, "fusefat", &actions, nullptr, argv, environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    for (int i = 0; pid_ > 0 && i < 500 && !mounted_; ++i) {
        mounted_ = MountedAt(point_);
        if (!mounted_) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

FatMount::~FatMount() {
    unmount();
}

bool FatMount::unmount() {
    if (pid_ <= 0) return !mounted_;
    int status = 0;
    const std::string point = Quote(point_.string());
    if (mounted_)
        Shell("fusermount -u " + point + " || fusermount3 -u " + point + " || umount " + point);
    mounted_ = MountedAt(point_);
    // The driver ends once unmounted; after that the image holds everything.
    for (int i = 0; i < 1000; ++i) {
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (pid_ > 0) { // a driver that does not end is stopped so the test can go on
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
    }
    return !mounted_;
}

std::vector<std::string> ImageFolder(const fs::path& image, const std::string& folder) {
    std::istringstream out(
        Capture(kMtools + "mdir -b -i " + Quote(image) + " " + Quote(folder) + " 2>/dev/null"));
    std::vector<std::string> names;
    for (std::string line; std::getline(out, line);)
        if (!line.empty()) names.push_back(line);
    return names;
}

std::vector<std::uint8_t> ImageFile(const fs::path& image, const std::string& file) {
    TempDir dir;
    const fs::path copy = dir / "copy";
    if (!Shell(kMtools + "mcopy -n -i " + Quote(image) + " " + Quote(file) + " " + Quote(copy)))
        throw std::runtime_error("mcopy cannot read " + file);
    return ReadAll(copy);
}

} // namespace ovb::test
