// Deciding, before anything is written, what happens to each file and where its new file goes.
#include "bank/Acc_bank_structure.h"
#include "bank/BankLayout.h"
#include "bank/BankSize.h"
#include "job/InputFile.h"
#include "job/PathResolver.h"
#include "tools/Conform.h"
#include "tools/ConformAudio.h"
#include "wav/Wav_file_parser.h"

#include <algorithm>
#include <fstream>
#include <optional>
#include <set>
#include <system_error>
#include <unordered_map>
#include <unordered_set>

namespace ovb {

namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

std::size_t FolderEnd(std::string_view stored) {
    auto pos = stored.find_last_of("\\/");
    return pos == std::string_view::npos ? 0 : pos + 1;
}

// "C 3.aif" -> "C 3" (a name that starts with its only dot keeps it).
std::string_view Stem(std::string_view name) {
    auto dot = name.rfind('.');
    return dot == std::string_view::npos || dot == 0 ? name : name.substr(0, dot);
}

// Folder names of the stored path below the common folder, made safe for a folder tree: a drive
// prefix loses its colon and no component may climb out of the mirror root.
std::vector<std::string> MirrorComponents(std::string_view rel) {
    std::vector<std::string> parts;
    std::string part;
    auto flush = [&] {
        if (!part.empty() && part.back() == ':') part.pop_back();
        if (part == "..") part = "_";
        if (!part.empty() && part != ".") parts.push_back(part);
        part.clear();
    };
    for (char c : rel) {
        if (IsSeparator(c))
            flush();
        else
            part += c;
    }
    flush();
    return parts;
}

std::filesystem::path Canonical(PathResolver& files, const std::string& stored) {
    std::error_code ec;
    const std::filesystem::path file = files.file(stored);
    auto p = std::filesystem::weakly_canonical(file, ec);
    return ec ? file.lexically_normal() : p;
}

// What the conversion makes of a file is too long when its audio does not fit one sample slot.
bool TooLongForOneSample(std::uint64_t dataBytes) {
    return dataBytes > kMaxSampleSectors * kSector;
}

void Examine(ConformItem& item, PathResolver& files) {
    const auto host = files.file(item.source);
    const InputCheck input = ProbeInput(host);
    if (input.problem == FileProblem::Missing) {
        item.action = ConformAction::Missing;
        return;
    }
    if (!input.ready() && !input.empty()) {
        item.action = ConformAction::Refuse;
        item.reason = InputProblemText(host, input);
        return;
    }
    item.bytesBefore = item.bytesAfter = input.size;
    {
        // Exactly the files the bank builder takes are left alone; the others are converted
        // where their audio can be read (a data chunk larger than the file gives what is there).
        std::ifstream in(host, std::ios::binary);
        const WavLayout w = ParseWav(in);
        const SampleFault fault = SampleFaultOf(w);
        if (fault == SampleFault::None) {
            item.action = ConformAction::Keep;
            item.channels = w.format == WavStereo ? 2 : 1;
            item.rate = 48000;
            item.frames = w.dataSize / (2 * item.channels);
            item.format =
                std::string("WAV 48000 Hz 16-bit ") + (item.channels == 2 ? "stereo" : "mono");
            return;
        }
        if (fault == SampleFault::TooLong) {
            item.action = ConformAction::Refuse;
            item.reason = "too long for one sample of a bank (over 65535 sectors)";
            return;
        }
    }
    AudioFileInfo info;
    std::string error;
    if (!ProbeAudioFile(host, info, error)) {
        item.action = ConformAction::Refuse;
        item.reason = "not an audio file that can be read (" + error + ")";
        return;
    }
    item.format = info.format;
    item.frames = info.frames;
    item.rate = info.rate;
    item.channels = info.channels;
    if (info.channels < 1 || info.channels > 2) {
        item.action = ConformAction::Refuse;
        item.reason = std::to_string(info.channels) +
                      " channels: the module plays mono and stereo files only";
    } else if (info.frames == 0) {
        item.action = ConformAction::Refuse;
        item.reason = "no audio in the file";
    } else {
        item.action =
            info.rate == 48000 && info.pcm16 ? ConformAction::Rewrap : ConformAction::Convert;
        const std::uint64_t data = FramesAt48k(info.frames, info.rate) * info.channels * 2;
        item.bytesAfter = kWavHeaderSize + data;
        if (TooLongForOneSample(data)) {
            item.action = ConformAction::Refuse;
            item.reason = "too long for one sample of a bank at 48 kHz (over 65535 sectors)";
        }
    }
}

bool Writes(const ConformItem& item) {
    return item.action == ConformAction::Rewrap || item.action == ConformAction::Convert;
}

void Refuse(ConformItem& item, std::string reason) {
    item.action = ConformAction::Refuse;
    item.reason = std::move(reason);
    item.target.clear();
}

std::string OptionsFault(const ConformOptions& options) {
    if (options.place == ConformOptions::Place::Mirror) {
        if (options.mirrorRoot.empty()) return "no folder was chosen for the converted files";
    } else if (options.suffix.find_first_of("\\/:") != std::string::npos) {
        return "the suffix must not hold a folder separator";
    }
    return {};
}

// Below a folder of this machine the new files get the names the sources have here (decoded from
// the code page), and are stored as any file added there would be.
std::string NewTarget(const ConformItem& item, const std::string& common,
                      const ConformOptions& options, PathResolver& files, std::string& refusal) {
    if (options.place == ConformOptions::Place::Beside)
        return BesideTarget(item.source, options.suffix);
    if (IsWindowsPath(options.mirrorRoot))
        return MirrorTarget(item.source, common, options.mirrorRoot);
    const StoredForm stored = files.store(
        MirrorTarget(files.display(item.source), files.display(common), options.mirrorRoot));
    refusal = stored.error;
    return stored.path;
}

void AssignTargets(ConformPlan& plan, const ConformOptions& options, PathResolver& files) {
    std::vector<std::string> work;
    for (const ConformItem& item : plan.items)
        if (Writes(item)) work.push_back(item.source);
    const std::string common = CommonFolder(work);
    const std::string fault = OptionsFault(options);
    std::set<std::filesystem::path> sources;
    for (const ConformItem& item : plan.items)
        if (item.action != ConformAction::Missing) sources.insert(Canonical(files, item.source));
    std::unordered_map<std::string, std::string> taken; // canonical target -> its source
    for (ConformItem& item : plan.items) {
        if (!Writes(item)) continue;
        if (!fault.empty()) {
            Refuse(item, fault);
            continue;
        }
        std::string refusal;
        item.target = NewTarget(item, common, options, files, refusal);
        if (!refusal.empty()) {
            Refuse(item, refusal);
            continue;
        }
        const auto target = Canonical(files, item.target);
        if (sources.count(target)) {
            Refuse(item, "its new file would replace a file of the list: " + target.string());
            continue;
        }
        auto [it, fresh] = taken.emplace(target.string(), item.source);
        if (!fresh) {
            Refuse(item, "same new file as " + it->second + ": " + target.string());
            continue;
        }
        std::error_code ec;
        item.replacesTarget = std::filesystem::exists(target, ec);
    }
}

} // namespace

