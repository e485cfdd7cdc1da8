#include "job/FileIdentity.h"

#include "job/ByteStream.h"

#include <cerrno>
#include <string_view>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

namespace ovb {

std::filesystem::path RealFile(const std::filesystem::path& path) {
    // Followed by hand: a link to a file not made yet still names where that file goes.
    std::filesystem::path real = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (lstat(real.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return real;
        std::error_code ec;
        const std::filesystem::path next = std::filesystem::read_symlink(real, ec);
        if (ec) return real;
        real = next.is_absolute() ? next : (real.parent_path() / next).lexically_normal();
    }
    return path; // a loop of links: the name as given, which no open can follow either
}

std::filesystem::path FolderOf(const std::filesystem::path& file) {
    std::filesystem::path folder = file.parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

std::optional<ExistingFile> LookAt(const std::filesystem::path& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) return std::nullopt;
    return ExistingFile{{st.st_dev, st.st_ino},     st.st_uid,   st.st_gid,
                        mode_t(st.st_mode & 07777), st.st_nlink, S_ISREG(st.st_mode)};
}

std::string FileKey(const std::filesystem::path& path) {
    if (const auto file = LookAt(path))
        return std::to_string(file->id.device) + ':' + std::to_string(file->id.inode);
    return path.lexically_normal().string();
}

namespace {

// Extended attributes are listed and read by the path (a descriptor open for writing only may
// not read them) and written on the new file's descriptor.
bool CopyAttributes(const std::filesystem::path& from, int to) {
    ssize_t size = listxattr(from.c_str(), nullptr, 0);
    if (size < 0) return errno == ENOTSUP;
    std::vector<char> names(std::size_t(size) + 1);
    size = listxattr(from.c_str(), names.data(), names.size());
    if (size < 0) return false;
    std::vector<char> value;
    for (const char* name = names.data(); name < names.data() + size;
         name += std::char_traits<char>::length(name) + 1) {
        if (std::string_view(name) == kStampAttribute) continue; // the new file has its own
        const ssize_t length = getxattr(from.c_str(), name, nullptr, 0);
        if (length < 0) return false;
        value.resize(std::size_t(length) + 1);
        const ssize_t got = getxattr(from.c_str(), name, value.data(), value.size());
        if (got < 0 || fsetxattr(to, name, value.data(), std::size_t(got), 0) != 0) return false;
    }
    return true;
}

} // namespace

bool TakeIdentity(const std::filesystem::path& from, const ExistingFile& old, int to) {
    struct stat now {};
    if (fstat(to, &now) != 0) return false;
    const bool owner = now.st_uid != old.owner || now.st_gid != old.group;
    if (owner && fchown(to, old.owner, old.group) != 0) return false;
    // After the owner, since a change of owner clears the set-id bits.
    if ((owner || mode_t(now.st_mode & 07777) != old.mode) && fchmod(to, old.mode) != 0)
        return false;
    return CopyAttributes(from, to);
}

} // namespace ovb
