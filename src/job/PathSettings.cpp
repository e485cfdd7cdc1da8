#include "job/PathSettings.h"

#include "job/ReplacingFile.h"
#include "job/TextEncoding.h"

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <system_error>

namespace ovb {

namespace {

PathSettings& Current() {
    static PathSettings settings;
    return settings;
}

constexpr std::string_view kCodePageKey = "codepage=";

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

} // namespace

void PathSettings::override(const PathSettings& line) {
    for (const auto& [drive, folder] : line.drives)
        drives[drive] = folder;
    if (!line.codePage.empty()) codePage = line.codePage;
}

void SetPathSettings(PathSettings settings) {
    Current() = std::move(settings);
}

const PathSettings& CurrentPathSettings() {
    return Current();
}

bool AddDriveMapping(DriveMap& map, std::string_view mapping) {
    if (mapping.size() < 4 || !std::isalpha(static_cast<unsigned char>(mapping[0])) ||
        mapping[1] != ':' || mapping[2] != '=')
        return false;
    map[char(std::toupper(static_cast<unsigned char>(mapping[0])))] =
        std::string(mapping.substr(3));
    return true;
}

bool TakePathOption(const std::vector<std::string>& words, std::size_t& i, PathSettings& settings,
                    std::string& error) {
    const std::string& word = words[i];
    const bool map = word == "--map" || word.starts_with("--map=");
    const bool codePage = word == "--codepage" || word.starts_with("--codepage=");
    if (!map && !codePage) return false;
    const std::size_t equals = word.find('=');
    std::string value;
    if (equals != std::string::npos)
        value = word.substr(equals + 1);
    else if (i + 1 < words.size())
        value = words[++i];
    if (map && !AddDriveMapping(settings.drives, value))
        error = "--map needs DRIVE:=FOLDER, as in D:=/mnt/samples, not '" + value + "'";
    if (codePage && !IsKnownCodePage(value))
        error = "--codepage needs a code page iconv knows, as in windows-1251, not '" + value + "'";
    if (codePage && error.empty()) settings.codePage = value;
    return true;
}

PathSettings RunPathSettings(const PathSettings& commandLine, std::vector<std::string>& problems) {
    const std::filesystem::path file = PathSettingsFile();
    PathSettings settings = ReadPathSettings(file, problems);
    if (!settings.codePage.empty() && !IsKnownCodePage(settings.codePage)) {
        problems.push_back(file.string() + ": unknown code page '" + settings.codePage +
                           "', paths are read as UTF-8 or windows-1252");
        settings.codePage.clear();
    }
    settings.override(commandLine);
    return settings;
}

std::filesystem::path PathSettingsFile() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    std::filesystem::path base = xdg && *xdg == '/' ? std::filesystem::path(xdg)
                                 : home && *home    ? std::filesystem::path(home) / ".config"
                                                    : std::filesystem::path(".config");
    return base / "orvelanta-bank-manager" / "sample-paths.conf";
}

PathSettings ReadPathSettings(const std::filesystem::path& file,
                              std::vector<std::string>& problems) {
    PathSettings settings;
    std::ifstream in(file, std::ios::binary);
    std::string text;
    for (unsigned number = 1; std::getline(in, text); ++number) {
        const std::string_view line = Trimmed(text);
        if (line.empty() || line.front() == '#') continue;
        if (line.starts_with(kCodePageKey))
            settings.codePage = std::string(Trimmed(line.substr(kCodePageKey.size())));
        else if (!AddDriveMapping(settings.drives, line))
            problems.push_back(file.string() + ":" + std::to_string(number) +
                               ": not 'codepage=NAME' or 'D:=FOLDER': " + std::string(line));
    }
    return settings;
}

bool WritePathSettings(const std::filesystem::path& file, const PathSettings& settings,
                       std::string& error) {
    std::string text = "# Orvelanta Sampler Bank Manager: where the drives of the sample paths "
                       "lie on this computer.\n"
                       "# codepage=NAME: how the paths' bytes are read (any name iconv knows); "
                       "empty: UTF-8, else windows-1252.\n"
                       "# D:=FOLDER: the folder that stands for drive D:.\n";
    text += std::string(kCodePageKey) + settings.codePage + "\n";
    for (const auto& [drive, folder] : settings.drives) {
        if (folder.string().find('\n') != std::string::npos) {
            error = "a folder name holds a line break: " + folder.string();
            return false;
        }
        text += std::string(1, drive) + ":=" + folder.string() + "\n";
    }
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    ReplacingFile out(file);
    if (out.write(text.data(), text.size()) && out.commit()) return true;
    error = out.error().empty() ? "cannot write " + file.string() : out.error();
    return false;
}

} // namespace ovb
