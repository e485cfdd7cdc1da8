#include "bank/SplitVolumes.h"

#include "base/Formatting.h"

namespace ovb {

std::filesystem::path VolumePath(const std::filesystem::path& base, unsigned k,
                                 const char* pattern) {
    // replace_extension appends when the name has none, as the volumes of "BANK" are "BANK.O01".
    std::filesystem::path p = base;
    p.replace_extension(Format(pattern, k));
    return p;
}

} // namespace ovb
