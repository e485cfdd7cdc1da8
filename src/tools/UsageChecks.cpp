// Which multisamples the sounds play: the unused check, their removal and the where-used list.
// One pass over the 10000 × 20 zone slots marks every multisample played, instead of scanning
// all sounds again for each multisample.
#include "base/Formatting.h"
#include "tools/BankChecks.h"
#include "tools/CheckHelpers.h"

#include <vector>

namespace ovb {
namespace {

using namespace checks;

std::vector<bool> PlayedMultisamples(const as_bank& bank) {
    std::vector<bool> played(kMultisamples, false);
    for (unsigned s = 0; s < kSounds; ++s)
        for (const as_zone& z : bank.sound(s).zone)
            if (z.multisample() < kMultisamples) played[z.multisample()] = true;
    return played;
}

void ClearMultisample(as_bank& bank, unsigned m) {
    bank.multisample(m) = NewMultisample();
    for (auto& p : bank.paths(m))
        p.assign(kEmptyPath);
}

// Lists (and with clear, empties) the unused multisamples 1 to 9999; counts those with samples.
unsigned ScanUnused(as_bank* writable, const as_bank& bank, JobServices& ui, Lines& lines) {
    const std::vector<bool> played = PlayedMultisamples(bank);
    unsigned count = 0;
    for (unsigned m = 1; m < kMultisamples; ++m) {
        if (!played[m]) {
            if (HasSamples(bank, m)) {
                ++count;
                lines.push_back(Format("MS%04u  %s", m, MultisampleName(bank, m).c_str()));
            }
            if (writable) ClearMultisample(*writable, m);
        }
        Step(ui, m + 1, kMultisamples);
    }
    return count;
}

} // namespace

unsigned CheckUnusedMultisamples(const as_bank& bank, JobServices& ui) {
    ProgressScope progress(ui, 'c');
    ui.SetProgressText("Check For UNUSED Multisamples...");
    Lines lines;
    const unsigned count = ScanUnused(nullptr, bank, ui, lines);
    progress.hide();
    if (count != 0) {
        lines.insert(lines.begin(), "");
        lines.insert(lines.begin(), Format("Unused multisamples: %u", count));
    }
    return Conclude(ui, count, lines, "Report: Unused Multisamples Names",
                    "Check For UNUSED Multisamples...", "No UNUSED multisamples found!");
}

unsigned RemoveUnusedMultisamples(as_bank& bank, JobServices& ui) {
    if (!ui.yes("Remove UNUSED Multisamples", "Are You Sure ?")) return 0;
    return ClearUnusedMultisamples(bank, ui);
}

unsigned ClearUnusedMultisamples(as_bank& bank, JobServices& ui) {
    ProgressScope progress(ui, 'c');
    ui.SetProgressText("Remove UNUSED Multisamples...");
    Lines lines;
    const unsigned count = ScanUnused(&bank, bank, ui, lines);
    progress.hide();
    if (count != 0) {
        lines.insert(lines.begin(), "");
        lines.insert(lines.begin(), Format("Removed multisamples: %u", count));
    }
    return Conclude(ui, count, lines, "Report: Removed Multisamples Names",
                    "Remove UNUSED Multisamples...", "No UNUSED multisamples found!");
}

void ShowWhereMultisampleIsUsed(const as_bank& bank, unsigned multisample, JobServices& ui) {
    Lines lines;
    for (unsigned s = 0; s < kSounds; ++s) {
        for (const as_zone& z : bank.sound(s).zone) {
            if (z.multisample() != multisample) continue;
            lines.push_back(Format("Sound: %04u: %s", s, SoundName(bank, s).c_str()));
            break;
        }
    }
    if (lines.empty()) {
        ui.message("Info", "This multisample is not used in any sound!");
        return;
    }
    const unsigned count = unsigned(lines.size());
    lines.insert(lines.begin(),
                 Format("Multisample [%04u] is used in %u sounds:", multisample, count));
    ui.ShowReport("Report: Multisample in sounds", lines);
    ui.CloseReport();
}

} // namespace ovb
