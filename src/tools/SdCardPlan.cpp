#include "tools/SdCardPlan.h"

#include "bank/BankVolumes.h"
#include "bank/SplitVolumes.h"
#include "job/FileCommit.h"

#include <algorithm>
#include <cctype>
#include <cstring>
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

constexpr std::uint64_t kEntryBytes = 32;
constexpr std::uint64_t kUnknownCluster = 32768;
constexpr const char* kPartialMark = ".ovbpart";

std::uint64_t Clusters(std::uint64_t bytes, std::uint64_t cluster) {
    return (bytes + cluster - 1) / cluster;
}

// The folder entries of a name: the short entry and its long-name entries of 13 characters each
// (counted in bytes, which are never fewer than the characters).
std::uint64_t Entries(const std::string& name) {
    return 1 + Clusters(name.size(), 13);
}

// A file's entries under its own name and under the name it is copied under.
std::uint64_t CopyEntries(const fs::path& file) {
    const std::string name = file.filename().string();
    return Entries(name) + Entries(PartialCopyName(name));
}

} // namespace

std::uint64_t CardPlan::total() const {
    return bank.total + system.total + mp3.total;
}

std::uint64_t CardPlan::bytesOnCard(std::uint64_t cluster) const {
    if (cluster == 0) cluster = kUnknownCluster;
    std::uint64_t clusters = 0;
    std::uint64_t rootEntries = 1; // the volume label
    auto add = [&](const fs::path& file, std::uint64_t size, std::uint64_t& entries) {
        clusters += Clusters(size, cluster);
        entries += CopyEntries(file);
    };
    if (bank.chosen)
        for (std::size_t i = 0; i < kBankSlots; ++i)
            if (bank.sizes[i] != 0) add(bank.paths[i], bank.sizes[i], rootEntries);
    for (std::size_t i = 0; system.chosen && i < system.files.size(); ++i)
        add(system.files[i], system.sizes[i], rootEntries);
    if (mp3.chosen && !mp3.files.empty()) {
        rootEntries += Entries("Mp3");
        std::uint64_t folderEntries = 2; // "." and ".."
        for (std::size_t i = 0; i < mp3.files.size(); ++i)
            add(mp3.files[i], mp3.sizes[i], folderEntries);
        clusters += Clusters(folderEntries * kEntryBytes, cluster);
    }
    // The root folder of an empty card already has its first cluster.
    clusters += Clusters(rootEntries * kEntryBytes, cluster) - 1;
    return clusters * cluster;
}

std::string PartialCopyName(const std::string& fileName) {
    return "." + fileName + kPartialMark;
}

bool IsPartialCopyName(const std::string& name) {
    return name.size() > std::strlen(kPartialMark) + 1 && name.front() == '.' &&
           name.ends_with(kPartialMark);
}

BankChoice ChooseBank(const fs::path& bankFile) {
    {
        // Finishes a save of the bank that a killed writer left, so the sizes below are final.
        std::string ignored;
        BeginReading(DiskFiles(), bankFile, ignored);
    }
    BankChoice c;
    c.chosen = true;
    c.paths[0] = bankFile;
    for (unsigned i = 1; i < kListingSlot; ++i)
        c.paths[i] = VolumePath(bankFile, i);
    c.paths[kListingSlot] = FindIgnoringCase(WithExtension(bankFile, ".TXT"));
    c.paths[kScriptSlot] = FindIgnoringCase(WithExtension(bankFile, ".OVS"));
    for (std::size_t i = 0; i < kBankSlots; ++i) {
        c.sizes[i] = SizeOf(c.paths[i]);
        std::error_code ec;
        if (c.sizes[i] == 0 && !fs::is_regular_file(c.paths[i], ec)) continue;
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
        c.sizes.push_back(SizeOf(file));
        c.total += c.sizes.back();
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
        const bool partialCopy =
            IsPartialCopyName(entry.path().filename().string()) && entry.is_regular_file();
        if (!labelEntry && !partialCopy) return false;
    }
    return !ec;
}

namespace {

// The bank file must be whole, and as it was when it was chosen: its sizes are what the card
// gets.
bool BankStillWhole(const BankChoice& bank, JobServices& ui) {
    if (!bank.chosen) return true;
    const BankFilesCheck check = CheckBankFiles(bank.paths[0], ui, {DiskFiles(), bank.volumeSize});
    std::string problem = check.problem;
    for (std::size_t k = 0; problem.empty() && k < check.volumeSizes.size(); ++k)
        if (bank.sizes[k] != check.volumeSizes[k])
            problem = bank.paths[k].filename().string() +
                      " changed since the bank was chosen. Please choose the bank again!";
    if (problem.empty()) return true;
    ui.message(kSdCaption, "Bank file " + bank.paths[0].string() +
                               " can not be written to the card:\n" + problem);
    return false;
}

} // namespace

bool CheckCard(const CardPlan& plan, const CardVolume& volume, const fs::path& root,
               JobServices& ui) {
    if (volume.fileSystem != "FAT32") {
        ui.message(kSdCaption, "Destination drive file system is not FAT32!\nMy be this is not SD "
                               "card or SD card is not formatted in FAT32!");
        return false;
    }
    if (!volume.spaceKnown || plan.bytesOnCard(volume.clusterBytes) > volume.freeBytes) {
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
    return BankStillWhole(plan.bank, ui);
}

} // namespace ovb
