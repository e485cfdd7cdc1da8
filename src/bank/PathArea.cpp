#include "bank/PathArea.h"

namespace ovb {

std::uint64_t PathAreaSize(const as_bank& bank) {
    std::uint64_t size = 0;
    for (unsigned m = 0; m < kMultisamples; ++m)
        for (const auto& p : bank.paths(m))
            size += p.size() + 2;
    return size;
}

std::string BuildPathArea(const as_bank& bank) {
    std::string area;
    area.reserve(std::size_t(PathAreaSize(bank)));
    for (unsigned m = 0; m < kMultisamples; ++m)
        for (const auto& p : bank.paths(m)) {
            area += p;
            area += "\r\n";
        }
    return area;
}

bool ReservePathArea(std::string& area, std::uint64_t size, JobServices& ui) {
    try {
        area.resize(std::size_t(size));
        return true;
    } catch (const std::exception&) {
        ui.message("Error", "Not enough memory to read the file names of this bank!");
        return false;
    }
}

void FillPathsFromArea(as_bank& bank, std::string_view area, JobServices& ui) {
    bank.clearPaths();
    std::size_t pos = 0;
    unsigned lastPercent = ~0u;
    for (unsigned m = 0; m < kMultisamples; ++m) {
        for (unsigned s = 0; s < kSamplesPerMultisample && pos < area.size(); ++s) {
            std::size_t end = area.find("\r\n", pos);
            if (end == std::string_view::npos) end = area.size();
            bank.path(m, s).assign(area.substr(pos, end - pos));
            pos = end + 2;
        }
        unsigned percent = m * 100 / kMultisamples;
        if (percent != lastPercent) {
            lastPercent = percent;
            ui.SetProgressPercent(percent);
            ui.processEvents();
        }
    }
}

} // namespace ovb
