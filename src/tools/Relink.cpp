#include "tools/Relink.h"

#include "base/Formatting.h"
#include "job/TextEncoding.h"
#include "tools/LibraryPaths.h"

#include <algorithm>
#include <map>
#include <system_error>
#include <unordered_set>

namespace ovb {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kPlacesShown = 5;

std::vector<std::string> FoldedComponents(std::string_view path) {
    std::vector<std::string> parts = PathComponents(path);
    for (std::string& part : parts)
        part = FoldCase(part);
    return parts;
}

const char* Heading(RelinkOutcome outcome) {
    switch (outcome) {
    case RelinkOutcome::Found:
        return "Found:";
    case RelinkOutcome::Ambiguous:
        return "Ambiguous (found in several places, left alone):";
    case RelinkOutcome::Missing:
        return "Still missing:";
    case RelinkOutcome::Unstorable:
        return "Found, but the path cannot be stored:";
    }
    return "";
}

} // namespace

SampleFolderIndex::SampleFolderIndex(const fs::path& root, JobServices* ui) {
    std::error_code ec;
    const std::string prefix = root.string() + (root.string().ends_with('/') ? "" : "/");
    auto options = fs::directory_options::skip_permission_denied;
    for (fs::recursive_directory_iterator it(root, options, ec), end; !ec && it != end;
         it.increment(ec)) {
        std::error_code fileEc;
        if (!it->is_regular_file(fileEc)) continue;
        std::string path = it->path().string();
        if (!path.starts_with(prefix)) continue;
        const auto id = std::uint32_t(files_.size());
        files_.push_back(std::move(path));
        const std::vector<std::string> parts =
            FoldedComponents(std::string_view(files_.back()).substr(prefix.size()));
        const std::uint32_t name =
            names_.emplace(parts.back(), std::uint32_t(names_.size())).first->second;
        files_by_[Key(0, name)].push_back(id);
        std::string folders;
        for (std::size_t i = parts.size() - 1; i-- > 0;) {
            folders = folders.empty() ? parts[i] : parts[i] + '/' + folders;
            const std::uint32_t trailing =
                trailing_.emplace(folders, std::uint32_t(trailing_.size())).first->second;
            files_by_[Key(trailing + 1, name)].push_back(id);
        }
        if (ui && files_.size() % 4096 == 0) {
            ui->SetProgressDetail(Format("%zu files", files_.size()));
            ui->processEvents();
        }
    }
}

std::vector<std::uint32_t>
SampleFolderIndex::trailingFolders(const std::vector<std::string>& folded) const {
    std::vector<std::uint32_t> numbers;
    std::string folders;
    for (std::size_t i = folded.size(); i-- > 0;) {
        folders = folders.empty() ? folded[i] : folded[i] + '/' + folders;
        const auto it = trailing_.find(folders);
        if (it == trailing_.end()) break;
        numbers.push_back(it->second);
    }
    return numbers;
}

const std::vector<std::uint32_t>&
SampleFolderIndex::best(const std::string& name, const std::vector<std::uint32_t>& trailing) const {
    static const std::vector<std::uint32_t> kNone;
    const auto named = names_.find(name);
    if (named == names_.end()) return kNone;
    const std::vector<std::uint32_t>* agreeing = &files_by_.at(Key(0, named->second));
    // One folder more at a time, while more than one file agrees.
    for (std::size_t i = 0; i < trailing.size() && agreeing->size() > 1; ++i) {
        const auto next = files_by_.find(Key(trailing[i] + 1, named->second));
        if (next == files_by_.end()) break;
        agreeing = &next->second;
    }
    return *agreeing;
}

unsigned RelinkPlan::count(RelinkOutcome outcome) const {
    return unsigned(std::count_if(items.begin(), items.end(),
                                  [&](const RelinkItem& i) { return i.outcome == outcome; }));
}

namespace {

// Heterogeneous lookup: the folder part of a path is looked up without copying it.
struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const {
        return std::hash<std::string_view>()(text);
    }
};

// What is known about one folder of the stored paths (decoded text): the trailing parts of it
// that the index knows, and the paths in it already looked at.
struct StoredFolder {
    std::vector<std::uint32_t> trailing;
    std::unordered_set<std::string_view> seen;
};

} // namespace

