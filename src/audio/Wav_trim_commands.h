#pragma once
// The silence and fixed-count tools as the user meets them: warnings before anything changes,
// the scan reports and the closing messages, and a report of files that could not be read or
// written.
#include <string>
#include <string_view>
#include <vector>

namespace ovb {

class JobServices;
struct TrimRun;

std::vector<std::string> StartScanReport(const TrimRun& run);
std::vector<std::string> EndScanReport(const TrimRun& run);

// The scans return false when a file could not be read.
bool CheckStartSilence(const std::vector<std::string>& paths, JobServices& ui);
bool CheckEndSilence(const std::vector<std::string>& paths, bool fade, JobServices& ui);
// tableIndex selects from kSilenceThresholds; the end removal takes the threshold itself.
// The changing tools return false when the user declined or a file could not be read or
// written.
bool TrimStartSilence(const std::vector<std::string>& paths, unsigned tableIndex, JobServices& ui);
bool TrimEndSilence(const std::vector<std::string>& paths, int threshold, bool fade,
                    JobServices& ui);

// The fixed-count tool in its two halves around the input dialog: the two warnings, then the
// entered text (anything but an integer counts as -1), its range check, the last question and
// the work.
bool ConfirmFixedRemoval(JobServices& ui);
int ParseSampleCount(std::string_view text);
bool TrimFixedCount(const std::vector<std::string>& paths, std::string_view entered,
                    JobServices& ui);

} // namespace ovb
