#include "bank/NameEdit.h"

#include <algorithm>

namespace ovb {

void EditName(std::span<char> name, std::string_view text) {
    text = text.substr(0, std::min(text.find('\0'), text.size()));
    const std::size_t n = std::min(text.size(), name.size());
    std::fill(name.begin(), name.end(), '\0');
    std::copy_n(text.begin(), n, name.begin());
    if (n > 0) return;
    // An empty cell must not leave a nameless record: put the marker back, terminated.
    const std::size_t marker = std::min(kEmptyPath.size(), name.size());
    std::copy_n(kEmptyPath.begin(), marker, name.begin());
}

} // namespace ovb