RelinkPlan PlanRelink(const std::vector<std::string>& stored, const SampleFolderIndex& index,
                      PathResolver& files) {
    RelinkPlan plan;
    plan.filesSearched = index.size();
    // A bank's paths share few folders and list each folder's files together: the folders are
    // looked up once, the last one without a lookup at all.
    std::unordered_map<std::string, StoredFolder, TextHash, std::equal_to<>> folders;
    std::pair<const std::string, StoredFolder>* last = nullptr;
    for (const std::string& path : stored) {
        if (IsEmptyPath(path)) continue;
        const std::string text = files.display(path);
        const std::size_t cut = text.find_last_of(IsWindowsPath(path) ? "\\/:" : "/");
        const std::size_t nameStart = cut == std::string::npos ? 0 : cut + 1;
        const std::string_view folder = std::string_view(text).substr(0, nameStart);
        if (!last || last->first != folder) {
            auto known = folders.find(folder);
            if (known == folders.end()) {
                known =
                    folders
                        .emplace(std::string(folder),
                                 StoredFolder{index.trailingFolders(FoldedComponents(folder)), {}})
                        .first;
            }
            last = &*known;
        }
        if (!last->second.seen.insert(path).second || files.find(path)) continue;
        const std::vector<std::uint32_t>& best =
            index.best(FoldCase(std::string_view(text).substr(nameStart)), last->second.trailing);
        RelinkItem item;
        item.stored = path;
        for (std::uint32_t id : best)
            item.places.push_back(index.file(id));
        std::sort(item.places.begin(), item.places.end());
        if (best.size() > 1) {
            item.outcome = RelinkOutcome::Ambiguous;
        } else if (best.size() == 1) {
            StoredForm form = files.store(item.places.front());
            item.outcome = form.ok() ? RelinkOutcome::Found : RelinkOutcome::Unstorable;
            item.target = std::move(form.path);
            item.reason = std::move(form.error);
        }
        plan.items.push_back(std::move(item));
    }
    return plan;
}

std::vector<std::string> RelinkReport(const RelinkPlan& plan, const fs::path& folder,
                                      const PathResolver& files) {
    std::vector<std::string> lines{
        Format("Searched %s: %zu files", folder.c_str(), plan.filesSearched),
        Format("Found: %u", plan.count(RelinkOutcome::Found)),
        Format("Ambiguous: %u", plan.count(RelinkOutcome::Ambiguous)),
        Format("Still missing: %u", plan.count(RelinkOutcome::Missing))};
    if (const unsigned n = plan.count(RelinkOutcome::Unstorable))
        lines.push_back(Format("Found, but the path cannot be stored: %u", n));
    for (RelinkOutcome outcome : {RelinkOutcome::Found, RelinkOutcome::Ambiguous,
                                  RelinkOutcome::Missing, RelinkOutcome::Unstorable}) {
        if (plan.count(outcome) == 0) continue;
        lines.push_back("");
        lines.push_back(Heading(outcome));
        for (const RelinkItem& item : plan.items) {
            if (item.outcome != outcome) continue;
            lines.push_back("  " + files.display(item.stored));
            if (outcome == RelinkOutcome::Found)
                lines.push_back("    -> " + files.display(item.target));
            if (outcome == RelinkOutcome::Unstorable) lines.push_back("    " + item.reason);
            if (outcome != RelinkOutcome::Ambiguous) continue;
            for (std::size_t i = 0; i < item.places.size() && i < kPlacesShown; ++i)
                lines.push_back("    ? " + item.places[i]);
            if (item.places.size() > kPlacesShown)
                lines.push_back(Format("    ... and %zu more", item.places.size() - kPlacesShown));
        }
    }
    return lines;
}

RelinkSession LocateMissingSamples(as_bank& bank, const fs::path& folder, JobServices& ui) {
    RelinkSession s;
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        ui.message(kRelinkCaption, "Not a folder: " + folder.string());
        return s;
    }
    PathResolver files;
    // Full paths, as the bank keeps them, and the folder's own name for links to it.
    const fs::path root = fs::weakly_canonical(fs::absolute(folder, ec), ec);
    {
        ProgressScope progress(ui, 'r');
        ui.SetProgressText("Searching " + folder.string() + "...");
        const SampleFolderIndex index(root, &ui);
        ui.SetProgressText("Matching missing samples...");
        ui.processEvents();
        s.plan = PlanRelink(SlotPaths(UsedSlots(bank)), index, files);
        s.searched = true;
    }
    if (s.plan.items.empty()) {
        ui.message(kRelinkCaption, "No missing WAV files !");
        return s;
    }
    ui.ShowReport("Report: " + std::string(kRelinkCaption), RelinkReport(s.plan, folder, files));
    ui.CloseReport();
    const unsigned found = s.plan.count(RelinkOutcome::Found);
    if (found == 0 ||
        !ui.yes(kRelinkCaption, Format("Change the paths of the %u samples found?", found)))
        return s;
    std::map<std::string, std::string> changes;
    for (const RelinkItem& item : s.plan.items)
        if (item.outcome == RelinkOutcome::Found) changes[item.stored] = item.target;
    s.slotsChanged = ReplaceSamplePaths(bank, changes);
    return s;
}

} // namespace ovb
