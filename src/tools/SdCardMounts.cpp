#include "tools/SdCardMounts.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <system_error>

namespace ovb {

namespace fs = std::filesystem;

namespace {

bool IsOctal(char c) {
    return c >= '0' && c <= '7';
}

std::string Unescape(std::string_view field) {
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && IsOctal(field[i + 1]) &&
            IsOctal(field[i + 2]) && IsOctal(field[i + 3])) {
            out +=
                char((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
            i += 3;
        } else {
            out += field[i];
        }
    }
    return out;
}

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string w; in >> w;)
        words.push_back(w);
    return words;
}

bool Under(const std::string& path, std::string_view folder) {
    return path.size() > folder.size() && path.starts_with(folder) && path[folder.size()] == '/';
}

bool Removable(const MountEntry& m) {
    return Under(m.mountPoint, "/media") || Under(m.mountPoint, "/run/media") ||
           Under(m.mountPoint, "/mnt");
}

bool Fuse(const MountEntry& m) {
    return m.fsType.starts_with("fuse") && m.fsType != "fusectl";
}

std::string Link(const fs::path& link) {
    std::error_code ec;
    fs::path target = fs::read_symlink(link, ec);
    return ec ? std::string() : target.string();
}

bool ServesConnection(const fs::path& process, const std::string& fd, unsigned connection) {
    std::ifstream info(process / "fdinfo" / fd);
    for (std::string line; std::getline(info, line);)
        if (line.starts_with("fuse_connection:"))
            return std::strtoul(line.c_str() + 16, nullptr, 10) == connection;
    return false;
}

// The process's command-line words, relative ones taken from its working folder.
std::vector<std::string> CommandLinePaths(const fs::path& process) {
    std::ifstream in(process / "cmdline", std::ios::binary);
    const fs::path cwd = Link(process / "cwd");
    std::vector<std::string> paths;
    for (std::string word; std::getline(in, word, '\0');)
        paths.push_back((cwd / word).lexically_normal().string());
    return paths;
}

// The regular file or block device the process holds open as its volume, other than /dev/null.
// A process may also hold files it inherited (a test runner's log, say): then the one named on
// its command line is the volume.
fs::path OpenVolumeFile(const fs::path& process) {
    std::error_code ec;
    std::vector<std::string> held;
    for (const auto& fd : fs::directory_iterator(process / "fd", ec)) {
        const std::string target = Link(fd.path());
        struct stat st {};
        if (target.empty() || target.front() != '/' || target == "/dev/null" ||
            ::stat(target.c_str(), &st) != 0 || !(S_ISREG(st.st_mode) || S_ISBLK(st.st_mode)))
            continue;
        if (std::find(held.begin(), held.end(), target) == held.end()) held.push_back(target);
    }
    if (held.size() == 1) return held.front();
    for (const std::string& word : CommandLinePaths(process))
        if (std::find(held.begin(), held.end(), word) != held.end()) return word;
    return {};
}

} // namespace

std::vector<MountEntry> ParseMountInfo(std::string_view text) {
    std::vector<MountEntry> mounts;
    std::istringstream in{std::string(text)};
    for (std::string line; std::getline(in, line);) {
        const std::vector<std::string> w = Words(line);
        const auto dash = std::find(w.begin(), w.end(), "-");
        // id parent major:minor root mount-point options [optional...] - type source options
        if (w.size() < 10 || dash - w.begin() < 6 || w.end() - dash < 3) continue;
        MountEntry m;
        if (std::sscanf(w[2].c_str(), "%u:%u", &m.major, &m.minor) != 2) continue;
        m.mountPoint = Unescape(w[4]);
        m.fsType = Unescape(dash[1]);
        m.source = Unescape(dash[2]);
        mounts.push_back(std::move(m));
    }
    return mounts;
}

std::vector<MountEntry> ReadMounts() {
    std::ifstream in("/proc/self/mountinfo");
    std::stringstream text;
    text << in.rdbuf();
    return ParseMountInfo(text.str());
}

const MountEntry* MountAt(const std::vector<MountEntry>& mounts, const fs::path& dir) {
    std::error_code ec;
    const fs::path canonical = fs::weakly_canonical(dir, ec);
    const std::string wanted = (ec ? dir : canonical).lexically_normal().string();
    const MountEntry* found = nullptr;
    for (const MountEntry& m : mounts) {
        std::string point = m.mountPoint;
        if (wanted == point || (wanted.size() == point.size() + 1 && wanted.starts_with(point) &&
                                wanted.back() == '/'))
            found = &m;
    }
    return found;
}

std::vector<std::string> CardCandidates(const std::vector<MountEntry>& mounts) {
    std::vector<std::string> out;
    auto add = [&](auto keep) {
        for (const MountEntry& m : mounts)
            if (keep(m) && std::find(out.begin(), out.end(), m.mountPoint) == out.end())
                out.push_back(m.mountPoint);
    };
    add(Removable);
    add(Fuse);
    add([](const MountEntry& m) { return m.source.starts_with("/dev/"); });
    return out;
}

fs::path FuseMountSource(const MountEntry& mount) {
    if (!Fuse(mount) || mount.major != 0) return {};
    std::error_code ec;
    for (const auto& process : fs::directory_iterator("/proc", ec)) {
        const std::string pid = process.path().filename().string();
        if (pid.empty() ||
            !std::all_of(pid.begin(), pid.end(), [](char c) { return c >= '0' && c <= '9'; }))
            continue;
        std::error_code fdError;
        for (const auto& fd : fs::directory_iterator(process.path() / "fd", fdError)) {
            if (Link(fd.path()) != "/dev/fuse") continue;
            if (ServesConnection(process.path(), fd.path().filename().string(), mount.minor))
                return OpenVolumeFile(process.path());
        }
    }
    return {};
}

} // namespace ovb
