// Checks of the texts of multisamples 1 to 9999: characters of paths, doubled delimiters in paths
// and characters of names.
#include "base/Formatting.h"
#include "job/PathResolver.h"
#include "tools/BankChecks.h"
#include "tools/CheckHelpers.h"

#include <algorithm>
#include <functional>

namespace ovb {
namespace {

using namespace checks;

bool HasNonLatinByte(const std::string& path) {
    return std::any_of(path.begin(), path.end(), [](char c) {
        const signed char v = static_cast<signed char>(c);
        return v < 32 || v > 126;
    });
}

bool HasDoubledDelimiter(const std::string& path) {
    return path.find("\\\\") != std::string::npos;
}

bool ValidNameChar(char c) {
    const int v = static_cast<unsigned char>(c);
    if (v < 32 || v > 126) return false;
    for (int bad : {60, 62, 58, 34, 47, 92, 124, 63, 42})
        if (v == bad) return false;
    return true;
}

// Walks the non-empty paths of multisamples 1 to 9999 and lists those the test picks.
unsigned ScanPaths(const as_bank& bank, JobServices& ui, const char* title, const char* firstLine,
                   const std::function<bool(const std::string&)>& bad, Lines& lines) {
    ProgressScope progress(ui, 'c');
    ui.SetProgressText(title);
    unsigned count = 0;
    for (unsigned m = 1; m < kMultisamples; ++m) {
        for (unsigned k = 0; k < kSamplesPerMultisample; ++k) {
            const std::string& path = bank.path(m, k);
            if (IsEmptyPath(path) || !bad(path)) continue;
            if (count++ == 0) lines.emplace_back(firstLine);
            lines.push_back(Format("Sample %03u from MS%04u: %s", k, m, DisplayPath(path).c_str()));
        }
        Step(ui, m + 1, kMultisamples);
    }
    return count;
}

} // namespace

unsigned CheckNonLatinPaths(const as_bank& bank, JobServices& ui) {
    Lines lines;
    const unsigned count =
        ScanPaths(bank, ui, "Checking for Not Latin Chars...",
                  "Invalid String Found! -------------------------------------------",
                  HasNonLatinByte, lines);
    return Conclude(ui, count, lines,
                    "Report: Check for Non Latin Chars in sample File Path And File Names!",
                    "Checking for NOT LATIN chars...", "All Chars Are Valid Latins Chars!");
}

unsigned CheckDoubledDelimiters(const as_bank& bank, JobServices& ui) {
    Lines lines;
    const unsigned count =
        ScanPaths(bank, ui, "Checking for Doubled Path Delimiters...",
                  "Doubled Path Delimiters Found! -------------------------------------------",
                  HasDoubledDelimiter, lines);
    return Conclude(ui, count, lines,
                    "Report: Check for Doubled Path Delimiters in sample File Path And File Names!",
                    "Checking for Doubled Path Delimiters ...",
                    "No Doubled Path Delimiters Found!");
}

unsigned CheckMultisampleNames(const as_bank& bank, JobServices& ui) {
    ProgressScope progress(ui, 'c');
    ui.SetProgressText("Checking Multisample Names for Invalid Chars...");
    Lines lines;
    unsigned count = 0;
    for (unsigned m = 1; m < kMultisamples; ++m) {
        const std::string name = MultisampleName(bank, m);
        if (!std::all_of(name.begin(), name.end(), ValidNameChar)) {
            if (count++ == 0)
                lines.emplace_back(
                    "Invalid Multisample Name Found! -------------------------------------------");
            lines.push_back(Format("Multisample MS%04u: %s", m, name.c_str()));
        }
        Step(ui, m + 1, kMultisamples);
    }
    progress.hide();
    return Conclude(ui, count, lines, "Report: Check Multisample Names for Invalid Chars!",
                    "Checking for Multisample Name Invalid Chars ...",
                    "No Multisample Names Invalid Chars Found!");
}

} // namespace ovb
