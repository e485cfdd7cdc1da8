#include "tools/SdCardPlan.h"

#include "bank/SplitVolumes.h"

#include <algorithm>
#include <cctype>
#include <system_error>

namespace ovb {

namespace fs = std::filesystem;

namespace {

std::uint64_t SizeOf(const fs::path& file) {
    std::error_code ec;
    if (!fs::is_regular_file(file, ec)) return 0;
    const std::uint64_t size = fs::file_size(file, ec);
    return ec ? 0 : size;
}

bool SameIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower((unsigned char)x) == std::tolower((unsigned char)y);
           });
}

// The file itself when it exists, else a file of the same folder whose name differs only in case.
fs::path FindIgnoringCase(const fs::path& file) {
    std::error_code ec;
    if (fs::exists(file, ec)) return file;
    const std::string wanted = file.filename().string();
    for (const auto& entry : fs::directory_iterator(file.parent_path(), ec))
        if (SameIgnoringCase(entry.path().filename().string(), wanted)) return entry.path();
    return file;
}

fs::path WithExtension(fs::path file, const char* extension) {
    return file.replace_extension(extension);
}

} // namespace

std::uint64_t CardPlan::total() const {
    return bank.total + system.total + mp3.total;
}

BankChoice ChooseBank(const fs::path& bankFile) {
    BankChoice c;
    c.chosen = true;
    c.paths[0] = bankFile;
    for (unsigned i = 1; i < kListingSlot; ++i)
        c.paths[i] = VolumePath(bankFile, i);
    c.paths[kListingSlot] = FindIgnoringCase(WithExtension(bankFile, ".TXT"));
    c.paths[kScriptSlot] = FindIgnoringCase(WithExtension(bankFile, ".OVS"));
    for (std::size_t i = 0; i < kBankSlots; ++i) {
        c.sizes[i] = SizeOf(c.paths[i]);
        if (c.sizes[i] == 0 && !fs::is_regular_file(c.paths[i])) continue;
        c.total += c.sizes[i];
        c.lines.push_back(c.paths[i].filename().string() +
                          "   Size: " + std::to_string(c.sizes[i]) + " bytes");
    }
    return c;
}

FileChoice ChooseFiles(const std::vector<fs::path>& files) {
    FileChoice c;
    c.chosen = true;
    for (const fs::path& file : files) {
        std::error_code ec;
        if (!fs::is_regular_file(file, ec)) continue;
        c.files.push_back(file);
        c.total += SizeOf(file);
        c.lines.push_back(file.string());
    }
    return c;
}

bool CardFolderEmpty(const fs::path& root, const CardVolume& volume) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(root, ec)) {
        const bool labelEntry = !volume.labelEntry.empty() &&
                                entry.path().filename() == volume.labelEntry &&
                                entry.is_regular_file() && SizeOf(entry.path()) == 0;
        if (!labelEntry) return false;
    }
    return !ec;
}

bool CheckCard(const CardPlan& plan, const CardVolume& volume, const fs::path& root,
               JobServices& ui) {
    if (volume.fileSystem != "FAT32") {
        ui.message(kSdCaption, "Destination drive file system is not FAT32!\nMy be this is not SD "
                               "card or SD card is not formatted in FAT32!");
        return false;
    }
    if (!volume.spaceKnown || plan.total() > volume.freeBytes) {
        std::string text = "No free space for all sellected files\nPlease use bigger destination "
                           "drive!";
        if (!volume.spaceKnown) text += "\n(" + volume.note + ")";
        ui.message(kSdCaption, text);
        return false;
    }
    if (!CardFolderEmpty(root, volume)) {
        ui.message(kSdCaption, "Destination device not empty!\nSD card need to be formatted in "
                               "FAT32 file system before start bank recording, and need to be "
                               "EMPTY!");
        return false;
    }
    return true;
}

} // namespace ovb
