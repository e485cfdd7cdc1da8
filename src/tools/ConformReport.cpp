// The texts the user reads before and after conforming.
#include "base/Formatting.h"
#include "job/PathResolver.h"
#include "tools/Conform.h"

#include <map>

namespace ovb {

namespace {

std::string SizeText(std::uint64_t bytes) {
    return FormatSize(bytes) + " (" + FormatWithSpaces(bytes) + " bytes)";
}

void AddProblems(const ConformPlan& plan, std::vector<std::string>& lines) {
    for (const ConformItem& item : plan.items) {
        if (item.action == ConformAction::Refuse)
            lines.push_back("Refused: " + DisplayPath(item.source) + ": " + item.reason);
        else if (item.action == ConformAction::Missing)
            lines.push_back("Missing file: " + DisplayPath(item.source));
    }
}

} // namespace

std::vector<std::string> ConformPreviewReport(const ConformPlan& plan) {
    std::vector<std::string> lines;
    lines.push_back(Format("WAV files listed: %zu", plan.items.size()));
    lines.push_back(
        Format("To convert to 48 kHz / 16-bit: %u", plan.count(ConformAction::Convert)));
    lines.push_back(Format("To rewrite with a new header only (samples unchanged): %u",
                           plan.count(ConformAction::Rewrap)));
    lines.push_back(Format("Already accepted, left alone: %u", plan.count(ConformAction::Keep)));
    lines.push_back(Format("Refused: %u", plan.count(ConformAction::Refuse)));
    lines.push_back(Format("Missing: %u", plan.count(ConformAction::Missing)));

    std::map<std::string, unsigned> formats;
    std::uint64_t before = 0, after = 0;
    unsigned replaced = 0;
    for (const ConformItem& item : plan.items) {
        if (!item.format.empty()) ++formats[item.format];
        if (item.action != ConformAction::Rewrap && item.action != ConformAction::Convert) continue;
        before += item.bytesBefore;
        after += item.bytesAfter;
        replaced += item.replacesTarget;
    }
    lines.push_back("");
    lines.push_back("Formats found:");
    for (const auto& [format, n] : formats)
        lines.push_back(Format("  %u x %s", n, format.c_str()));
    lines.push_back("");
    lines.push_back("Files to write, size before: " + SizeText(before));
    lines.push_back("Files to write, size after:  " + SizeText(after));
    if (replaced)
        lines.push_back(Format("Earlier converted files that are replaced: %u", replaced));
    lines.push_back("");
    for (const ConformItem& item : plan.items)
        if (item.action == ConformAction::Rewrap || item.action == ConformAction::Convert)
            lines.push_back(DisplayPath(item.source) + "  ->  " + DisplayPath(item.target));
    AddProblems(plan, lines);
    return lines;
}

std::vector<std::string> ConformFinalReport(const ConformPlan& plan, const ConformResult& result) {
    std::vector<std::string> lines;
    lines.push_back(Format("Converted to 48 kHz / 16-bit: %u", result.converted));
    lines.push_back(Format("Rewritten with a new header: %u", result.rewrapped));
    lines.push_back(Format("Failed: %zu", result.failures.size()));
    if (result.cancelled)
        lines.push_back(Format("Cancelled: %u files were not written", result.notDone));
    lines.push_back(Format("Already accepted, left alone: %u", plan.count(ConformAction::Keep)));
    for (const std::string& f : result.failures)
        lines.push_back("Failed: " + f);
    AddProblems(plan, lines);
    return lines;
}

} // namespace ovb
