// ovbank sdcard: the SD card write assistant without its window. The checks, the copy and the
// closing message are the assistant's own.
#include "cli/Command.h"
#include "job/InputFile.h"
#include "tools/SdCardCopy.h"
#include "tools/SdCardPlan.h"
#include "tools/SdCardVolume.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace ovb::cli {

namespace fs = std::filesystem;

namespace {

std::string Lower(std::string text) {
    for (char& c : text)
        c = char(std::tolower((unsigned char)c));
    return text;
}

// Which step a file belongs to: the window's dialogs offer only .qv2 files for the system and
// .mp3 files with their list for the MP3 folder, so the name decides, wherever it stands.
enum class Kind { System, Mp3, Other };
Kind KindOf(const fs::path& file) {
    const std::string name = Lower(file.filename().string());
    if (name.ends_with(".qv2")) return Kind::System;
    if (name.ends_with(".mp3") || name == "mp3_list.txt") return Kind::Mp3;
    return Kind::Other;
}

struct Chosen {
    std::vector<fs::path> system, mp3;
};

// The files after BANK and MOUNTPOINT, and those given as --os=FILE / --mp3=FILE.
bool SortFiles(const Args& args, Chosen& chosen, std::string& error) {
    std::vector<fs::path> files(args.positional.begin() + 2, args.positional.end());
    for (const char* flag : {"--os", "--mp3"})
        if (!args.value(flag).empty()) files.emplace_back(args.value(flag));
    for (const fs::path& file : files) {
        const Kind kind = KindOf(file);
        const char* flag = kind == Kind::System ? "--os" : "--mp3";
        if (kind == Kind::Other) {
            error = file.string() + " is neither a system file (.qv2) nor an MP3 file (.mp3, " +
                    "MP3_LIST.TXT)";
            return false;
        }
        if (!args.has(flag)) {
            error = file.string() + " needs " + flag;
            return false;
        }
        (kind == Kind::System ? chosen.system : chosen.mp3).push_back(file);
    }
    return true;
}

void PrintVolume(const fs::path& root, const CardVolume& v) {
    std::printf("Card:         %s\n", root.c_str());
    std::printf("Name:         %s\n", v.ready ? v.name.c_str() : "Drive Not Ready!");
    std::printf("File system:  %s\n", v.fileSystem.c_str());
    const std::string unknown = v.ready ? "unknown" : "";
    std::printf("Total:        %s\n",
                v.spaceKnown ? CardSpaceText(v.totalBytes).c_str() : unknown.c_str());
    std::printf("Free:         %s\n",
                v.spaceKnown ? CardSpaceText(v.freeBytes).c_str() : unknown.c_str());
    if (!v.note.empty()) std::printf("Note:         %s\n", v.note.c_str());
}

void PrintStep(const char* title, const std::vector<std::string>& lines, std::uint64_t total) {
    std::printf("%s\n", title);
    for (const std::string& line : lines)
        std::printf("  %s\n", line.c_str());
    std::printf("  Total: %llu bytes\n", (unsigned long long)total);
}

// Files to copy must be files that can be read; an empty one is copied as it is, but an empty
// bank file is no bank.
bool AllExist(const std::vector<fs::path>& files, JobServices& ui, bool emptyAllowed = true) {
    for (const fs::path& file : files)
        if (const InputCheck check = ProbeInput(file);
            !check.ready() && !(emptyAllowed && check.empty())) {
            ui.message("Error", InputProblemText(file, check));
            return false;
        }
    return true;
}

int SdCard(const Args& args, JobServices& ui) {
    const fs::path bank = args.positional[0], root = args.positional[1];
    Chosen chosen;
    std::string error;
    if (!SortFiles(args, chosen, error)) {
        std::fprintf(stderr, "ovbank: %s\n", error.c_str());
        return kExitUsage;
    }
    if (!AllExist({bank}, ui, false) || !AllExist(chosen.system, ui) || !AllExist(chosen.mp3, ui))
        return kExitFailed;
    CardPlan plan;
    plan.bank = ChooseBank(bank);
    if (args.has("--os")) plan.system = ChooseFiles(chosen.system);
    if (args.has("--mp3")) plan.mp3 = ChooseFiles(chosen.mp3);
    const CardVolume volume = InspectCard(root);
    PrintVolume(root, volume);
    PrintStep("Bank files:", plan.bank.lines, plan.bank.total);
    if (plan.system.chosen) PrintStep("System files:", plan.system.lines, plan.system.total);
    if (plan.mp3.chosen) PrintStep("MP3 files:", plan.mp3.lines, plan.mp3.total);
    std::fflush(stdout);
    if (!CheckCard(plan, volume, root, ui)) return kExitFailed;
    return WriteToCard(plan, root, ui).complete() ? kExitDone : kExitFailed;
}

} // namespace

void AddSdCardCommands(CommandTable& table) {
    table.push_back({"sdcard",
                     "BANK.ovb MOUNTPOINT [--os FILE.qv2...] [--mp3 FILE.mp3... MP3_LIST.TXT]",
                     "copy a bank with its volumes, listing and script to an empty FAT32 card",
                     2,
                     100000,
                     {"--os", "--mp3"},
                     SdCard});
}

} // namespace ovb::cli
