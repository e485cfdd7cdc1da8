#pragma once
// Where the drives of stored Windows paths lie on this computer and how their bytes are read.
// Both programs read the choices from one small file in the user's configuration folder; the
// command line can override them for one run. The file holds one choice per line, in the words
// of the command line:
//
//     # comment
//     codepage=windows-1251
//     D:=/home/user/Samples
//
// An empty or missing code page means: UTF-8 when a path's bytes are valid UTF-8, else
// windows-1252.
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace ovb {

// Drive letter (upper case) -> folder that stands in for the drive's root on this machine.
using DriveMap = std::map<char, std::filesystem::path>;

struct PathSettings {
    DriveMap drives;
    std::string codePage; // empty: automatic

    // The command line's choices over these: its drives replace the same letters, its code
    // page (when given) the code page.
    void override(const PathSettings& line);
};

// The settings of this run, read by every PathResolver made without its own.
void SetPathSettings(PathSettings settings);
const PathSettings& CurrentPathSettings();

// Parses "D:=/some/folder"; false when the text is not of that form.
bool AddDriveMapping(DriveMap& map, std::string_view mapping);

// Takes "--map D:=FOLDER", "--map=D:=FOLDER", "--codepage NAME" or "--codepage=NAME" at
// words[i] (moving i past a separate value). False when words[i] is none of these; error says
// what is wrong with one that is malformed.
bool TakePathOption(const std::vector<std::string>& words, std::size_t& i, PathSettings& settings,
                    std::string& error);

// The settings of a run: the settings file with the command line's choices over it. Lines of the
// file that cannot be understood, and an unknown code page in it, are skipped and described in
// problems.
PathSettings RunPathSettings(const PathSettings& commandLine, std::vector<std::string>& problems);

// $XDG_CONFIG_HOME/orvelanta-bank-manager/sample-paths.conf (~/.config when unset).
std::filesystem::path PathSettingsFile();

// Reads the file into settings; a missing file is no problem, a line that cannot be understood
// is skipped and described in problems ("FILE:3: ...").
PathSettings ReadPathSettings(const std::filesystem::path& file,
                              std::vector<std::string>& problems);

// Replaces the file (folders made as needed); false with the reason in error.
bool WritePathSettings(const std::filesystem::path& file, const PathSettings& settings,
                       std::string& error);

} // namespace ovb