unsigned ConformPlan::count(ConformAction action) const {
    return unsigned(std::count_if(items.begin(), items.end(),
                                  [&](const ConformItem& i) { return i.action == action; }));
}

std::uint64_t FramesAt48k(std::uint64_t frames, unsigned rate) {
    if (rate == 0 || rate == 48000) return frames;
    const unsigned __int128 scaled = (unsigned __int128)frames * 48000u + rate / 2;
    return std::uint64_t(scaled / rate);
}

std::string BesideTarget(const std::string& stored, const std::string& suffix) {
    const std::size_t folder = FolderEnd(stored);
    std::string_view name = std::string_view(stored).substr(folder);
    return stored.substr(0, folder) + std::string(Stem(name)) + suffix + ".wav";
}

std::string CommonFolder(const std::vector<std::string>& stored) {
    if (stored.empty()) return {};
    std::string_view common(stored.front().data(), FolderEnd(stored.front()));
    for (const std::string& s : stored) {
        std::size_t n = 0, limit = std::min(common.size(), FolderEnd(s));
        while (n < limit && (common[n] == s[n] || (IsSeparator(common[n]) && IsSeparator(s[n]))))
            ++n;
        common = common.substr(0, n);
    }
    return std::string(common.substr(0, FolderEnd(common)));
}

std::string MirrorTarget(const std::string& stored, const std::string& commonFolder,
                         const std::string& mirrorRoot) {
    const char sep = mirrorRoot.find('\\') != std::string::npos ? '\\' : '/';
    std::string target = mirrorRoot;
    while (target.size() > 1 && IsSeparator(target.back()))
        target.pop_back();
    const std::string_view rel = std::string_view(stored).substr(
        stored.compare(0, commonFolder.size(), commonFolder) == 0 ? commonFolder.size() : 0);
    std::vector<std::string> parts = MirrorComponents(rel);
    if (parts.empty()) return target;
    parts.back() = std::string(Stem(parts.back())) + ".wav";
    for (const std::string& part : parts) {
        if (target.empty() || !IsSeparator(target.back())) target += sep;
        target += part;
    }
    return target;
}

ConformPlan PlanConform(const std::vector<std::string>& paths, const ConformOptions& options,
                        JobServices* ui) {
    ConformPlan plan;
    PathResolver files;
    std::unordered_set<std::string> seen;
    std::optional<ProgressScope> progress;
    if (ui) {
        progress.emplace(*ui, 'r');
        ui->SetProgressText("Examining WAV files...");
    }
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const std::string& p = paths[i];
        if (ui && i % 64 == 0) {
            ui->SetProgressPercent(unsigned(i * 100 / paths.size()));
            ui->processEvents();
        }
        if (p.empty() || IsEmptyPath(p) || !seen.insert(p).second) continue;
        ConformItem item;
        item.source = p;
        Examine(item, files);
        plan.items.push_back(std::move(item));
    }
    AssignTargets(plan, options, files);
    return plan;
}

} // namespace ovb
