#pragma once
// Banks store full paths as the user's system wrote them ("D:\Samples\Piano\C 3.wav"). Every file
// access goes through HostPath, which maps such a stored text to a path of this machine; the
// stored text itself is never rewritten.
#include <filesystem>
#include <map>
#include <string>
#include <string_view>

namespace ovb {

// Drive letter (upper case) -> folder that stands in for the drive's root on this machine.
using DriveMap = std::map<char, std::filesystem::path>;

void SetDriveMap(DriveMap map);
const DriveMap& CurrentDriveMap();

// Parses "D:=/some/folder"; false when the text is not of that form.
bool AddDriveMapping(DriveMap& map, std::string_view mapping);

std::filesystem::path HostPath(std::string_view stored);
bool HostFileExists(std::string_view stored);

// The file-name part of a stored path: the text after the last '\', '/' or ':'.
std::string_view StoredFileName(std::string_view stored);

} // namespace ovb
