#pragma once
// Conforming sample files to the one format the module plays: 16-bit PCM at 48000 Hz, mono or
// stereo, with the system's 44-byte header. Sources of any rate, depth or container libsndfile
// reads are resampled (libsoxr, very high quality) and reduced to 16 bits with TPDF dither; a
// 16-bit 48 kHz file whose only fault is its header gets a new header around the same samples.
// The converted files go beside the originals (with a suffix) or into a mirror folder tree; the
// originals are never written.
#include "job/JobServices.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace ovb {

class as_bank;

struct ConformOptions {
    enum class Place { Beside, Mirror };
    Place place = Place::Beside;
    // Beside: put between the file's name and its new ".wav" extension.
    std::string suffix = "_48k";
    // Mirror: the folder that receives the tree below the sources' common folder. Stored-path
    // form: it becomes the start of the new paths kept in the bank.
    std::string mirrorRoot;
    // Files converted at the same time; 0: one per processor.
    unsigned parallelFiles = 0;
};

enum class ConformAction {
    Keep,    // the parser accepts it already
    Rewrap,  // 16-bit 48 kHz samples under a header the parser refuses
    Convert, // resampled and/or reduced to 16 bits
    Refuse,  // cannot or must not be converted (reason says why)
    Missing, // no such file
};

struct ConformItem {
    std::string source; // stored path as in the bank
    std::string target; // stored path of the converted file (Rewrap, Convert)
    ConformAction action = ConformAction::Keep;
    std::string format; // "WAV 44100 Hz 24-bit stereo"
    std::string reason; // Refuse
    std::uint64_t frames = 0;
    unsigned rate = 0, channels = 0;
    std::uint64_t bytesBefore = 0, bytesAfter = 0;
    bool replacesTarget = false; // a file exists at the target already
};

struct ConformPlan {
    std::vector<ConformItem> items; // one per distinct stored path, in first-seen order
    unsigned count(ConformAction action) const;
    unsigned toWrite() const {
        return count(ConformAction::Rewrap) + count(ConformAction::Convert);
    }
};

// Frames a source of `frames` at `rate` Hz has at 48000 Hz (rounded to the nearest frame).
std::uint64_t FramesAt48k(std::uint64_t frames, unsigned rate);

// The new stored path of a converted file (no checks).
std::string BesideTarget(const std::string& stored, const std::string& suffix);
std::string MirrorTarget(const std::string& stored, const std::string& commonFolder,
                         const std::string& mirrorRoot);
// The folder part that all stored paths share, up to and with its last separator ("" if none).
std::string CommonFolder(const std::vector<std::string>& stored);

// Looks at every distinct path (empty-path markers are left out) and decides what to do. With
// ui, the progress window follows the files looked at.
ConformPlan PlanConform(const std::vector<std::string>& paths, const ConformOptions& options,
                        JobServices* ui = nullptr);
std::vector<std::string> ConformPreviewReport(const ConformPlan& plan);

struct ConformResult {
    std::map<std::string, std::string> written; // stored source -> stored target, all complete
    std::vector<std::string> failures;          // "path: reason"
    unsigned converted = 0, rewrapped = 0;
    unsigned notDone = 0; // left when the user cancelled
    bool cancelled = false;
};

// Writes every Rewrap and Convert item, several files at a time, with the progress window and
// its Cancel. A cancelled file leaves nothing behind; files finished before stay complete.
ConformResult RunConform(const ConformPlan& plan, const ConformOptions& options, JobServices& ui);
std::vector<std::string> ConformFinalReport(const ConformPlan& plan, const ConformResult& result);

struct ConformSession {
    ConformPlan plan;
    ConformResult result;
    bool started = false;      // the files were written (or the run was cancelled)
    unsigned slotsUpdated = 0; // bank paths changed after the user agreed
    bool clean() const {       // nothing refused, missing, failed or cancelled
        return plan.count(ConformAction::Refuse) == 0 && plan.count(ConformAction::Missing) == 0 &&
               result.failures.empty() && !result.cancelled;
    }
};

// The whole job as the user meets it: plan, preview report, (askToStart: the question whether to
// go on), the run, the final report and, with a bank, the question whether its paths should
// name the new files.
ConformSession ConformWavFiles(const std::vector<std::string>& paths, const ConformOptions& options,
                               as_bank* bank, bool askToStart, JobServices& ui);

inline constexpr const char* kConformCaption = "Conform WAV files";

} // namespace ovb
