#include "job/HostPath.h"

#include <cctype>
#include <system_error>

namespace ovb {

namespace {
DriveMap& Map() {
    static DriveMap map;
    return map;
}
bool HasDrivePrefix(std::string_view s) {
    return s.size() >= 2 && s[1] == ':' && std::isalpha(static_cast<unsigned char>(s[0]));
}
} // namespace

void SetDriveMap(DriveMap map) {
    Map() = std::move(map);
}
const DriveMap& CurrentDriveMap() {
    return Map();
}

bool AddDriveMapping(DriveMap& map, std::string_view mapping) {
    if (mapping.size() < 4 || !HasDrivePrefix(mapping) || mapping[2] != '=') return false;
    map[char(std::toupper(static_cast<unsigned char>(mapping[0])))] =
        std::string(mapping.substr(3));
    return true;
}

std::filesystem::path HostPath(std::string_view stored) {
#ifdef _WIN32
    return std::filesystem::path(std::string(stored));
#else
    std::string text(stored);
    for (char& c : text)
        if (c == '\\') c = '/';
    if (HasDrivePrefix(text)) {
        auto it = Map().find(char(std::toupper(static_cast<unsigned char>(text[0]))));
        if (it != Map().end()) {
            std::string rest = text.substr(2);
            while (!rest.empty() && rest.front() == '/')
                rest.erase(0, 1);
            return it->second / rest;
        }
    }
    return std::filesystem::path(text);
#endif
}

bool HostFileExists(std::string_view stored) {
    std::error_code ec;
    return std::filesystem::is_regular_file(HostPath(stored), ec);
}

std::string_view StoredFileName(std::string_view stored) {
    auto pos = stored.find_last_of("\\/:");
    return pos == std::string_view::npos ? stored : stored.substr(pos + 1);
}

} // namespace ovb
