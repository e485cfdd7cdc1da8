#include "bank/BankLayout.h"

#include "bank/Mysplitfilereader.h"

#include <cstring>

namespace ovb {

bool SameFirst511(const std::uint8_t* data, const Sector& expected) {
    return std::memcmp(data, expected.data(), 511) == 0;
}

bool OpenAndCheckHeader(Mysplitfilereader& in, const std::filesystem::path& path, bool split,
                        const FileKindTexts& texts, JobServices& ui) {
    if (!in.Open(path, split)) {
        ui.HideProgress();
        if (!in.OpenError().empty())
            ui.message("Error", in.OpenError());
        else
            ui.message("Error", "File " + path.string() + " not exist!");
        return false;
    }
    Sector sector;
    bool ok = in.Read(sector.data(), kSector);
    if (ok && !SameFirst511(sector.data(), BankHeaderTemplate())) {
        ui.message("Error", texts.notThisKind);
        ok = false;
    } else if (ok && sector[511] != 1) {
        ui.message("Error", texts.badVersion);
        ok = false;
    }
    if (!ok) in.Close();
    return ok;
}

} // namespace ovb
