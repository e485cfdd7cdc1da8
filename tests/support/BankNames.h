#pragma once
// Names put into a bank by tests.
#include "bank/Acc_bank_structure.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace ovb::test {

// The text at the start of the name and `fill` after it: spaces, as the editors store names, or
// zeros where a test needs a name that ends at its first zero. A longer text is cut.
template <std::size_t N> void SetName(Name<N>& name, std::string_view text, char fill = ' ') {
    name.fill(fill);
    std::memcpy(name.data(), text.data(), std::min(N, text.size()));
}

} // namespace ovb::test
