// ovbank analyse, normalise, scan-start, scan-end, trim-start, trim-end, trim-fixed: the WAV
// editing tools on the sample files of a script or bank, or on WAV files given after --files.
// The changing commands only act with --yes, like every ovbank command that changes files.
#include "audio/Otherfunc_group.h"
#include "audio/Wav_silence.h"
#include "audio/Wav_trim.h"
#include "audio/Wav_trim_commands.h"
#include "cli/Command.h"
#include "cli/LoadFile.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <memory>

namespace ovb::cli {

namespace {

constexpr char kFiles[] = "--files";

bool ParseNumber(const std::string& text, unsigned& value) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc{} && ptr == end && !text.empty();
}

int Usage(const std::string& text) {
    std::fprintf(stderr, "ovbank: %s\n", text.c_str());
    return kExitUsage;
}

// Takes a leading number off the positional words: "--threshold N" leaves N there.
bool TakeNumber(std::vector<std::string>& words, const Args& args, const char* flag,
                unsigned& value) {
    std::string text = flag ? args.value(flag) : std::string();
    if (text.empty()) {
        if (words.empty()) return false;
        text = words.front();
        words.erase(words.begin());
    }
    return ParseNumber(text, value);
}

// The files to work on: the words after --files, or every sample path of the loaded FILE (or,
// with a multisample number, that multisample's paths).
bool Group(std::vector<std::string> words, const Args& args, JobServices& ui, bool oneMultisample,
           std::vector<std::string>& paths) {
    if (args.has(kFiles)) {
        paths = std::move(words);
        return !paths.empty();
    }
    if (words.size() != (oneMultisample ? 2u : 1u)) return false;
    unsigned ms = 0;
    if (oneMultisample && (!ParseNumber(words[1], ms) || ms >= kMultisamples)) return false;
    auto bank = std::make_unique<as_bank>();
    if (!LoadAnyBankFile(*bank, words[0], ui)) {
        paths.clear();
        return true; // told the user already; an empty group runs nothing
    }
    paths = oneMultisample ? SlotPaths(UsedSlots(*bank, ms)) : SlotPaths(UsedSlots(*bank));
    return true;
}

int Result(bool ok) {
    return ok ? kExitDone : kExitFailed;
}

int Analyse(const Args& args, JobServices& ui) {
    std::vector<std::string> paths;
    if (!Group(args.positional, args, ui, true, paths))
        return Usage("analyse FILE MS | --files WAV...");
    FindLoudestFile(paths, ui);
    return kExitDone;
}

int Normalise(const Args& args, JobServices& ui) {
    std::vector<std::string> paths;
    if (!Group(args.positional, args, ui, true, paths))
        return Usage("normalise FILE MS | --files WAV...");
    return Result(NormaliseGroup(paths, ui));
}

int ScanStart(const Args& args, JobServices& ui) {
    std::vector<std::string> paths;
    if (!Group(args.positional, args, ui, false, paths))
        return Usage("scan-start FILE | --files WAV...");
    CheckStartSilence(paths, ui);
    return kExitDone;
}

int ScanEnd(const Args& args, JobServices& ui) {
    std::vector<std::string> paths;
    if (!Group(args.positional, args, ui, false, paths))
        return Usage("scan-end FILE | --files WAV...");
    CheckEndSilence(paths, args.has("--fade"), ui);
    return kExitDone;
}

int TrimStart(const Args& args, JobServices& ui) {
    std::vector<std::string> words = args.positional, paths;
    unsigned t = 0;
    const bool number = TakeNumber(words, args, "--threshold", t);
    const auto* found =
        std::find(kSilenceThresholds.begin(), kSilenceThresholds.begin() + 3, int(t));
    if (!number || found == kSilenceThresholds.begin() + 3)
        return Usage("trim-start takes --threshold 0, 3 or 10");
    if (!Group(words, args, ui, false, paths))
        return Usage("trim-start --threshold N FILE | --files WAV...");
    return Result(TrimStartSilence(paths, unsigned(found - kSilenceThresholds.begin()), ui));
}

int TrimEnd(const Args& args, JobServices& ui) {
    std::vector<std::string> words = args.positional, paths;
    unsigned t = 0;
    if (!TakeNumber(words, args, "--threshold", t) || t > 100 || t % 10 != 0)
        return Usage("trim-end takes --threshold 0, 10, 20 ... 100");
    if (!Group(words, args, ui, false, paths))
        return Usage("trim-end --threshold N FILE | --files WAV...");
    return Result(TrimEndSilence(paths, int(t), args.has("--fade"), ui));
}

int TrimFixed(const Args& args, JobServices& ui) {
    std::vector<std::string> words = args.positional, paths;
    if (words.empty()) return Usage("trim-fixed N FILE | N --files WAV...");
    const std::string count = words.front();
    words.erase(words.begin());
    if (!Group(words, args, ui, false, paths)) return Usage("trim-fixed N FILE | N --files WAV...");
    return Result(ConfirmFixedRemoval(ui) && TrimFixedCount(paths, count, ui));
}

constexpr std::size_t kMany = 1u << 20;

} // namespace

void AddWavToolCommands(CommandTable& table) {
    table.push_back({"analyse",
                     "FILE MS | --files WAV...",
                     "find the loudest WAV file of a multisample or of WAV files",
                     1,
                     kMany,
                     {kFiles},
                     Analyse});
    table.push_back({"normalise",
                     "FILE MS | --files WAV...",
                     "normalise a multisample or WAV files to -0.5 dB (needs --yes)",
                     1,
                     kMany,
                     {kFiles},
                     Normalise});
    table.push_back({"scan-start",
                     "FILE | --files WAV...",
                     "report the silence at the start of the sample files",
                     1,
                     kMany,
                     {kFiles},
                     ScanStart});
    table.push_back({"scan-end",
                     "FILE [--fade] | --files WAV...",
                     "report the silence at the end of the sample files",
                     1,
                     kMany,
                     {kFiles, "--fade"},
                     ScanEnd});
    table.push_back({"trim-start",
                     "--threshold N FILE | --files WAV...",
                     "cut the silence at the start of the sample files (needs --yes)",
                     1,
                     kMany,
                     {kFiles, "--threshold"},
                     TrimStart});
    table.push_back({"trim-end",
                     "--threshold N [--fade] FILE | --files WAV...",
                     "cut the silence at the end of the sample files (needs --yes)",
                     1,
                     kMany,
                     {kFiles, "--threshold", "--fade"},
                     TrimEnd});
    table.push_back({"trim-fixed",
                     "N FILE | N --files WAV...",
                     "cut N frames from the start of the sample files (needs --yes)",
                     2,
                     kMany,
                     {kFiles},
                     TrimFixed});
}

} // namespace ovb::cli
