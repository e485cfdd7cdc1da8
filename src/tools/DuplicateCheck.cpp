// Slots of different multisamples that load the same file. The report lists, for each slot in
// ascending order, every slot of a later multisample with the same path. Instead of comparing
// every path with every later path, the slots are sorted by the hash of their path, and each slot
// is linked to the next slot (in ascending order) holding the same text; the pairs of a slot are
// then found by following its links.
#include "base/Formatting.h"
#include "job/PathResolver.h"
#include "tools/BankChecks.h"
#include "tools/CheckHelpers.h"

#include <algorithm>
#include <functional>
#include <string_view>
#include <vector>

namespace ovb {
namespace {

using namespace checks;

constexpr std::uint32_t kNoSlot = ~0u;

struct SameText {
    std::vector<std::uint32_t> next; // by slot number (multisample * 64 + slot)
    std::vector<bool> withSamples;   // by multisample
    unsigned multisamplesWithSamples = 0;
};

const std::string& PathOf(const as_bank& bank, std::uint32_t slot) {
    return bank.path(slot / kSamplesPerMultisample, slot % kSamplesPerMultisample);
}

struct Keyed {
    std::size_t hash;
    std::uint32_t slot;
    bool operator<(const Keyed& o) const { return hash != o.hash ? hash < o.hash : slot < o.slot; }
};

SameText LinkSamePaths(const as_bank& bank) {
    SameText links{std::vector<std::uint32_t>(kSlots, kNoSlot),
                   std::vector<bool>(kMultisamples, false), 0};
    std::vector<Keyed> keys;
    for (unsigned m = 1; m < kMultisamples; ++m) {
        for (unsigned k = 0; k < kSamplesPerMultisample; ++k) {
            const std::string& path = bank.path(m, k);
            if (IsEmptyPath(path)) continue;
            keys.push_back({std::hash<std::string_view>{}(path), m * kSamplesPerMultisample + k});
            if (!links.withSamples[m]) ++links.multisamplesWithSamples;
            links.withSamples[m] = true;
        }
    }
    std::sort(keys.begin(), keys.end());
    // Within a run of equal hashes the slots ascend; each links to the next one with its text
    // (almost always the very next entry: different texts with one hash are rare).
    for (std::size_t p = 0; p < keys.size(); ++p) {
        for (std::size_t q = p + 1; q < keys.size() && keys[q].hash == keys[p].hash; ++q) {
            if (PathOf(bank, keys[q].slot) != PathOf(bank, keys[p].slot)) continue;
            links.next[keys[p].slot] = keys[q].slot;
            break;
        }
    }
    return links;
}

void AddPair(const as_bank& bank, std::uint32_t first, std::uint32_t second, Lines& lines) {
    const unsigned a = first / kSamplesPerMultisample, i = first % kSamplesPerMultisample;
    const unsigned b = second / kSamplesPerMultisample, j = second % kSamplesPerMultisample;
    lines.emplace_back("Dublicate Found! -------------------------------------------");
    lines.push_back(
        Format("Sample %03u from MS%04u: %s", i, a, DisplayPath(bank.path(a, i)).c_str()));
    lines.emplace_back();
    lines.push_back(
        Format("Sample %03u from MS%04u: %s", j, b, DisplayPath(bank.path(b, j)).c_str()));
    lines.emplace_back();
}

// Pairs of a slot with the later slots of later multisamples sharing its path, in their order.
// Links into the slot's own multisample come first and are passed over.
unsigned PairsOf(const as_bank& bank, std::uint32_t slot, const SameText& links, Lines& lines) {
    const unsigned a = slot / kSamplesPerMultisample;
    unsigned found = 0;
    for (std::uint32_t other = links.next[slot]; other != kNoSlot; other = links.next[other]) {
        if (other / kSamplesPerMultisample == a) continue;
        AddPair(bank, slot, other, lines);
        ++found;
    }
    return found;
}

} // namespace

unsigned CheckDuplicatedSamples(const as_bank& bank, JobServices& ui) {
    if (!ui.yes("Checking for DUPLICATED samples!",
                "WARNING!!!\nFunction with Long Time Execution!\n\nAre You Sure to continue?",
                AskPurpose::Harmless))
        return 0;
    return ScanDuplicatedSamples(bank, ui);
}

unsigned ScanDuplicatedSamples(const as_bank& bank, JobServices& ui) {
    ProgressScope progress(ui, 'c');
    ui.SetProgressText("Checking For Duplicated Samples...");
    ui.SetProgressDetail("Preparing...");
    const SameText links = LinkSamePaths(bank);
    ui.SetProgressDetail("Starting...");
    Lines lines;
    unsigned count = 0, done = 0;
    for (unsigned a = 1; a < kMultisamples; ++a) {
        if (!links.withSamples[a]) continue;
        for (unsigned i = 0; i < kSamplesPerMultisample; ++i)
            if (!IsEmptyPath(bank.path(a, i)))
                count += PairsOf(bank, a * kSamplesPerMultisample + i, links, lines);
        ui.SetProgressDetail(Format("Checking Multisample: MS%04u", a));
        Step(ui, ++done, links.multisamplesWithSamples);
    }
    progress.hide();
    return Conclude(ui, count, lines, "Report: Check for DUPLICATED samples!",
                    "Checking for DUPLICATED samples...", "No DUPLICATED samples found!");
}

} // namespace ovb
