#pragma once
// Finding samples that moved (a new disk, a renamed folder). The folder the user names is walked
// once; every missing stored path is matched to the file below it whose name and trailing
// folders agree with it best, letter case ignored, so that Piano\C 3.wav and Organ\C 3.wav go to
// their own instruments. A name found in several places with nothing to choose between them is
// ambiguous and left alone; a name found nowhere stays missing. Nothing changes before the user
// has read the report and agreed.
#include "bank/Acc_bank_structure.h"
#include "job/JobServices.h"
#include "job/PathResolver.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <unordered_map>
#include <vector>

namespace ovb {

// Every file below a folder, found by its name and the folders above it.
class SampleFolderIndex {
  public:
    // Walks the folder once; with ui, the progress window counts the files.
    explicit SampleFolderIndex(const std::filesystem::path& root, JobServices* ui = nullptr);

    std::size_t size() const { return files_.size(); }
    const std::string& file(std::uint32_t id) const { return files_[id]; }

    // The trailing parts of a folder (its components, letter case folded with FoldCase) that some
    // folder of the index ends with, as numbers: the last component, the last two, ...
    std::vector<std::uint32_t> trailingFolders(const std::vector<std::string>& folded) const;
    // The files named name (folded) that agree best with a folder's trailing parts: none, the
    // one, or several that agree equally well.
    const std::vector<std::uint32_t>& best(const std::string& name,
                                           const std::vector<std::uint32_t>& trailing) const;

  private:
    static std::uint64_t Key(std::uint32_t trailing, std::uint32_t name) {
        return std::uint64_t(trailing) << 32 | name;
    }
    std::vector<std::string> files_;
    std::unordered_map<std::string, std::uint32_t> names_;    // folded file name -> number
    std::unordered_map<std::string, std::uint32_t> trailing_; // "instrument 5/layer 1" -> number
    // (trailing folders + 1, or 0 for the name alone; name) -> the files that agree
    std::unordered_map<std::uint64_t, std::vector<std::uint32_t>> files_by_;
};

enum class RelinkOutcome { Found, Ambiguous, Missing, Unstorable };

struct RelinkItem {
    std::string stored; // the missing path as the bank holds it
    RelinkOutcome outcome = RelinkOutcome::Missing;
    std::string target;              // Found: the new stored path
    std::vector<std::string> places; // Found: the file; Ambiguous: the candidates
    std::string reason;              // Unstorable
};

struct RelinkPlan {
    std::vector<RelinkItem> items; // one per distinct missing path, in the order first met
    std::size_t filesSearched = 0;
    unsigned count(RelinkOutcome outcome) const;
};

// Matches every distinct missing path of the list against the index. New paths are stored as
// files added by the user would be (PathResolver::store).
RelinkPlan PlanRelink(const std::vector<std::string>& stored, const SampleFolderIndex& index,
                      PathResolver& files);
std::vector<std::string> RelinkReport(const RelinkPlan& plan, const std::filesystem::path& folder,
                                      const PathResolver& files);

struct RelinkSession {
    RelinkPlan plan;
    bool searched = false; // the folder could be searched
    unsigned slotsChanged = 0;
    bool clean() const { // searched, and every missing path was found
        return searched && plan.count(RelinkOutcome::Found) == plan.items.size();
    }
};

// The whole job as the user meets it: the walk, the report, the question, the change.
RelinkSession LocateMissingSamples(as_bank& bank, const std::filesystem::path& folder,
                                   JobServices& ui);

inline constexpr const char* kRelinkCaption = "Locate Missing Samples";

} // namespace ovb
