#include "tools/CheckHelpers.h"

namespace ovb::checks {

unsigned Percent(std::uint64_t done, std::uint64_t total) {
    if (total == 0) total = 1;
    return unsigned(done * 100 / total);
}

void Step(JobServices& ui, std::uint64_t done, std::uint64_t total) {
    ui.SetProgressPercent(Percent(done, total));
    ui.processEvents();
}

std::string MultisampleName(const as_bank& bank, unsigned m) {
    return NameString(bank.multisample(m).name);
}

std::string SoundName(const as_bank& bank, unsigned s) {
    return NameString(bank.sound(s).name);
}

unsigned Conclude(JobServices& ui, unsigned count, const Lines& lines, const char* reportCaption,
                  const char* zeroCaption, const char* zeroText) {
    if (count == 0) {
        ui.message(zeroCaption, zeroText);
    } else {
        ui.ShowReport(reportCaption, lines);
        ui.CloseReport();
    }
    return count;
}

} // namespace ovb::checks
