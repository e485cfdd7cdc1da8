// Existence of every sample file the bank names, multisample 0 included.
#include "base/Formatting.h"
#include "job/PathResolver.h"
#include "tools/BankChecks.h"
#include "tools/CheckHelpers.h"

namespace ovb {

unsigned CheckMissingFiles(const as_bank& bank, JobServices& ui) {
    using namespace checks;
    ProgressScope progress(ui, 'c');
    ui.SetProgressText("Checking WAV Files...");
    const unsigned total = unsigned(UsedSlots(bank).size());
    Lines lines;
    PathResolver files;
    unsigned missing = 0, existing = 0;
    for (unsigned m = 0; m < kMultisamples; ++m) {
        bool headed = false;
        for (unsigned k = 0; k < kSamplesPerMultisample; ++k) {
            const std::string& path = bank.path(m, k);
            if (IsEmptyPath(path)) continue;
            if (files.find(path)) {
                ++existing;
                continue;
            }
            if (!headed)
                lines.push_back(
                    Format("Multisample Num: %u - %s", m, MultisampleName(bank, m).c_str()));
            headed = true;
            lines.push_back(Format("%u. Missing file: %s", ++missing, files.display(path).c_str()));
        }
        Step(ui, existing, total);
    }
    progress.hide();
    if (missing == 0) {
        ui.message("Sample Editor", "No missing WAV files !");
        return 0;
    }
    const std::string head = Format("Missing %u WAV files!!!", missing);
    if (ui.yes("Info", head + "\n\nShow missing files ?", AskPurpose::Harmless)) {
        lines.insert(lines.begin(), head);
        ui.ShowReport("Report: Missing Files", lines);
        ui.CloseReport();
    }
    return missing;
}

} // namespace ovb
