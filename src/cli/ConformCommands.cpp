// ovbank conform, conform-files: sample files made 16-bit 48 kHz WAV files in a mirror folder
// tree. With a bank, --yes also points the bank's paths at the new files and saves them: a
// script is rewritten in place, a bank file gets a script beside it.
#include "audio/Wav_trim.h"
#include "cli/Command.h"
#include "cli/LoadFile.h"
#include "tools/Conform.h"

#include <cstdio>
#include <memory>
#include <system_error>

namespace ovb::cli {

namespace {

constexpr char kInto[] = "--into";

int Usage(const char* text) {
    std::fprintf(stderr, "ovbank: %s\n", text);
    return kExitUsage;
}

// "--into=DIR", or "--into DIR" with DIR as the last word. A word naming an existing file is
// never taken for the folder, so a misplaced --into cannot aim at a sample or the bank.
bool TakeFolder(const Args& args, std::vector<std::string>& words, ConformOptions& options) {
    if (!args.has(kInto)) return false;
    std::string dir = args.value(kInto);
    if (dir.empty()) {
        if (words.size() < 2) return false;
        dir = words.back();
        words.pop_back();
    }
    std::error_code ec;
    if (std::filesystem::is_regular_file(dir, ec)) return false;
    options.place = ConformOptions::Place::Mirror;
    // The bank keeps full paths: a folder given relative to here is stored as a full one.
    options.mirrorRoot = std::filesystem::absolute(dir, ec).string();
    return true;
}

int Exit(const ConformSession& s) {
    return s.clean() ? kExitDone : kExitFailed;
}

int Conform(const Args& args, JobServices& ui) {
    std::vector<std::string> words = args.positional;
    ConformOptions options;
    if (!TakeFolder(args, words, options) || words.size() != 1)
        return Usage("conform FILE --into DIR [--yes]");
    auto bank = std::make_unique<as_bank>();
    if (!LoadAnyBankFile(*bank, words[0], ui)) return kExitFailed;
    ConformSession s = ConformWavFiles(SlotPaths(UsedSlots(*bank)), options, bank.get(), false, ui);
    if (s.slotsUpdated && !SaveChangedBank(*bank, words[0], "conformed", kConformCaption,
                                           "The bank file keeps its paths", ui))
        return kExitFailed;
    return Exit(s);
}

int ConformFiles(const Args& args, JobServices& ui) {
    std::vector<std::string> words = args.positional;
    ConformOptions options;
    if (!TakeFolder(args, words, options) || words.empty())
        return Usage("conform-files WAV... --into DIR");
    unsigned refused = 0;
    words = ReadableFiles(std::move(words), ui, refused);
    if (words.empty()) return kExitFailed;
    const int exit = Exit(ConformWavFiles(words, options, nullptr, false, ui));
    return refused == 0 ? exit : kExitFailed;
}

constexpr std::size_t kMany = 1u << 20;

} // namespace

void AddConformCommands(CommandTable& table) {
    table.push_back({"conform",
                     "FILE --into DIR [--yes]",
                     "write the bank's sample files as 48 kHz / 16-bit WAV files under DIR; "
                     "with --yes the bank's paths name them",
                     1,
                     2,
                     {kInto},
                     Conform});
    table.push_back({"conform-files",
                     "WAV... --into DIR",
                     "write sample files as 48 kHz / 16-bit WAV files under DIR",
                     1,
                     kMany,
                     {kInto},
                     ConformFiles});
}

} // namespace ovb::cli
