// ovbank analyse, normalise, scan-start, scan-end, trim-start, trim-end, trim-fixed: the WAV
// editing tools on the sample files of a script or bank, or on WAV files given after --files.
// The changing commands only act with --yes, like every ovbank command that changes files. The
// exit code is 0 only when every file named (or every sample file of the bank) could be worked on.
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

// The files a command works on, and whether that list is whole.
struct Group {
    enum { Usage, Failed, Ready } state = Usage;
    std::vector<std::string> paths;
    unsigned unreadable = 0; // files named after --files that were left out, each reported
    int exit(bool ok) const { return ok && unreadable == 0 ? kExitDone : kExitFailed; }
};

// The words after --files, each checked before any work: a missing file, a folder, a FIFO or an
// empty or unreadable file is reported and left out. Without --files, every sample path of the
// loaded FILE (or, with a multisample number, that multisample's paths).
Group GroupOf(std::vector<std::string> words, const Args& args, JobServices& ui,
              bool oneMultisample) {
    Group g;
    if (args.has(kFiles)) {
        if (words.empty()) return g;
        g.paths = ReadableFiles(std::move(words), ui, g.unreadable);
        g.state = g.paths.empty() ? Group::Failed : Group::Ready;
        return g;
    }
    unsigned ms = 0;
    if (words.size() != (oneMultisample ? 2u : 1u) ||
        (oneMultisample && (!ParseNumber(words[1], ms) || ms >= kMultisamples)))
        return g;
    auto bank = std::make_unique<as_bank>();
    g.state = Group::Failed; // told the user why
    if (!LoadAnyBankFile(*bank, words[0], ui)) return g;
    g.paths = oneMultisample ? SlotPaths(UsedSlots(*bank, ms)) : SlotPaths(UsedSlots(*bank));
    g.state = Group::Ready;
    return g;
}

// Runs work(paths) -> bool (true: no file failed) on a usable group; the exit code says whether
// everything named was done.
template <class Work> int RunOnGroup(const Group& g, const char* usage, Work work) {
    if (g.state == Group::Usage) return Usage(usage);
    if (g.state == Group::Failed) return kExitFailed;
    return g.exit(work(g.paths));
}

int Analyse(const Args& args, JobServices& ui) {
    return RunOnGroup(GroupOf(args.positional, args, ui, true), "analyse FILE MS | --files WAV...",
                      [&](const auto& paths) { return FindLoudestFile(paths, ui); });
}

int Normalise(const Args& args, JobServices& ui) {
    return RunOnGroup(GroupOf(args.positional, args, ui, true),
                      "normalise FILE MS | --files WAV...",
                      [&](const auto& paths) { return NormaliseGroup(paths, ui); });
}

int ScanStart(const Args& args, JobServices& ui) {
    return RunOnGroup(GroupOf(args.positional, args, ui, false), "scan-start FILE | --files WAV...",
                      [&](const auto& paths) { return CheckStartSilence(paths, ui); });
}

int ScanEnd(const Args& args, JobServices& ui) {
    return RunOnGroup(
        GroupOf(args.positional, args, ui, false), "scan-end FILE | --files WAV...",
        [&](const auto& paths) { return CheckEndSilence(paths, args.has("--fade"), ui); });
}

int TrimStart(const Args& args, JobServices& ui) {
    std::vector<std::string> words = args.positional;
    unsigned t = 0;
    const bool number = TakeNumber(words, args, "--threshold", t);
    const auto* found =
        std::find(kSilenceThresholds.begin(), kSilenceThresholds.begin() + 3, int(t));
    if (!number || found == kSilenceThresholds.begin() + 3)
        return Usage("trim-start takes --threshold 0, 3 or 10");
    const unsigned index = unsigned(found - kSilenceThresholds.begin());
    return RunOnGroup(GroupOf(words, args, ui, false),
                      "trim-start --threshold N FILE | --files WAV...",
                      [&](const auto& paths) { return TrimStartSilence(paths, index, ui); });
}

int TrimEnd(const Args& args, JobServices& ui) {
    std::vector<std::string> words = args.positional;
    unsigned t = 0;
    if (!TakeNumber(words, args, "--threshold", t) || t > 100 || t % 10 != 0)
        return Usage("trim-end takes --threshold 0, 10, 20 ... 100");
    return RunOnGroup(
        GroupOf(words, args, ui, false), "trim-end --threshold N FILE | --files WAV...",
        [&](const auto& paths) { return TrimEndSilence(paths, int(t), args.has("--fade"), ui); });
}

int TrimFixed(const Args& args, JobServices& ui) {
    std::vector<std::string> words = args.positional;
    if (words.empty()) return Usage("trim-fixed N FILE | N --files WAV...");
    const std::string count = words.front();
    words.erase(words.begin());
    return RunOnGroup(GroupOf(words, args, ui, false), "trim-fixed N FILE | N --files WAV...",
                      [&](const auto& paths) {
                          return ConfirmFixedRemoval(ui) && TrimFixedCount(paths, count, ui);
                      });
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
