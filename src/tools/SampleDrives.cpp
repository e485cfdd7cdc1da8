#include "tools/SampleDrives.h"

#include "job/PathResolver.h"

#include <algorithm>
#include <map>
#include <unordered_set>

namespace ovb {

namespace {

bool BeyondAscii(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return c < 0; });
}

} // namespace

std::vector<DriveFiles> CountDriveFiles(const as_bank& bank, const PathSettings& settings) {
    PathResolver files(settings);
    std::map<char, DriveFiles> drives;
    std::unordered_set<std::string_view> seen;
    for (const UsedSlot& slot : UsedSlots(bank)) {
        const char drive = StoredDrive(slot.path);
        if (drive == 0 || !seen.insert(slot.path).second) continue;
        DriveFiles& d = drives[drive];
        d.drive = drive;
        ++(files.find(slot.path) ? d.found : d.missing);
    }
    std::vector<DriveFiles> list;
    for (const auto& [drive, counts] : drives)
        list.push_back(counts);
    return list;
}

std::vector<char> UnmappedDrives(const as_bank& bank, const PathSettings& settings) {
    std::vector<char> drives;
    for (const UsedSlot& slot : UsedSlots(bank)) {
        const char drive = StoredDrive(slot.path);
        if (drive != 0 && !settings.drives.count(drive) &&
            std::find(drives.begin(), drives.end(), drive) == drives.end())
            drives.push_back(drive);
    }
    std::sort(drives.begin(), drives.end());
    return drives;
}

std::string CodePageSample(const as_bank& bank) {
    std::string first;
    for (const UsedSlot& slot : UsedSlots(bank)) {
        if (!IsWindowsPath(slot.path)) continue;
        if (BeyondAscii(slot.path)) return std::string(slot.path);
        if (first.empty()) first = slot.path;
    }
    return first;
}

} // namespace ovb
