#include "LoadChecks.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#include <sanitizer/lsan_interface.h>
#define OVB_LEAK_CHECKER 1
#endif
#endif

namespace ovb::fuzz {

namespace {

as_bank& FreshBank() {
    static as_bank* fresh = new as_bank;
    return *fresh;
}

as_bank* target = nullptr;
bool targetLoaded = false;

} // namespace

void Violated(std::string_view what) {
    std::fprintf(stderr, "\n*** load invariant violated: %.*s\n", int(what.size()), what.data());
    std::fflush(stderr);
    __builtin_trap();
}

void QueueAnswers(ScriptedJobServices& ui, std::uint8_t answers) {
    constexpr Answer kAnswers[] = {Answer::Yes, Answer::No, Answer::Ok, Answer::Cancel};
    ui.fallback = kAnswers[answers & 3];
    if (answers & 16) ui.answers.push_back(kAnswers[(answers >> 2) & 3]);
}

as_bank& ResetTargetBank() {
    if (!target) {
        target = new as_bank;
        // The path lists live in memory mapped outside the allocator, which the leak checker
        // does not search for pointers: without this, every long path the bank holds would be
        // reported as leaked.
#ifdef OVB_LEAK_CHECKER
        __lsan_register_root_region(&target->paths(0), kMultisamples * sizeof(SamplePathList));
#endif
    }
    if (targetLoaded) target->reset();
    targetLoaded = false;
    // reset() keeps the buffers of long path strings (a path area without CR LF gives one path
    // of megabytes). Over a run they would pile up in ever more slots, so they are given back
    // here; the texts stay "- - -".
    for (unsigned m = 0; m < kMultisamples; ++m)
        for (std::string& p : target->paths(m))
            if (p.capacity() > 255) std::string(p).swap(p);
    return *target;
}

void MarkTargetBankLoaded() {
    targetLoaded = true;
}

// A sample of the block: every table's first and last record, the first multisamples (where
// the seeds keep their edits) and the start of the path length table. Comparing all of it would
// halve the executions per second.
void RequireResetBank(as_bank& bank) {
    as_bank& fresh = FreshBank();
    const as_bank_records& f = fresh.records();
    const as_bank_records& r = bank.records();
    Require(std::memcmp(&f, &r, offsetof(as_bank_records, scene) + sizeof(as_scenne)) == 0,
            "refused load left a changed header, info, global parameters or first scene");
    for (Table t : {Table::Scene, Table::Solo, Table::Acomp, Table::Fbass, Table::Chord,
                    Table::Sound, Table::Multisample})
        for (unsigned i : {0u, as_bank::tableSize(t) - 1}) {
            auto a = fresh.record(t, i);
            auto b = bank.record(t, i);
            Require(std::memcmp(a.data(), b.data(), a.size()) == 0,
                    "refused load left a changed record");
        }
    Require(std::memcmp(f.multisample, r.multisample, 16 * sizeof(as_multisample)) == 0,
            "refused load left changed multisamples");
    Require(std::memcmp(f.path_length_table, r.path_length_table, 1024) == 0,
            "refused load left a changed path length table");
    Require(f.path_marker_sector == r.path_marker_sector && f.last_sector == r.last_sector,
            "refused load left changed marker sectors");
    for (unsigned m : {0u, 1u, 2u, 7u, 8u, 15u, 5000u, kMultisamples - 1})
        for (const std::string& p : bank.paths(m))
            Require(IsEmptyPath(p), "refused load left sample paths behind");
    Require(bank.loadedFile() == kNoLoadedBank, "refused load left a loaded-file name");
}

void ShowTranscript(const ScriptedJobServices& ui, bool loaded) {
    static const bool verbose = std::getenv("OVB_FUZZ_VERBOSE") != nullptr;
    if (!verbose) return;
    for (const std::string& line : ui.shown())
        std::fprintf(stderr, "  %s\n", line.c_str());
    std::fprintf(stderr, "  -> %s\n", loaded ? "loaded" : "refused");
}

void RequireProgressHidden(const ScriptedJobServices& ui) {
    Require(!ui.progressShown, "the loader returned with its progress window still shown");
}

void RequireLoaded(const as_bank& bank, std::size_t blockOffset, const SparseImage& image,
                   std::uint64_t fileOffset, std::size_t length, std::string_view what) {
    std::vector<std::uint8_t> expected(length);
    image.Copy(fileOffset, expected);
    const auto* block = reinterpret_cast<const std::uint8_t*>(&bank.records());
    Require(std::memcmp(block + blockOffset, expected.data(), length) == 0, what);
}

void RequireFirstPath(const as_bank& bank, const SparseImage& image, std::uint64_t areaOffset,
                      std::uint64_t areaSize) {
    constexpr std::size_t kLook = 1024;
    std::vector<std::uint8_t> head(std::size_t(std::min<std::uint64_t>(areaSize, kLook)));
    image.Copy(areaOffset, head);
    std::string_view text(reinterpret_cast<const char*>(head.data()), head.size());
    std::size_t end = text.find("\r\n");
    if (end == std::string_view::npos && areaSize > kLook) return; // a line too long to look at
    std::string expected(areaSize == 0 ? kEmptyPath : text.substr(0, end));
    Require(bank.path(0, 0) == expected, "the first path is not the first line of the path area");
}

} // namespace ovb::fuzz
